// The class-library workloads of bench/j2me/ClassLibrary_bench.cpp on a JVM, for comparison:
// same operations, sizes and checksums, one line per workload in the same form.
// Five warm-up rounds let the JIT compile each workload; the median of three measured
// rounds is reported.
// Run with: java -XX:+UseSerialGC ClassLibraryBench
import java.io.ByteArrayOutputStream;
import java.io.PrintStream;
import java.util.Arrays;
import java.util.Hashtable;
import java.util.Random;
import java.util.Vector;

public class ClassLibraryBench {
    static final int CONCAT_SEARCH_OPS = 400000;
    static final int BUFFER_APPEND_OPS = 50000;  // each: 32 x (char, int, string) appends, then toString
    static final int INT_TEXT_VALUES = 250000;   // each value makes 4 round trips
    static final int THROW_CATCH_OPS = 200000;
    static final int MONITOR_OPS = 20000000;
    static final int PRINTLN_OPS = 400000;       // each: one int and one long println
    static final int VECTOR_ROUNDS = 2000;       // each: 1,000 adds, gets and removes
    static final int VECTOR_SIZE = 1000;
    static final int HASHTABLE_ROUNDS = 300;     // each: 4,096 puts and 8,192 gets
    static final int HASHTABLE_KEYS = 4096;
    static final int RANDOM_OPS = 5000000;       // each: nextInt() and nextInt(1000)
    static final int WARM_UP_ROUNDS = 5;
    static final int MEASURED_ROUNDS = 3;

    interface Workload {
        long run(int size);
    }

    // "item-<i>:payload-<i mod 64>", split at the colon; the tail is compared with a prebuilt
    // copy (equal, so every character is compared) and the key with the previous key.
    static long concatSearch(int ops) {
        String item = "item-";
        String payload = "payload-";
        String[] tails = new String[64];
        for (int j = 0; j < 64; ++j) tails[j] = new StringBuffer().append(payload).append(j).toString();
        String previousKey = "";
        long sum = 0;
        for (int i = 0; i < ops; ++i) {
            StringBuffer b = new StringBuffer();
            b.append(item).append(i).append(':').append(payload).append(i & 63);
            String s = b.toString();
            int colon = s.indexOf(':');
            String key = s.substring(0, colon);
            String tail = s.substring(colon + 1);
            if (tail.equals(tails[i & 63])) sum += 1;
            if (key.equals(previousKey)) sum += 1000;
            sum += colon + tail.length() + s.indexOf('-', colon);
            previousKey = key;
        }
        return sum;
    }

    // A fresh buffer per operation, 32 rounds of a character, an int and a short string.
    static long bufferAppend(int ops) {
        String word = "abc";
        long sum = 0;
        for (int i = 0; i < ops; ++i) {
            StringBuffer b = new StringBuffer();
            for (int k = 0; k < 32; ++k) {
                b.append((char) ('a' + k % 26));
                b.append(i * k);
                b.append(word);
            }
            String s = b.toString();
            sum += s.length() + s.charAt(s.length() / 2);
        }
        return sum;
    }

    // Values spread over the whole int range, negative ones included.
    static final int[] RADIXES = {10, 16, 2, 36};

    static long intText(int values) {
        long sum = 0;
        for (int i = 0; i < values; ++i) {
            int value = i * (int) 2654435761L;
            for (int radix : RADIXES) {
                String text = Integer.toString(value, radix);
                int back = Integer.parseInt(text, radix);
                sum += (back ^ i) + text.length();
            }
        }
        return sum;
    }

    static void fail(String message, int i) {
        if (i >= 0) throw new RuntimeException(message);
    }

    static long throwCatch(int ops) {
        String message = "benchmark failure";
        long sum = 0;
        for (int i = 0; i < ops; ++i) {
            try {
                fail(message, i);
            } catch (RuntimeException e) {
                sum += e.getMessage().length() + (i & 7);
            }
        }
        return sum;
    }

    // A shared lock object, so that escape analysis cannot remove the locking.
    static Object lock = new Object();

    static long monitor(int ops) {
        long sum = 0;
        for (int i = 0; i < ops; ++i) {
            synchronized (lock) {
                sum += i;
            }
        }
        return sum;
    }

    static long println(int ops) {
        ByteArrayOutputStream bytes = new ByteArrayOutputStream();
        PrintStream out = new PrintStream(bytes);
        long sum = 0;
        for (int i = 0; i < ops; ++i) {
            out.println(i * 31 - 5000000);
            out.println((long) i * 1000000007L);
            if (bytes.size() > 65536) {
                sum += bytes.size();
                bytes.reset();
            }
        }
        return sum + bytes.size();
    }

    // Boxed ints 0 .. count - 1, made once so that the container workloads box nothing.
    static Integer[] boxes(int count) {
        Integer[] boxed = new Integer[count];
        for (int i = 0; i < count; ++i) boxed[i] = Integer.valueOf(i);
        return boxed;
    }

    static long vectorOps(int rounds) {
        Integer[] values = boxes(VECTOR_SIZE);
        long sum = 0;
        for (int round = 0; round < rounds; ++round) {
            Vector<Object> v = new Vector<>();
            for (int i = 0; i < VECTOR_SIZE; ++i) v.addElement(values[(i + round) % VECTOR_SIZE]);
            for (int i = 0; i < VECTOR_SIZE; ++i) sum += ((Integer) v.elementAt(i)).intValue() * (i & 7);
            while (!v.isEmpty()) {
                sum += ((Integer) v.lastElement()).intValue();
                v.removeElementAt(v.size() - 1);
            }
        }
        return sum;
    }

    static long hashtableOps(int rounds) {
        Integer[] keys = boxes(HASHTABLE_KEYS);
        long sum = 0;
        for (int round = 0; round < rounds; ++round) {
            Hashtable<Object, Object> table = new Hashtable<>();
            for (int i = 0; i < HASHTABLE_KEYS; ++i) table.put(keys[i], keys[(i + round) % HASHTABLE_KEYS]);
            for (int i = 0; i < 2 * HASHTABLE_KEYS; ++i) sum += ((Integer) table.get(keys[(i * 7) % HASHTABLE_KEYS])).intValue();
        }
        return sum;
    }

    static long randomOps(int ops) {
        Random random = new Random(42);
        long sum = 0;
        for (int i = 0; i < ops; ++i) sum += random.nextInt() ^ random.nextInt(1000);
        return sum;
    }

    // Runs a workload for the warm-up rounds, then the measured rounds, and prints the median.
    static void run(String name, long ops, Workload workload, int size) {
        long checksum = 0;
        for (int round = 0; round < WARM_UP_ROUNDS; ++round) checksum = workload.run(size);
        double[] samples = new double[MEASURED_ROUNDS];
        for (int round = 0; round < MEASURED_ROUNDS; ++round) {
            long start = System.nanoTime();
            checksum = workload.run(size);
            samples[round] = (System.nanoTime() - start) / 1e9;
        }
        Arrays.sort(samples);
        double median = samples[samples.length / 2];
        System.out.printf("%s ops=%d ns_per_op=%.2f mops_per_s=%.3f checksum=%d%n", name, ops,
                median / ops * 1e9, ops / median / 1e6, checksum);
    }

    public static void main(String[] args) {
        run("concat-search", CONCAT_SEARCH_OPS, ClassLibraryBench::concatSearch, CONCAT_SEARCH_OPS);
        run("buffer-append", BUFFER_APPEND_OPS, ClassLibraryBench::bufferAppend, BUFFER_APPEND_OPS);
        run("int-text", (long) INT_TEXT_VALUES * 4, ClassLibraryBench::intText, INT_TEXT_VALUES);
        run("throw-catch", THROW_CATCH_OPS, ClassLibraryBench::throwCatch, THROW_CATCH_OPS);
        run("monitor", MONITOR_OPS, ClassLibraryBench::monitor, MONITOR_OPS);
        run("println", (long) PRINTLN_OPS * 2, ClassLibraryBench::println, PRINTLN_OPS);
        run("vector", (long) VECTOR_ROUNDS * VECTOR_SIZE * 3, ClassLibraryBench::vectorOps, VECTOR_ROUNDS);
        run("hashtable", (long) HASHTABLE_ROUNDS * HASHTABLE_KEYS * 3, ClassLibraryBench::hashtableOps, HASHTABLE_ROUNDS);
        run("random", (long) RANDOM_OPS * 2, ClassLibraryBench::randomOps, RANDOM_OPS);
    }
}
