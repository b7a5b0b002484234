#include <gtest/gtest.h>

#include "lib_src/vm/VMCString.h"
#include "lib_src/vm/VMList.h"
#include "lib_src/vm/VMStringMap.h"
#include "tests/vm/TestRuntime.h"

namespace {

TEST(CString, AssignAppendAndCompare) {
    testRuntime();
    VMCString text("abc");
    text.assign("xyz", 0);
    EXPECT_STREQ(text.c_str(), "abc") << "a count of 0 keeps the old string";
    text.assign("xyz", 2);
    EXPECT_STREQ(text.c_str(), "xy");
    text.assign("q\0rs", 4);
    EXPECT_STREQ(text.c_str(), "q") << "stops at a NUL";

    VMCString empty;
    EXPECT_EQ(empty.length(), 0u);
    empty.append("tail");
    EXPECT_STREQ(empty.c_str(), "tail");
    empty.append(nullptr);
    empty.append("++", 1);
    EXPECT_STREQ(empty.c_str(), "tail+");
    EXPECT_TRUE(empty.equals("tail+"));
    EXPECT_FALSE(empty.equals(nullptr));
    EXPECT_LT(VMCString("a").compare(VMCString("b")), 0);
    VMCString copy(empty);
    EXPECT_NE(copy.c_str(), empty.c_str());
    EXPECT_EQ(copy.compare(empty), 0);
}

TEST(StringMap, HashesBytesAsSignedValues) {
    testRuntime();
    EXPECT_EQ(VMStringMap::hash(VMCString("")), 0u);
    EXPECT_EQ(VMStringMap::hash(VMCString("\xFF")), 0xFFFFFFFFu);
    EXPECT_EQ(VMStringMap::hash(VMCString("ab")), uint32_t('a' * 31 + 'b'));
    EXPECT_EQ(0xFFFFFFFFu % 200, 95u);
}

TEST(StringMap, PutGetReplaceAndCollisions) {
    testRuntime();
    VMStringMap map;
    int one = 1, two = 2, three = 3;
    // "Aa" and "BB" share a hash (and so a bucket).
    ASSERT_EQ(VMStringMap::hash(VMCString("Aa")), VMStringMap::hash(VMCString("BB")));
    map.put(VMCString("Aa"), &one);
    map.put(VMCString("BB"), &two);
    void* found = nullptr;
    ASSERT_EQ(map.get(VMCString("Aa"), &found), 1);
    EXPECT_EQ(found, &one);
    ASSERT_EQ(map.get(VMCString("BB"), &found), 1);
    EXPECT_EQ(found, &two);
    map.put(VMCString("Aa"), &three);
    EXPECT_EQ(map.count(), 2);
    map.get(VMCString("Aa"), &found);
    EXPECT_EQ(found, &three);
    found = &one;
    EXPECT_EQ(map.get(VMCString("missing"), &found), 0);
    EXPECT_EQ(found, &one) << "untouched for an absent key";
}

TEST(StringMap, ClearReturnsEveryBlockIncludingKeys) {
    testRuntime();
    const uint64_t before = _VM_heapState().used;
    {
        VMStringMap map(16);
        for (int i = 0; i < 100; ++i) map.put(VMCString(std::to_string(i).c_str()), &map);
        map.clear();
        EXPECT_EQ(map.count(), 0);
        EXPECT_EQ(map.get(VMCString("5"), nullptr), 0);
    }
    EXPECT_EQ(_VM_heapState().used, before);
}

std::vector<int*> values(const VMList& list) {
    std::vector<int*> out;
    for (VMList::Node* node = list.begin(); node; node = VMList::next(node)) out.push_back(static_cast<int*>(VMList::value(node)));
    return out;
}

TEST(List, PushRemoveAndKeepEndsConsistent) {
    testRuntime();
    int a, b, c;
    VMList list;
    list.remove(&a);  // empty: nothing
    list.pushBack(&b);
    list.pushFront(&a);
    list.pushBack(&c);
    list.pushBack(nullptr);
    list.pushFront(nullptr);
    EXPECT_EQ(values(list), (std::vector<int*>{&a, &b, &c}));
    list.remove(&a);  // head
    EXPECT_EQ(values(list), (std::vector<int*>{&b, &c}));
    list.remove(&c);  // tail
    EXPECT_EQ(values(list), (std::vector<int*>{&b}));
    EXPECT_EQ(list.tail(), list.begin());
    list.remove(&b);  // only node
    EXPECT_TRUE(list.empty());
    EXPECT_EQ(list.tail(), nullptr);
    list.pushBack(&c);
    EXPECT_EQ(values(list), (std::vector<int*>{&c}));
}

}  // namespace
