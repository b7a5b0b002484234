// The allocation workload of bench/vm/Allocation_bench.cpp on a JVM, for comparison.
// Run with: java -XX:+UseSerialGC -Xms16m -Xmx512m AllocationBench (the runtime's heap sizes)
public class AllocationBench {
    static final class Node {
        Node next;
        int value;
    }

    static Node[] buildLiveSet(int size) {
        Node[] live = new Node[size];
        for (int i = 0; i < size; ++i) {
            live[i] = new Node();
            live[i].value = i;
        }
        for (int i = 0; i < size; ++i) live[i].next = live[(i * 7 + 1) % size];
        return live;
    }

    static double churn(boolean report) {
        final int live = 100000;
        final long allocations = 3000000;
        Node[] set = buildLiveSet(live);
        int seed = 12345;
        long start = System.nanoTime();
        for (long i = 0; i < allocations; ++i) {
            seed = seed * 1103515245 + 12345;
            Node node = new Node();
            node.value = (int) i;
            node.next = set[Integer.remainderUnsigned(seed, live)];
            if (i % 16 == 0) set[Integer.remainderUnsigned(seed >>> 8, live)] = node;
        }
        double elapsed = (System.nanoTime() - start) / 1e9;
        double rate = allocations / elapsed / 1e6;
        if (report) System.out.printf("churn: %d objects in %.3f s = %.2f M objects/s%n", allocations, elapsed, rate);
        return rate;
    }

    static void pauses() {
        for (int size : new int[] {10000, 50000, 100000, 200000, 400000}) {
            Node[] set = buildLiveSet(size);
            System.gc();
            double[] samples = new double[5];
            for (int round = 0; round < 5; ++round) {
                long start = System.nanoTime();
                System.gc();
                samples[round] = (System.nanoTime() - start) / 1e6;
            }
            java.util.Arrays.sort(samples);
            System.out.printf("pause: live set %7d objects: median %.2f ms%n", size, samples[2]);
            if (set.length == 0) System.out.println();
        }
    }

    public static void main(String[] args) {
        for (int i = 0; i < 3; ++i) churn(false);  // warm-up
        churn(true);
        pauses();
    }
}
