// The rectangle overlap test and the pairwise test of rectangle lists: shared edges, empty
// rectangles, the first overlapping pair in row order, and record counts beyond the arrays.

#include <gtest/gtest.h>

#include "src/kv/kv_Gob.h"
#include "tests/kv/KvTestSupport.h"

namespace {

using kv::Gob;
using kv::Paintable;
using IntArray = Gob::IntArray;

VMPtr<IntArray> ints(const std::vector<int32_t>& values) {
    VMPtr<IntArray> array = IntArray::_VM_new(int32_t(values.size()));
    for (size_t i = 0; i < values.size(); ++i) array->elements()[i] = values[i];
    return array;
}

class OverlapTest : public testing::Test {
protected:
    void SetUp() override { testRuntime(); }
};

TEST_F(OverlapTest, StrictOverlap) {
    struct Case { int32_t r[8]; bool overlaps; } cases[] = {
        {{0, 0, 10, 10, 10, 0, 5, 5}, false}, {{0, 0, 10, 10, 9, 9, 5, 5}, true},
        {{0, 0, 0, 10, 0, 0, 5, 5}, false},   {{0, 0, 10, 10, 2, 2, 1, 1}, true},
        {{INT32_MAX - 1, 0, 10, 10, INT32_MIN, 0, 10, 10}, false}};
    for (const Case& c : cases)
        EXPECT_EQ(Paintable::overlaps(c.r[0], c.r[1], c.r[2], c.r[3], c.r[4], c.r[5], c.r[6], c.r[7]), c.overlaps);
}

TEST_F(OverlapTest, ListsStopAtTheFirstPairWithOut) {
    VMPtr<IntArray> a = ints({100, 100, 5, 5, 1, 0, 0, 10, 10, 2});
    VMPtr<IntArray> b = ints({50, 50, 5, 5, 3, 5, 5, 10, 10, 4, 8, 8, 10, 10, 5});
    VMPtr<IntArray> out = IntArray::_VM_new(6);
    EXPECT_TRUE(Gob::collideLists(2, a, 3, b, out));
    EXPECT_EQ(std::vector<int32_t>(out->elements(), out->elements() + 6), (std::vector<int32_t>{5, 5, 5, 5, 2, 4}));
    EXPECT_TRUE(Gob::collideLists(2, a, 3, b, nullptr));
    EXPECT_FALSE(Gob::collideLists(1, a, 3, b, out));
    EXPECT_NE(kvtest::thrown([&] { Gob::collideLists(3, a, 1, b, nullptr); }).find("ArrayIndexOutOfBounds"), std::string::npos);
    EXPECT_NE(kvtest::thrown([&] { Gob::collideLists(1, a, 1, b, IntArray::_VM_new(5)); }).find("ArrayIndexOutOfBounds"),
              std::string::npos);
}

}  // namespace
