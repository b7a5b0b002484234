// The thread workloads of bench/vm/Threads_bench.cpp on a JVM, for comparison: same
// operations, counts and checksums, one line per workload in the same form.
// Five warm-up rounds let the JIT compile each workload; the median of three measured
// rounds is reported.
// Run with: java -XX:+UseSerialGC ThreadsBench
import java.util.Arrays;
import java.util.Locale;

public class ThreadsBench {
    static final int PING_PONG_ROUND_TRIPS = 20000;
    static final int START_JOIN_THREADS = 2000;
    static final int MONITOR_INCREMENTS = 1000000;        // per thread
    static final int WAITED_MONITOR_INCREMENTS = 100000; // per thread
    static final int WARM_UP_ROUNDS = 5;
    static final int MEASURED_ROUNDS = 3;

    static final class Round {
        double seconds;
        long checksum;
        String extra = "";  // further fields, each " key=value"
    }

    interface Workload {
        Round run() throws InterruptedException;
    }

    // Waits for the thread's end as the runtime's benchmark does: on the Thread's monitor,
    // which the ending thread notifies (what Thread.join does).
    static void join(Thread thread) throws InterruptedException {
        synchronized (thread) {
            while (thread.isAlive()) thread.wait(0);
        }
    }

    // State shared by the ping-pong threads, touched only under its own monitor.
    static final class PingPong {
        long token;
        long partnerSum;
    }

    // The main thread throws the token (a positive number: the partner's turn), the partner
    // throws back its negation (the main thread's turn). One untimed round trip first makes
    // sure the partner is running.
    static Round pingPong(int roundTrips) throws InterruptedException {
        final PingPong monitor = new PingPong();
        Thread partner = new Thread(() -> {
            synchronized (monitor) {
                try {
                    for (int i = 0; i <= roundTrips; ++i) {
                        while (monitor.token <= 0) monitor.wait(0);
                        monitor.partnerSum += monitor.token;
                        monitor.token = -monitor.token;
                        monitor.notify();
                    }
                } catch (InterruptedException e) {
                    throw new RuntimeException(e);
                }
            }
        });
        partner.start();
        long sum = 0;
        long start = 0;
        synchronized (monitor) {
            for (int i = 0; i <= roundTrips; ++i) {
                if (i == 1) start = System.nanoTime();
                monitor.token = i + 1;
                monitor.notify();
                while (monitor.token >= 0) monitor.wait(0);
                sum -= monitor.token;
            }
        }
        Round round = new Round();
        round.seconds = (System.nanoTime() - start) / 1e9;
        join(partner);
        synchronized (monitor) {
            round.checksum = sum + monitor.partnerSum;
        }
        round.extra = String.format(Locale.ROOT, " mean_rtt_us=%.3f", round.seconds / roundTrips * 1e6);
        return round;
    }

    static long startJoinSum;

    static synchronized void addToStartJoinSum(int i) {
        startJoinSum += i;
    }

    static Round startJoin(int threads) throws InterruptedException {
        startJoinSum = 0;
        long start = System.nanoTime();
        for (int i = 0; i < threads; ++i) {
            final int index = i;
            Thread thread = new Thread(() -> addToStartJoinSum(index));
            thread.start();
            join(thread);
        }
        Round round = new Round();
        round.seconds = (System.nanoTime() - start) / 1e9;
        synchronized (ThreadsBench.class) {
            round.checksum = startJoinSum;
        }
        return round;
    }

    // The counter and the start gate of the contended workloads.
    static final class Counter {
        long count;
        long handoffs;
        int lastOwner = -1;
    }

    static final class Gate {
        int ready;
        boolean open;
    }

    // Each thread waits at the gate until every thread is ready and the main thread opens
    // it; the time runs from the opening to the end of the last thread.
    static Round contended(int threadCount, int increments, boolean gateIsCounterMonitor)
            throws InterruptedException {
        final Counter lock = new Counter();
        final Gate gateState = new Gate();
        final Object gate = gateIsCounterMonitor ? lock : new Object();
        Thread[] threads = new Thread[threadCount];
        for (int t = 0; t < threadCount; ++t) {
            final int id = t;
            threads[t] = new Thread(() -> {
                synchronized (gate) {
                    ++gateState.ready;
                    gate.notifyAll();
                    try {
                        while (!gateState.open) gate.wait(0);
                    } catch (InterruptedException e) {
                        throw new RuntimeException(e);
                    }
                }
                for (int i = 0; i < increments; ++i) {
                    synchronized (lock) {
                        ++lock.count;
                        if (lock.lastOwner != id) {
                            ++lock.handoffs;
                            lock.lastOwner = id;
                        }
                    }
                }
            });
        }
        for (Thread thread : threads) thread.start();
        long start;
        synchronized (gate) {
            while (gateState.ready < threadCount) gate.wait(0);
            gateState.open = true;
            start = System.nanoTime();
            gate.notifyAll();
        }
        for (Thread thread : threads) join(thread);
        Round round = new Round();
        round.seconds = (System.nanoTime() - start) / 1e9;
        synchronized (lock) {
            if (lock.count != (long) threadCount * increments) {
                System.err.printf("contended: count %d, expected %d%n", lock.count, (long) threadCount * increments);
                System.exit(1);
            }
            round.checksum = lock.count;
            round.extra = " handoffs=" + lock.handoffs;
        }
        return round;
    }

    // Runs a workload for the warm-up rounds, then the measured rounds, and prints the median
    // round (with its extra fields).
    static void run(String name, long ops, Workload workload) throws InterruptedException {
        for (int round = 0; round < WARM_UP_ROUNDS; ++round) workload.run();
        Round[] rounds = new Round[MEASURED_ROUNDS];
        for (int round = 0; round < MEASURED_ROUNDS; ++round) rounds[round] = workload.run();
        Arrays.sort(rounds, (a, b) -> Double.compare(a.seconds, b.seconds));
        Round median = rounds[rounds.length / 2];
        System.out.printf(Locale.ROOT, "%s ops=%d ns_per_op=%.2f mops_per_s=%.3f checksum=%d%s%n", name, ops,
                median.seconds / ops * 1e9, ops / median.seconds / 1e6, median.checksum, median.extra);
    }

    public static void main(String[] args) throws InterruptedException {
        run("ping-pong", PING_PONG_ROUND_TRIPS, () -> pingPong(PING_PONG_ROUND_TRIPS));
        run("start-join", START_JOIN_THREADS, () -> startJoin(START_JOIN_THREADS));
        run("monitor-2", 2L * MONITOR_INCREMENTS, () -> contended(2, MONITOR_INCREMENTS, false));
        run("monitor-4", 4L * MONITOR_INCREMENTS, () -> contended(4, MONITOR_INCREMENTS, false));
        run("monitor-waited-2", 2L * WAITED_MONITOR_INCREMENTS, () -> contended(2, WAITED_MONITOR_INCREMENTS, true));
    }
}
