// The runtime's own containers: native strings, the string-keyed map and the list.

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
    text.assign("q\0rs", 4);
    EXPECT_STREQ(text.c_str(), "q") << "stops at a NUL";
    VMCString grown;
    grown.append("tail");
    grown.append(nullptr);
    grown.append("++", 1);
    EXPECT_TRUE(grown.equals("tail+"));
    EXPECT_FALSE(grown.equals(nullptr));
    EXPECT_LT(VMCString("a").compare(VMCString("b")), 0);
    VMCString copy(grown);
    EXPECT_NE(copy.c_str(), grown.c_str());
    EXPECT_EQ(copy.compare(grown), 0);
}

TEST(StringMap, HashesSignedBytesAndKeepsCollidingKeysApart) {
    testRuntime();
    EXPECT_EQ(VMStringMap::hash(VMCString("\xFF")), 0xFFFFFFFFu);
    ASSERT_EQ(VMStringMap::hash(VMCString("Aa")), VMStringMap::hash(VMCString("BB")));
    VMStringMap map;
    int one = 1, two = 2, three = 3;
    map.put(VMCString("Aa"), &one);
    map.put(VMCString("BB"), &two);
    map.put(VMCString("Aa"), &three);
    EXPECT_EQ(map.count(), 2);
    void* found = nullptr;
    for (auto [key, value] : {std::pair{"Aa", &three}, std::pair{"BB", &two}}) {
        ASSERT_EQ(map.get(VMCString(key), &found), 1);
        EXPECT_EQ(found, value) << key;
    }
    EXPECT_EQ(map.get(VMCString("missing"), &found), 0);
    EXPECT_EQ(found, &two) << "untouched for an absent key";
}

TEST(StringMap, ClearReturnsEveryBlockIncludingKeys) {
    testRuntime();
    const uint64_t before = _VM_heapState().used;
    {
        VMStringMap map(16);
        for (int i = 0; i < 100; ++i) map.put(VMCString(std::to_string(i).c_str()), &map);
        map.clear();
        EXPECT_EQ(map.get(VMCString("5"), nullptr), 0);
    }
    EXPECT_EQ(_VM_heapState().used, before);
}

TEST(List, PushRemoveAndKeepEndsConsistent) {
    testRuntime();
    int a, b, c;
    VMList list;
    auto values = [&] {
        std::vector<void*> out;
        for (VMList::Node* node = list.begin(); node; node = VMList::next(node)) out.push_back(VMList::value(node));
        return out;
    };
    list.remove(&a);  // empty: nothing
    list.pushBack(&b);
    list.pushFront(&a);
    list.pushBack(&c);
    list.pushBack(nullptr);  // nulls are not stored
    EXPECT_EQ(values(), (std::vector<void*>{&a, &b, &c}));
    list.remove(&a);  // head
    list.remove(&c);  // tail
    EXPECT_EQ(list.tail(), list.begin());
    list.remove(&b);  // only node
    EXPECT_TRUE(list.empty());
    EXPECT_EQ(list.tail(), nullptr);
    list.pushBack(&c);
    EXPECT_EQ(values(), (std::vector<void*>{&c}));
}

}  // namespace
