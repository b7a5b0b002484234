// IntHashtable: bucket growth, iteration order, negative keys, replacement, removal,
// clearing, copies and the guarded output arrays.

#include <gtest/gtest.h>

#include "src/kv/util/kv_util_IntHashtable.h"
#include "tests/kv/KvTestSupport.h"

namespace {

using kv::util::IntHashtable;
using kvtest::text;
using kvtest::thrown;

VMPtr<IntHashtable> table(int32_t capacity) {
    VMPtr<IntHashtable> t = IntHashtable::_VM_new();
    return t->_VM_init(capacity);
}

std::vector<int32_t> keys(const VMPtr<IntHashtable>& t) {
    VMPtr<IntHashtable::IntArray> out = IntHashtable::IntArray::_VM_new(t->size());
    t->keys(out);
    return std::vector<int32_t>(out->elements(), out->elements() + out->length);
}

class IntHashtableTest : public testing::Test {
protected:
    void SetUp() override { testRuntime(); }
};

TEST_F(IntHashtableTest, GrowsAtTheThreshold) {
    struct Case { int32_t capacity; int32_t puts; int32_t buckets; int32_t threshold; } cases[] = {
        {0, 1, 3, 2}, {1, 1, 3, 2}, {128, 96, 128, 96}, {128, 97, 257, 192}};
    for (const Case& c : cases) {
        VMPtr<IntHashtable> t = table(c.capacity);
        for (int32_t k = 0; k < c.puts; ++k) t->put(k, text("v"));
        for (int32_t k = 0; k < c.puts; ++k) t->put(k, text("w"));  // replacing never grows
        EXPECT_EQ(t->table->length, c.buckets) << c.capacity << " " << c.puts;
        EXPECT_EQ(t->threshold, c.threshold);
        EXPECT_EQ(t->size(), c.puts);
    }
}

TEST_F(IntHashtableTest, IteratesLastBucketFirstNewestFirst) {
    VMPtr<IntHashtable> t = table(7);
    for (int32_t k : {1, 8, 2, 15}) t->put(k, text(std::to_string(k)));
    EXPECT_EQ(keys(t), (std::vector<int32_t>{2, 15, 8, 1}));
    VMPtr<IntHashtable::ObjectArray> values = IntHashtable::ObjectArray::_VM_new(4);
    t->values(values);
    EXPECT_EQ(values->elements()[1]->toString()->toUtf8(), "15");
}

TEST_F(IntHashtableTest, NegativeKeysStayDistinct) {
    VMPtr<IntHashtable> t = table(5);
    t->put(-1, text("minus"));
    t->put(0x7FFFFFFF, text("max"));
    EXPECT_EQ(t->get(-1)->toString()->toUtf8(), "minus");
    EXPECT_EQ(t->get(0x7FFFFFFF)->toString()->toUtf8(), "max");
    EXPECT_EQ(t->table->elements()[0x7FFFFFFF % 5]->next->key, -1);
}

TEST_F(IntHashtableTest, PutRemoveClearAndClone) {
    VMPtr<IntHashtable> t = table(4);
    EXPECT_FALSE(t->put(3, text("a")));
    EXPECT_EQ(t->put(3, text("b"))->toString()->toUtf8(), "a");
    EXPECT_EQ(t->size(), 1);
    t->put(7, text("c"));
    VMPtr<IntHashtable> copy = VMPtr<IntHashtable>(dynamic_cast<IntHashtable*>(t->clone().get()));
    EXPECT_FALSE(t->remove(99));
    EXPECT_EQ(t->remove(3)->toString()->toUtf8(), "b");
    EXPECT_EQ(t->size(), 1);
    EXPECT_FALSE(t->containsKey(3));
    EXPECT_TRUE(copy->containsKey(3));  // the copy's chains are its own
    EXPECT_EQ(copy->size(), 2);
    t->clear();
    EXPECT_TRUE(t->isEmpty());
    EXPECT_EQ(t->table->length, 4);
    EXPECT_TRUE(keys(t).empty());
    EXPECT_NE(thrown([&] { copy->keys(IntHashtable::IntArray::_VM_new(1)); }).find("ArrayIndexOutOfBounds"),
              std::string::npos);
}

}  // namespace
