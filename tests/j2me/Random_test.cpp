// Random: every operation against values written by OpenJDK 17 for the same seeds
// (reference/RandomReference.inc), the seed scrambling, the failure of nextInt(n), the
// number of draws each operation takes, and subclasses that replace next or setSeed.
//
// Where this generator differs from OpenJDK 17 (each is noted where it is tested):
// - nextInt(n) with n <= 0 says "n must be positive"; OpenJDK says "bound must be positive".
// - the argument-less constructor seeds with currentTimeMillis, so two generators made in
//   the same millisecond agree; OpenJDK mixes a per-process counter with nanoTime.
// - only the CLDC operations exist: no nextBoolean, nextBytes, nextGaussian or streams.

#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <iterator>

#include "pb_src/j2me/java_lang_Class.h"
#include "pb_src/j2me/java_lang_IllegalArgumentException.h"
#include "pb_src/j2me/java_lang_System.h"
#include "pb_src/j2me/java_util_Random.h"
#include "tests/j2me/reference/RandomReference.inc"
#include "tests/vm/TestRuntime.h"

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

TEST(Random, IsRegisteredWithAFactoryThatSeedsFromTheClock) {
    testRuntime();
    java::lang::Class* record = Random::_VM_getClass();
    EXPECT_EQ(_VM_findClass(_VM_getClassRegistry(), "java.util.Random"), record);
    EXPECT_STREQ(record->sourceFile.c_str(), "target/winmo/pb_src/j2me/java_util_Random");

    // Unlike OpenJDK's argument-less seed (a counter mixed with nanoTime), the clock alone.
    const int64_t before = java::lang::System::currentTimeMillis();
    VMPtr<java::lang::Object> made = record->newInstance();
    const int64_t after = java::lang::System::currentTimeMillis();
    auto* generator = dynamic_cast<Random*>(made.get());
    ASSERT_NE(generator, nullptr);
    const int64_t clock = int64_t((uint64_t(generator->seed) ^ Random::kMultiplier) & Random::kMask);
    EXPECT_GE(clock, before & int64_t(Random::kMask));
    EXPECT_LE(clock, after & int64_t(Random::kMask));
}

TEST(Random, SeedingKeepsTheLow48BitsScrambledByTheMultiplier) {
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

TEST(Random, NextIntRejectsBoundsBelowOneWithoutDrawing) {
    testRuntime();
    VMPtr<CountingRandom> r = counting(5);
    const int64_t before = r->seed;
    for (int32_t bound : {0, -5, INT32_MIN}) {
        try {
            r->nextInt(bound);
            FAIL() << bound;
        } catch (java::lang::IllegalArgumentException* caught) {
            VMPtr<java::lang::IllegalArgumentException> e(caught);
            EXPECT_EQ(e->getMessage()->toUtf8(), "n must be positive") << "OpenJDK: bound must be positive";
        }
    }
    EXPECT_EQ(r->draws, 0);
    EXPECT_EQ(r->seed, before);
}

TEST(Random, DrawsTakenByEachOperation) {
    testRuntime();
    VMPtr<CountingRandom> r = counting(99);
    for (int i = 0; i < 50; ++i) EXPECT_EQ(r->nextInt(1), 0);
    EXPECT_EQ(r->draws, 50) << "one 31-bit draw each";
    EXPECT_EQ(r->lastBits, 31);

    // A power of two takes the top bits of one 31-bit draw.
    VMPtr<Random> plain = seeded(99);
    VMPtr<Random> twin = seeded(99);
    for (int i = 0; i < 20; ++i) EXPECT_EQ(plain->nextInt(16), twin->next(31) >> 27);

    r->draws = 0;
    r->nextLong();
    EXPECT_EQ(r->draws, 2);
    EXPECT_EQ(r->lastBits, 32);
    r->draws = 0;
    r->nextDouble();
    EXPECT_EQ(r->draws, 2);
    EXPECT_EQ(r->lastBits, 27) << "26 bits, then 27";
    r->draws = 0;
    r->nextFloat();
    EXPECT_EQ(r->draws, 1);
    EXPECT_EQ(r->lastBits, 24);

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

TEST(Random, ASubclassThatReplacesSetSeedSeesTheConstructorsSeed) {
    testRuntime();
    VMPtr<CountingRandom> r = counting(123456789);
    EXPECT_EQ(r->seedCalls, 1);
    EXPECT_EQ(r->seedsSeen[0], 123456789);
    EXPECT_EQ(r->nextInt(), seeded(123456789)->nextInt());
    r->setSeed(INT64_MIN);
    EXPECT_EQ(r->seedsSeen[1], INT64_MIN);
    EXPECT_EQ(r->seed, 0x5DEECE66DLL) << "bit 63 is dropped";
}

}  // namespace randomtest
