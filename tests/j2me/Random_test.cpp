// Random: every operation against values written by OpenJDK 17 for the same seeds
// (reference/RandomReference.inc), the seed scrambling, the failure of nextInt(n), the
// number of draws each operation takes, and subclasses that replace next or setSeed.

#include <bit>
#include <iterator>

#include "pb_src/j2me/java_util_Random.h"
#include "tests/j2me/reference/RandomReference.inc"
#include "tests/j2me/ClassLibrary.h"

namespace randomtest {

using java::util::Random;

// Counts the draws the other operations make, and can replace them by a fixed value.
class CountingRandom : public Random {
    VM_CLASS(CountingRandom, Random)
    VMPtr<CountingRandom> _VM_init(int64_t s) {
        Random::_VM_init(s);
        return this;
    }
    int32_t next(int32_t bits) override {
        ++draws;
        lastBits = bits;
        return fixed ? fixedValue : Random::next(bits);
    }
    void setSeed(int64_t s) override {
        seedsSeen[seedCalls++ % 2] = s;
        Random::setSeed(s);
    }
    int32_t draws = 0;
    int32_t lastBits = 0;
    bool fixed = false;
    int32_t fixedValue = 0;
    int32_t seedCalls = 0;
    int64_t seedsSeen[2] = {0, 0};
};

VM_DEFINE_CLASS(CountingRandom, "test.CountingRandom", "java.util.Random", VM_NO_CLINIT)

VMPtr<Random> seeded(int64_t s) {
    VMPtr<Random> r = Random::_VM_new();
    return r->_VM_init(s);
}

VMPtr<CountingRandom> counting(int64_t s) {
    VMPtr<CountingRandom> r = CountingRandom::_VM_new();
    return r->_VM_init(s);
}

int64_t plusOne(int64_t s) { return int64_t(uint64_t(s) + 1); }

TEST(Random, SeedingKeepsTheLow48BitsScrambledByTheMultiplierAlsoThroughAnOverride) {
    testRuntime();
    EXPECT_EQ(seeded(0)->seed, 0x5DEECE66DLL);
    VMPtr<Random> high = seeded(int64_t(0x7ABC000000000000LL));  // differs from 0 only above bit 47
    EXPECT_EQ(high->seed, 0x5DEECE66DLL);
    EXPECT_EQ(high->nextInt(), -1155484576);
    EXPECT_EQ(seeded(-1)->seed, int64_t(~Random::kMultiplier & Random::kMask));

    high->setSeed(0);
    EXPECT_EQ(high->nextInt(), -1155484576) << "setSeed restarts the sequence";
    for (int i = 0; i < 1000; ++i) high->next(32);
    EXPECT_EQ(high->seed & ~int64_t(Random::kMask), 0) << "no bit above 47 is ever set";

    // A subclass that replaces setSeed sees the constructor's seed.
    VMPtr<CountingRandom> r = counting(123456789);
    EXPECT_EQ(r->seedCalls, 1);
    EXPECT_EQ(r->seedsSeen[0], 123456789);
    EXPECT_EQ(r->nextInt(), seeded(123456789)->nextInt());
    r->setSeed(INT64_MIN);
    EXPECT_EQ(r->seedsSeen[1], INT64_MIN);
    EXPECT_EQ(r->seed, 0x5DEECE66DLL) << "bit 63 is dropped";
}

TEST(Random, EveryOperationMatchesOpenJdk) {
    testRuntime();
    using namespace random_reference;
    for (const Row& row : kRows) {
        SCOPED_TRACE(testing::Message() << "seed " << row.seed);
        VMPtr<Random> r = seeded(row.seed);
        for (int i = 0; i < kDraws; ++i) EXPECT_EQ(r->nextInt(), row.nextInt[i]) << "nextInt() draw " << i;
        for (size_t b = 0; b < std::size(kBounds); ++b) {
            r = seeded(row.seed);
            for (int i = 0; i < kDraws; ++i)
                EXPECT_EQ(r->nextInt(kBounds[b]), row.nextIntBounded[b][i]) << "nextInt(" << kBounds[b] << ") draw " << i;
        }
        r = seeded(row.seed);
        for (int i = 0; i < kDraws; ++i) EXPECT_EQ(r->nextLong(), row.nextLong[i]) << "nextLong() draw " << i;
        r = seeded(row.seed);
        for (int i = 0; i < kDraws; ++i)
            EXPECT_EQ(std::bit_cast<uint32_t>(r->nextFloat()), row.nextFloatBits[i]) << "nextFloat() draw " << i;
        r = seeded(row.seed);
        for (int i = 0; i < kDraws; ++i)
            EXPECT_EQ(std::bit_cast<uint64_t>(r->nextDouble()), row.nextDoubleBits[i]) << "nextDouble() draw " << i;
        // Counts outside 1 to 32 included: the shift is taken modulo 64, as Java's is.
        r = seeded(row.seed);
        for (size_t i = 0; i < std::size(kBits); ++i) EXPECT_EQ(r->next(kBits[i]), row.next[i]) << "next(" << kBits[i] << ")";

        r = seeded(row.seed);
        EXPECT_EQ(r->nextInt(), row.mixed.nextInt);
        EXPECT_EQ(r->nextLong(), row.mixed.nextLong);
        EXPECT_EQ(r->nextInt(10), row.mixed.nextInt10);
        EXPECT_EQ(std::bit_cast<uint64_t>(r->nextDouble()), row.mixed.nextDoubleBits);
        EXPECT_EQ(std::bit_cast<uint32_t>(r->nextFloat()), row.mixed.nextFloatBits);
        EXPECT_EQ(r->nextInt(16), row.mixed.nextInt16);
        r->setSeed(plusOne(row.seed));
        EXPECT_EQ(r->nextInt(), row.mixed.afterSetSeed[0]);
        EXPECT_EQ(r->nextInt(), row.mixed.afterSetSeed[1]);
    }
}

TEST(Random, DrawsTakenByEachOperationAndNoneForARefusedBound) {
    testRuntime();
    VMPtr<CountingRandom> r = counting(99);
    const int64_t before = r->seed;
    for (int32_t bound : {0, -5, INT32_MIN})  // OpenJDK: "bound must be positive"
        EXPECT_EQ(classlib::messageOf<java::lang::IllegalArgumentException>([&] { r->nextInt(bound); }), "n must be positive");
    EXPECT_EQ(r->draws, 0);
    EXPECT_EQ(r->seed, before);
    for (int i = 0; i < 50; ++i) EXPECT_EQ(r->nextInt(1), 0);
    EXPECT_EQ(r->draws, 50) << "one 31-bit draw each";
    EXPECT_EQ(r->lastBits, 31);

    // A power of two takes the top bits of one 31-bit draw.
    VMPtr<Random> plain = seeded(99);
    VMPtr<Random> twin = seeded(99);
    for (int i = 0; i < 20; ++i) EXPECT_EQ(plain->nextInt(16), twin->next(31) >> 27);

    const std::tuple<std::function<void()>, int32_t, int32_t> draws[] = {  // operation, draws, bits of the last
        {[&] { r->nextLong(); }, 2, 32}, {[&] { r->nextDouble(); }, 2, 27}, {[&] { r->nextFloat(); }, 1, 24}};
    for (const auto& [operation, count, bits] : draws) {
        r->draws = 0;
        operation();
        EXPECT_EQ(r->draws, count);
        EXPECT_EQ(r->lastBits, bits);
    }
    // 1500000000 leaves 647483648 of the 2^31 draws in an incomplete span: repeated.
    r->draws = 0;
    for (int i = 0; i < 200; ++i) {
        const int32_t v = r->nextInt(1500000000);
        ASSERT_TRUE(v >= 0 && v < 1500000000) << v;
    }
    EXPECT_GT(r->draws, 200);
    EXPECT_LT(r->draws, 400);
}

TEST(Random, ASubclassThatReplacesNextChangesEveryOperation) {
    testRuntime();
    VMPtr<CountingRandom> r = counting(0);
    r->fixed = true;
    r->fixedValue = 0x40000000;
    EXPECT_EQ(r->nextInt(), 0x40000000);
    EXPECT_EQ(r->nextInt(8), 4) << "8 * 2^30 >> 31";
    EXPECT_EQ(r->nextInt(3), 0x40000000 % 3);
    EXPECT_EQ(r->nextLong(), (int64_t(0x40000000) << 32) + 0x40000000);
    EXPECT_EQ(r->nextFloat(), float(0x40000000) * 0x1.0p-24f);
    r->fixedValue = 1;
    EXPECT_EQ(r->nextDouble(), double((int64_t(1) << 27) + 1) * 0x1.0p-53);
    r->fixedValue = -1;
    EXPECT_EQ(r->nextLong(), -(int64_t(1) << 32) - 1) << "the second half is sign-extended: (-1 << 32) + -1";
    EXPECT_EQ(r->nextInt(16), -1) << "16 * -1 >> 31";
}


}  // namespace randomtest
