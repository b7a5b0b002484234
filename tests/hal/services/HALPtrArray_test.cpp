#include <gtest/gtest.h>

#include <cmath>

#include "hal/base/Memory.h"
#include "hal/services/HALPtrArray.h"

namespace {

int values[16];

TEST(HALPtrArray, GrowsToTheNeededCountTimesTheFactorKeepingTheOrder) {
    const uint64_t before = HAL_getAllocatedBytes();
    HALPtrArray* array = HALPtrArray::create();
    EXPECT_EQ(array->capacity(), 8);
    for (int i = 0; i < 8; ++i) ASSERT_EQ(array->append(&values[i]), 0);
    EXPECT_EQ(array->capacity(), 8);
    array->append(&values[8]);
    EXPECT_EQ(array->capacity(), 13) << "9 x 1.5, truncated";
    for (int i = 9; i < 14; ++i) array->append(&values[i]);
    EXPECT_EQ(array->capacity(), 21) << "14 x 1.5";
    for (int i = 0; i < 14; ++i) EXPECT_EQ(array->at(i), &values[i]);
    EXPECT_EQ(array->at(-1), nullptr);
    EXPECT_EQ(array->at(14), nullptr);
    HALPtrArray::destroy(array);
    EXPECT_EQ(HAL_getAllocatedBytes(), before) << "the record and its storage are counted blocks";

    for (double factor : {0.0, 1.0, double(NAN)}) {  // every factor makes room for the entry
        HALPtrArray* slow = HALPtrArray::create(-3, factor);
        for (int i = 0; i < 3; ++i) ASSERT_EQ(slow->append(&values[i]), 0);
        EXPECT_EQ(slow->at(2), &values[2]);
        HALPtrArray::destroy(slow);
    }
}

TEST(HALPtrArray, RemovingMovesLaterEntriesDown) {
    HALPtrArray* array = HALPtrArray::create(4, 1.5);
    for (int i : {0, 1, 2, 1}) array->append(&values[i]);
    EXPECT_TRUE(array->remove(&values[1]));  // the first of two equal entries
    ASSERT_EQ(array->size(), 3);
    EXPECT_EQ(array->at(1), &values[2]);
    EXPECT_EQ(array->indexOf(&values[1]), 2);
    EXPECT_TRUE(array->removeAt(2));
    EXPECT_FALSE(array->removeAt(2));
    EXPECT_FALSE(array->remove(&values[7]));
    EXPECT_EQ(array->size(), 2);
    HALPtrArray::destroy(array);
}

}  // namespace
