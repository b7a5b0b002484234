// The data-stream workloads of bench/j2me/DataStreams_bench.cpp on a JVM, for comparison:
// same records, sizes and checksums, one line per workload in the same form.
// Five warm-up rounds let the JIT compile each workload; the median of three measured
// rounds is reported.
// Run with: java -XX:+UseSerialGC DataStreamsBench
import java.io.ByteArrayInputStream;
import java.io.ByteArrayOutputStream;
import java.io.DataInputStream;
import java.io.DataOutputStream;
import java.io.IOException;
import java.util.Arrays;
import java.util.Locale;

public class DataStreamsBench {
    static final int RECORDS = 200000;
    static final int RESET_AT = 65536;
    static final int WARM_UP_ROUNDS = 5;
    static final int MEASURED_ROUNDS = 3;

    interface Workload {
        long run(int records) throws IOException;
    }

    // "item <j> café €" followed by j letters x.
    static String[] makeStrings() {
        String[] strings = new String[16];
        for (int j = 0; j < 16; ++j) strings[j] = "item " + j + " caf\u00e9 \u20ac" + "x".repeat(j);
        return strings;
    }

    // The values of record i, the same on both sides.
    static int intOf(int i) { return i * (int) 2654435761L; }
    static long longOf(int i) { return (long) i * 1000000007L ^ ((long) intOf(i) << 20); }
    static int shortOf(int i) { return i * 31; }
    static double doubleOf(int i) { return i * 0.5 + 0.25; }

    // Writes records from..to; with a sink, resets it whenever it passes 64 KiB and adds
    // the sizes to sum[0].
    static void writeRecords(DataOutputStream out, String[] strings, int from, int to, ByteArrayOutputStream sink,
                             long[] sum) throws IOException {
        for (int i = from; i < to; ++i) {
            out.writeInt(intOf(i));
            out.writeLong(longOf(i));
            out.writeShort(shortOf(i));
            out.writeByte(i);
            out.writeDouble(doubleOf(i));
            out.writeUTF(strings[i & 15]);
            if (sink != null && sink.size() > RESET_AT) {
                sum[0] += sink.size();
                sink.reset();
            }
        }
    }

    static long write(int records) throws IOException {
        String[] strings = makeStrings();
        ByteArrayOutputStream sink = new ByteArrayOutputStream();
        DataOutputStream out = new DataOutputStream(sink);
        long[] sum = {0};
        writeRecords(out, strings, 0, records, sink, sum);
        return sum[0] + sink.size();
    }

    static byte[] recordBytes;

    static byte[] recordBytes(int records) throws IOException {
        ByteArrayOutputStream sink = new ByteArrayOutputStream();
        writeRecords(new DataOutputStream(sink), makeStrings(), 0, records, null, null);
        return sink.toByteArray();
    }

    static long read(int records) throws IOException {
        DataInputStream in = new DataInputStream(new ByteArrayInputStream(recordBytes));
        long sum = 0;
        for (int i = 0; i < records; ++i) {
            sum += in.readInt();
            sum ^= in.readLong();
            sum += in.readShort();
            sum += in.readByte();
            sum += (long) (in.readDouble() * 4);
            String s = in.readUTF();
            sum += s.length() + s.charAt(s.length() / 2);
        }
        return sum;
    }

    // Runs a workload for the warm-up rounds, then the measured rounds, and prints the median.
    static void run(String name, long bytes, Workload workload) throws IOException {
        long checksum = 0;
        for (int round = 0; round < WARM_UP_ROUNDS; ++round) checksum = workload.run(RECORDS);
        double[] samples = new double[MEASURED_ROUNDS];
        for (int round = 0; round < MEASURED_ROUNDS; ++round) {
            long start = System.nanoTime();
            checksum = workload.run(RECORDS);
            samples[round] = (System.nanoTime() - start) / 1e9;
        }
        Arrays.sort(samples);
        double median = samples[samples.length / 2];
        System.out.printf(Locale.ROOT, "%s ops=%d bytes=%d ns_per_op=%.2f mb_per_s=%.3f checksum=%d%n", name, RECORDS, bytes,
                median / RECORDS * 1e9, bytes / median / 1e6, checksum);
    }

    public static void main(String[] args) throws IOException {
        recordBytes = recordBytes(RECORDS);
        run("write", recordBytes.length, DataStreamsBench::write);
        run("read", recordBytes.length, DataStreamsBench::read);
    }
}
