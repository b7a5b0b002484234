// FastRandom: the xorshift vectors, the ranges of the bounded draws and the argument errors.

#include <gtest/gtest.h>

#include "src/kv/util/kv_util_FastRandom.h"
#include "tests/kv/KvTestSupport.h"

namespace {

using kv::util::FastRandom;
using kvtest::thrown;

VMPtr<FastRandom> seeded(int64_t seed) {
    VMPtr<FastRandom> r = FastRandom::_VM_new();
    r->_VM_init();
    r->setSeed(seed);
    return r;
}

class FastRandomTest : public testing::Test {
protected:
    void SetUp() override { testRuntime(); }
};

TEST_F(FastRandomTest, StepsFromSeedOne) {
    VMPtr<FastRandom> r = seeded(1);
    EXPECT_EQ(r->nextLong(), 0x2200011);
    EXPECT_EQ(r->nextLong(), 0x4040000008181);
    EXPECT_EQ(uint64_t(r->nextLong()), 0x8044451222201133ull);
    EXPECT_EQ(seeded(1)->nextInt(), 35651601);
}

TEST_F(FastRandomTest, BoundedDrawsStayInRange) {
    VMPtr<FastRandom> r = seeded(12345);
    for (int32_t n : {10, -10, 1, -1, INT32_MIN}) {
        for (int i = 0; i < 200; ++i) {
            const int32_t v = r->nextInt(n);
            EXPECT_GE(v, 0);
            EXPECT_LT(int64_t(v), n == INT32_MIN ? INT64_MAX : std::abs(int64_t(n)));
        }
    }
    for (int i = 0; i < 200; ++i) {
        const double d = r->nextDouble();
        const float f = r->nextFloat();
        EXPECT_TRUE(d >= 0 && d < 1 && f >= 0 && f < 1);
    }
}

TEST_F(FastRandomTest, ArgumentErrors) {
    VMPtr<FastRandom> r = seeded(7);
    const std::string message = "java.lang.IllegalArgumentException: FastRandom.nextInt() numberOfBits must be positive";
    EXPECT_EQ(thrown([&] { r->nextBits(0); }), message);
    EXPECT_EQ(thrown([&] { r->nextBits(-1); }), message);
    EXPECT_NE(thrown([&] { r->nextInt(0); }).find("IllegalArgumentException"), std::string::npos);
    VMPtr<FastRandom> same = seeded(7);
    same->nextLong();
    EXPECT_EQ(r->nextBits(64), 0);  // the mask wraps to 0 but the state still advances
    EXPECT_EQ(r->state, same->state);
}

TEST_F(FastRandomTest, SeedZeroIsAFixedPoint) {
    VMPtr<FastRandom> r = seeded(0);
    EXPECT_EQ(r->nextInt(), 0);
    EXPECT_EQ(r->nextFloat(), 0.0f);
    EXPECT_EQ(r->nextDouble(), 0.0);
}

}  // namespace
