// Prints RandomReference.inc, the values java.util.Random gives for a set of seeds, as a C++
// header for tests/j2me/Random_test.cpp. Run from the repository root:
//   javac -d /tmp/random-reference tests/j2me/reference/RandomReference.java &&
//   java -cp /tmp/random-reference RandomReference > tests/j2me/reference/RandomReference.inc

import java.util.Random;

public class RandomReference {
    static final long[] SEEDS = {0L, 1L, 42L, -1L, 123456789L, Long.MIN_VALUE, Long.MAX_VALUE};
    // Powers of two, small bounds, and large bounds that reject many draws.
    static final int[] BOUNDS = {1, 2, 3, 10, 16, 100, 1 << 30, 1500000000, Integer.MAX_VALUE};
    // Every count the class itself uses, the extremes, and counts outside 1 to 32.
    static final int[] BITS = {1, 2, 8, 16, 24, 26, 27, 31, 32, 0, 33, 47, 48, 49, 64, -1, -16};
    static final int DRAWS = 8;

    // Makes next(bits) callable from here.
    static class Exposed extends Random {
        Exposed(long seed) { super(seed); }
        int bits(int count) { return next(count); }
    }

    static String i32(int v) { return v == Integer.MIN_VALUE ? "INT32_MIN" : Integer.toString(v); }
    static String i64(long v) { return v == Long.MIN_VALUE ? "INT64_MIN" : v + "LL"; }
    static String u32(int v) { return String.format("0x%08XU", v); }
    static String u64(long v) { return String.format("0x%016XULL", v); }

    static String list(String[] items) { return "{" + String.join(", ", items) + "}"; }

    public static void main(String[] args) {
        StringBuilder out = new StringBuilder();
        out.append("// Regenerate from the repository root: javac -d /tmp/random-reference tests/j2me/reference/RandomReference.java")
           .append(" && java -cp /tmp/random-reference RandomReference > tests/j2me/reference/RandomReference.inc\n")
           .append("// Written by tests/j2me/reference/RandomReference.java on OpenJDK ")
           .append(System.getProperty("java.version")).append("; not edited by hand.\n")
           .append("// Each row: the seed given to the constructor, then the first draws of a fresh generator\n")
           .append("// for each operation (floats and doubles as their bit patterns), next(bits) for each\n")
           .append("// count in kBits drawn in turn from one generator, and one generator's mixed sequence:\n")
           .append("// nextInt(), nextLong(), nextInt(10), nextDouble(), nextFloat(), nextInt(16), then\n")
           .append("// setSeed(seed + 1) and two nextInt().\n\n")
           .append("namespace random_reference {\n\n");

        String[] bounds = new String[BOUNDS.length];
        for (int i = 0; i < BOUNDS.length; ++i) bounds[i] = i32(BOUNDS[i]);
        String[] bits = new String[BITS.length];
        for (int i = 0; i < BITS.length; ++i) bits[i] = i32(BITS[i]);
        out.append("constexpr int kDraws = ").append(DRAWS).append(";\n")
           .append("constexpr int32_t kBounds[] = ").append(list(bounds)).append(";\n")
           .append("constexpr int32_t kBits[] = ").append(list(bits)).append(";\n\n")
           .append("struct Mixed {\n")
           .append("    int32_t nextInt;\n    int64_t nextLong;\n    int32_t nextInt10;\n    uint64_t nextDoubleBits;\n")
           .append("    uint32_t nextFloatBits;\n    int32_t nextInt16;\n    int32_t afterSetSeed[2];\n};\n\n")
           .append("struct Row {\n")
           .append("    int64_t seed;\n")
           .append("    int32_t nextInt[kDraws];\n")
           .append("    int32_t nextIntBounded[std::size(kBounds)][kDraws];\n")
           .append("    int64_t nextLong[kDraws];\n")
           .append("    uint32_t nextFloatBits[kDraws];\n")
           .append("    uint64_t nextDoubleBits[kDraws];\n")
           .append("    int32_t next[std::size(kBits)];\n")
           .append("    Mixed mixed;\n};\n\n")
           .append("constexpr Row kRows[] = {\n");

        for (long seed : SEEDS) {
            out.append("    {").append(i64(seed)).append(",\n");
            String[] values = new String[DRAWS];

            Random r = new Random(seed);
            for (int i = 0; i < DRAWS; ++i) values[i] = i32(r.nextInt());
            out.append("     ").append(list(values)).append(",\n");

            String[] rows = new String[BOUNDS.length];
            for (int b = 0; b < BOUNDS.length; ++b) {
                r = new Random(seed);
                for (int i = 0; i < DRAWS; ++i) values[i] = i32(r.nextInt(BOUNDS[b]));
                rows[b] = list(values);
            }
            out.append("     {").append(String.join(",\n      ", rows)).append("},\n");

            r = new Random(seed);
            for (int i = 0; i < DRAWS; ++i) values[i] = i64(r.nextLong());
            out.append("     ").append(list(values)).append(",\n");

            r = new Random(seed);
            for (int i = 0; i < DRAWS; ++i) values[i] = u32(Float.floatToRawIntBits(r.nextFloat()));
            out.append("     ").append(list(values)).append(",\n");

            r = new Random(seed);
            for (int i = 0; i < DRAWS; ++i) values[i] = u64(Double.doubleToRawLongBits(r.nextDouble()));
            out.append("     ").append(list(values)).append(",\n");

            Exposed x = new Exposed(seed);
            String[] drawn = new String[BITS.length];
            for (int i = 0; i < BITS.length; ++i) drawn[i] = i32(x.bits(BITS[i]));
            out.append("     ").append(list(drawn)).append(",\n");

            r = new Random(seed);
            String[] mixed = {
                i32(r.nextInt()), i64(r.nextLong()), i32(r.nextInt(10)),
                u64(Double.doubleToRawLongBits(r.nextDouble())), u32(Float.floatToRawIntBits(r.nextFloat())),
                i32(r.nextInt(16)), null};
            r.setSeed(seed + 1);
            mixed[6] = "{" + i32(r.nextInt()) + ", " + i32(r.nextInt()) + "}";
            out.append("     ").append(list(mixed)).append("},\n");
        }
        out.append("};\n\n}  // namespace random_reference\n");
        System.out.print(out);
    }
}
