#include <gtest/gtest.h>

#include <string>

#include "hal/base/HALString.h"
#include "hal/base/Memory.h"

namespace {

std::u16string text(const HALString* s) { return std::u16string(s->chars(), s->length()); }

TEST(HALString, AStringMadeFromNullIsEmptyWithoutCharacters) {
    HALString* empty = new HALString(static_cast<const char16_t*>(nullptr));
    EXPECT_EQ(empty->length(), 0u);
    EXPECT_EQ(empty->chars(), nullptr);
    EXPECT_EQ(empty->charAt(0), 0);
    EXPECT_EQ(empty->indexOf(u'a'), -1);
    EXPECT_EQ(empty->lastIndexOf(u'a'), -1);
    char16_t buffer[2];
    EXPECT_EQ(empty->getChars(buffer), 0);
    EXPECT_EQ(HAL_getStringCharacters(empty, buffer), 2);
    uint32_t length = 99;
    EXPECT_EQ(HAL_getStringLength(empty, &length), 0);
    EXPECT_EQ(length, 0u);
    EXPECT_EQ(HAL_deleteString(empty), 0);
}

TEST(HALString, ConstructionCopiesAndTerminates) {
    const char16_t source[] = u"hello world";
    HALString* counted = new HALString(source, 5);
    EXPECT_EQ(text(counted), u"hello");
    EXPECT_EQ(counted->chars()[5], 0);
    EXPECT_NE(counted->chars(), source);

    HALString* copy = new HALString(*counted);
    EXPECT_EQ(copy->equals(counted), 1);
    EXPECT_NE(copy->chars(), counted->chars());

    HALString* sub = counted->substring(1, 4);
    EXPECT_EQ(text(sub), u"ell");
    HALString* none = counted->substring(3, 3);
    EXPECT_EQ(none->length(), 0u);
    ASSERT_NE(none->chars(), nullptr);
    EXPECT_EQ(none->chars()[0], 0);

    for (HALString* s : {counted, copy, sub, none}) s->release();
}

TEST(HALString, SearchesAndBoundedCharacterAccess) {
    HALString* s = new HALString(u"a=b=c");
    EXPECT_EQ(s->indexOf(u'='), 1);
    EXPECT_EQ(s->indexOf(u'=', 2), 3);
    EXPECT_EQ(s->indexOf(u'=', 5), -1);
    EXPECT_EQ(s->indexOf(u'x'), -1);
    EXPECT_EQ(s->lastIndexOf(u'='), 3);
    EXPECT_EQ(s->charAt(4), u'c');
    EXPECT_EQ(s->charAt(5), 0);
    EXPECT_EQ(s->charAt(-1), 0);
    s->release();
}

TEST(HALString, EqualityComparesTexts) {
    HALString* a = new HALString(u"abc");
    HALString* b = new HALString(u"abc");
    HALString* c = new HALString(u"abd");
    HALString* shorter = new HALString(u"ab");
    HALString* empty1 = new HALString(static_cast<const char16_t*>(nullptr));
    HALString* empty2 = new HALString(static_cast<const char16_t*>(nullptr));
    EXPECT_EQ(a->equals(b), 1);
    EXPECT_EQ(a->equals(a), 1);
    EXPECT_EQ(a->equals(c), 0);
    EXPECT_EQ(a->equals(shorter), 0);
    EXPECT_EQ(shorter->equals(a), 0);
    EXPECT_EQ(a->equals(nullptr), 0);
    EXPECT_EQ(empty1->equals(empty2), 1);
    EXPECT_EQ(a->equals(empty1), 0);
    for (HALString* s : {a, b, c, shorter, empty1, empty2}) s->release();
}

TEST(HALString, AppendGrowsTheText) {
    HALString* s = new HALString(static_cast<const char16_t*>(nullptr));
    s->append(u"ab");
    s->append(static_cast<const char16_t*>(nullptr));
    s->append(u"");
    HALString* tail = new HALString(u"cd");
    s->append(tail);
    EXPECT_EQ(text(s), u"abcd");
    s->append(s);
    EXPECT_EQ(text(s), u"abcdabcd");
    EXPECT_EQ(s->chars()[8], 0);
    s->freeChars();
    EXPECT_EQ(s->length(), 0u);
    tail->release();
    s->release();
}

TEST(HALString, ReferenceCountingKeepsTheStringUntilTheLastRelease) {
    const uint64_t before = HAL_getAllocatedBytes();
    HALString* s = new HALString(u"shared");
    s->addRef();
    EXPECT_EQ(s->referenceCount(), 2);
    s->release();
    EXPECT_EQ(text(s), u"shared") << "still alive after the first release";
    EXPECT_GT(HAL_getAllocatedBytes(), before);
    s->release();  // frees it: the characters' counted block is returned
    EXPECT_EQ(HAL_getAllocatedBytes(), before);
    EXPECT_EQ(HAL_deleteString(nullptr), 2);
}

}  // namespace
