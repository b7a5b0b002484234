#include <gtest/gtest.h>

#include <string>

#include "hal/base/HALString.h"
#include "hal/base/Memory.h"

namespace {

std::u16string text(const HALString* s) { return std::u16string(s->chars(), s->length()); }

HALString* nullString() { return new HALString(static_cast<const char16_t*>(nullptr)); }

TEST(HALString, AStringMadeFromNullIsEmptyWithoutCharacters) {
    HALString* empty = nullString();
    EXPECT_EQ(empty->chars(), nullptr);
    EXPECT_EQ(empty->charAt(0), 0);
    EXPECT_EQ(empty->lastIndexOf(u'a'), -1);
    char16_t buffer[2];
    EXPECT_EQ(empty->getChars(buffer), 0);
    EXPECT_EQ(HAL_getStringCharacters(empty, buffer), 2);
    uint32_t length = 99;
    EXPECT_EQ(HAL_getStringLength(empty, &length), 0);
    EXPECT_EQ(length, 0u);
    EXPECT_EQ(HAL_deleteString(empty), 0);
    EXPECT_EQ(HAL_deleteString(nullptr), 2);
}

TEST(HALString, CopiesTerminateAndSearchesStayInBounds) {
    const char16_t source[] = u"a=b=c and more";
    HALString* s = new HALString(source, 5);
    EXPECT_EQ(text(s), u"a=b=c");
    EXPECT_EQ(s->chars()[5], 0);
    EXPECT_NE(s->chars(), source);
    HALString* copy = new HALString(*s);
    EXPECT_NE(copy->chars(), s->chars());
    HALString* sub = s->substring(1, 4);
    EXPECT_EQ(text(sub), u"=b=");
    HALString* none = s->substring(3, 3);
    ASSERT_NE(none->chars(), nullptr);
    EXPECT_EQ(none->chars()[0], 0);
    EXPECT_EQ(s->indexOf(u'='), 1);
    EXPECT_EQ(s->indexOf(u'=', 2), 3);
    EXPECT_EQ(s->indexOf(u'=', 5), -1);
    EXPECT_EQ(s->lastIndexOf(u'='), 3);
    EXPECT_EQ(s->charAt(4), u'c');
    EXPECT_EQ(s->charAt(5), 0);
    EXPECT_EQ(s->charAt(-1), 0);
    for (HALString* each : {s, copy, sub, none}) each->release();
}

TEST(HALString, EqualityComparesTexts) {
    HALString* abc = new HALString(u"abc");
    const struct {
        HALString* other;
        int equal;
    } cases[] = {{new HALString(u"abc"), 1}, {new HALString(u"abd"), 0}, {new HALString(u"ab"), 0},
                 {new HALString(u"abcd"), 0}, {nullString(), 0}};
    for (const auto& c : cases) {
        EXPECT_EQ(abc->equals(c.other), c.equal) << c.other->length();
        EXPECT_EQ(c.other->equals(abc), c.equal) << c.other->length();
        c.other->release();
    }
    EXPECT_EQ(abc->equals(nullptr), 0);
    HALString *empty1 = nullString(), *empty2 = nullString();
    EXPECT_EQ(empty1->equals(empty2), 1);
    for (HALString* s : {abc, empty1, empty2}) s->release();
}

TEST(HALString, AppendGrowsTheTextAndTheLastReleaseFreesIt) {
    const uint64_t before = HAL_getAllocatedBytes();
    HALString* s = nullString();
    s->append(u"ab");
    s->append(static_cast<const char16_t*>(nullptr));
    s->append(u"");
    HALString* tail = new HALString(u"cd");
    s->append(tail);
    s->append(s);
    EXPECT_EQ(text(s), u"abcdabcd");
    EXPECT_EQ(s->chars()[8], 0);
    tail->release();
    s->addRef();
    s->release();
    EXPECT_EQ(text(s), u"abcdabcd") << "still alive after the first release";
    s->release();
    EXPECT_EQ(HAL_getAllocatedBytes(), before);
}

}  // namespace
