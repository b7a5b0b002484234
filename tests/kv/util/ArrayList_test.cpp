// ArrayList: growth steps, index checks and their messages, matching, bulk removal, size
// changes, sub-lists and the guarded array arguments.

#include <gtest/gtest.h>

#include "pb_src/j2me/java_lang_Integer.h"
#include "src/kv/util/kv_util_ArrayList.h"
#include "tests/kv/KvTestSupport.h"

namespace {

using kv::util::ArrayList;
using kvtest::thrown;
using ObjectArray = ArrayList::ObjectArray;

VMPtr<ArrayList> list(int32_t capacity = 8, int32_t increment = 0) {
    VMPtr<ArrayList> l = ArrayList::_VM_new();
    return l->_VM_init(capacity, increment);
}

VMPtr<java::lang::Object> num(int32_t v) { return java::lang::String::valueOf(v); }

VMPtr<ArrayList> of(std::initializer_list<int32_t> values) {
    VMPtr<ArrayList> l = list();
    for (int32_t v : values) l->add(num(v));
    return l;
}

std::string show(const VMPtr<ArrayList>& l) {
    std::string s;
    for (int32_t i = 0; i < l->size(); ++i) s += (l->get(i) ? l->get(i)->toString()->toUtf8() : "null") + ",";
    return s;
}

class ArrayListTest : public testing::Test {
protected:
    void SetUp() override { testRuntime(); }
};

TEST_F(ArrayListTest, GrowsByHalfOrByTheIncrement) {
    struct Case { int32_t increment; int32_t adds; int32_t capacity; } cases[] = {{0, 9, 12}, {0, 13, 18}, {5, 9, 13}};
    for (const Case& c : cases) {
        VMPtr<ArrayList> l = list(8, c.increment);
        for (int32_t i = 0; i < c.adds; ++i) l->add(num(i));
        EXPECT_EQ(l->capacity(), c.capacity) << c.increment << " " << c.adds;
    }
    VMPtr<ArrayList> l = list(8, 0);
    l->ensureCapacity(100);
    EXPECT_EQ(l->capacity(), 100);
}

TEST_F(ArrayListTest, IndexChecksNameIndexAndSize) {
    VMPtr<ArrayList> three = of({1, 2, 3});
    EXPECT_EQ(thrown([&] { three->insert(3, num(9)); }), "java.lang.IndexOutOfBoundsException: Index: 3, Size: 3");
    EXPECT_EQ(thrown([&] { list()->insert(0, num(9)); }), "java.lang.IndexOutOfBoundsException: Index: 0, Size: 0");
    EXPECT_EQ(thrown([&] { list()->lastIndexOf(num(1)); }), "java.lang.IndexOutOfBoundsException: Index: -1, Size: 0");
    EXPECT_EQ(thrown([&] { list(-1, 0); }), "java.lang.IllegalArgumentException: Illegal Capacity: -1");
    EXPECT_EQ(show(three), "1,2,3,");
    three->insert(1, num(7));
    EXPECT_EQ(show(three), "1,7,2,3,");
}

TEST_F(ArrayListTest, MatchesByEqualsAndNull) {
    VMPtr<ArrayList> l = of({1, 2, 1, 2});
    l->add(nullptr);
    EXPECT_EQ(list()->indexOf(num(1)), -1);
    EXPECT_EQ(l->indexOf(num(2)), 1);
    EXPECT_EQ(l->indexOf(num(1), -5), 0);  // a negative start counts as 0
    EXPECT_EQ(l->indexOf(num(1), 9), -1);
    EXPECT_EQ(l->indexOf(nullptr), 4);
    EXPECT_EQ(l->lastIndexOf(num(1)), 2);
    EXPECT_TRUE(l->remove(num(2)));
    EXPECT_EQ(show(l), "1,1,2,null,");
    EXPECT_TRUE(l->removeAll(of({1})));
    EXPECT_EQ(show(l), "2,null,");
    EXPECT_FALSE(l->removeAll(of({5})));
    EXPECT_TRUE(of({1, 2, 3})->containsAll(of({3, 1})));
    EXPECT_FALSE(of({1, 2})->containsAll(of({3})));
}

TEST_F(ArrayListTest, SetSizeClearsButResizeKeeps) {
    VMPtr<ArrayList> cut = of({0, 1, 2, 3, 4});
    VMPtr<ArrayList> kept = of({0, 1, 2, 3, 4});
    cut->setSize(2);
    kept->resize(2);
    EXPECT_EQ(cut->size(), 2);
    EXPECT_EQ(kept->size(), 2);
    EXPECT_EQ(cut->elements->elements()[3], nullptr);
    EXPECT_NE(kept->elements->elements()[3], nullptr);
    cut->setSize(4);
    EXPECT_EQ(show(cut), "0,1,null,null,");
}

// A negative size leaves no slot to append at: add throws at that index and the list
// keeps its size and its elements.
TEST_F(ArrayListTest, AddAfterANegativeSizeIsRefused) {
    for (bool clearing : {true, false}) {
        VMPtr<ArrayList> l = of({0, 1, 2});
        if (clearing) l->setSize(-2);
        else l->resize(-2);
        EXPECT_EQ(thrown([&] { l->add(num(9)); }), "java.lang.ArrayIndexOutOfBoundsException: Array index out of range: -2")
            << (clearing ? "setSize" : "resize");
        EXPECT_EQ(l->size(), -2);
        l->resize(3);
        EXPECT_EQ(show(l), clearing ? "null,null,null," : "0,1,2,");
    }
}

TEST_F(ArrayListTest, SubListsAreCopies) {
    VMPtr<ArrayList> l = of({0, 1, 2, 3});
    EXPECT_EQ(l->subList(2, 2)->capacity(), 0);
    EXPECT_EQ(thrown([&] { l->subList(3, 2); }), "java.lang.IllegalArgumentException: fromIndex(3) > toIndex(2)");
    EXPECT_EQ(thrown([&] { l->subList(-1, 2); }), "java.lang.IndexOutOfBoundsException: fromIndex = -1");
    EXPECT_EQ(thrown([&] { l->subList(0, 5); }), "java.lang.IndexOutOfBoundsException: toIndex = 5");
    VMPtr<ArrayList> middle = l->subList(1, 3);
    middle->set(0, num(9));
    EXPECT_EQ(show(middle), "9,2,");
    EXPECT_EQ(show(l), "0,1,2,3,");
    EXPECT_EQ(show(l->copy()), "0,1,2,3,");
}

TEST_F(ArrayListTest, BulkOperationsAndArrays) {
    VMPtr<ArrayList> l = of({1, 4});
    l->insertAll(1, of({2, 3}));
    l->addAll(of({5}));
    VMPtr<ObjectArray> extra = ObjectArray::_VM_new(1);
    extra->set(0, num(6));
    l->addAll(extra);
    EXPECT_EQ(show(l), "1,2,3,4,5,6,");
    VMPtr<ObjectArray> shortArray = ObjectArray::_VM_new(2);
    VMPtr<ObjectArray> copied = l->toArray(shortArray);
    EXPECT_NE(copied.get(), shortArray.get());  // a short array is replaced
    EXPECT_EQ(copied->length, 6);
    VMPtr<ObjectArray> longArray = ObjectArray::_VM_new(8);
    longArray->set(7, num(7));
    EXPECT_EQ(l->toArray(longArray).get(), longArray.get());
    EXPECT_NE(longArray->elements()[7], nullptr);
    l->trimToSize();
    EXPECT_EQ(l->capacity(), 6);
    EXPECT_EQ(l->remove(0)->toString()->toUtf8(), "1");
    l->clear();
    EXPECT_TRUE(l->isEmpty());
    EXPECT_EQ(l->elements->elements()[0], nullptr);
}

}  // namespace
