// Integer: boxing, text in any radix, unsigned text and parsing; Long's text; the
// registration of the number and character classes.

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>

#include "pb_src/j2me/java_lang_Character.h"
#include "pb_src/j2me/java_lang_Class.h"
#include "pb_src/j2me/java_lang_Double.h"
#include "pb_src/j2me/java_lang_Float.h"
#include "pb_src/j2me/java_lang_IllegalAccessException.h"
#include "pb_src/j2me/java_lang_Integer.h"
#include "pb_src/j2me/java_lang_Math.h"
#include "pb_src/j2me/java_lang_Long.h"
#include "pb_src/j2me/java_lang_Math.h"
#include "pb_src/j2me/java_lang_NullPointerException.h"
#include "pb_src/j2me/java_lang_NumberFormatException.h"
#include "tests/vm/TestRuntime.h"

namespace {

using namespace java::lang;

constexpr int32_t kIntMin = std::numeric_limits<int32_t>::min();
constexpr int32_t kIntMax = std::numeric_limits<int32_t>::max();
constexpr int64_t kLongMin = std::numeric_limits<int64_t>::min();
constexpr int64_t kLongMax = std::numeric_limits<int64_t>::max();

VMPtr<String> text(const std::string& s) { return String::fromUtf8(s.c_str()); }

std::string intText(int32_t i, int32_t radix) { return Integer::toString(i, radix)->toUtf8(); }
std::string longText(int64_t l, int32_t radix) { return Long::toString(l, radix)->toUtf8(); }

VMPtr<Integer> boxed(int32_t value) {
    VMPtr<Integer> integer = Integer::_VM_new();
    integer->_VM_init(value);
    return integer;
}

// The message of the NumberFormatException that parsing s throws; "(no exception)" when
// it parses.
std::string parseFailure(VMPtr<String> s, int32_t radix = 10) {
    try {
        Integer::parseInt(s, radix);
    } catch (NumberFormatException* caught) {
        VMPtr<NumberFormatException> e(caught);
        VMPtr<String> message = e->getMessage();
        return message ? message->toUtf8() : "(null message)";
    }
    return "(no exception)";
}

std::string parseFailure(const char* s, int32_t radix = 10) { return parseFailure(text(s), radix); }

TEST(Integer, TextInARadix) {
    testRuntime();
    EXPECT_EQ(intText(0, 10), "0");
    EXPECT_EQ(intText(255, 16), "ff");
    EXPECT_EQ(intText(-255, 2), "-11111111");
    EXPECT_EQ(intText(kIntMax, 36), "zik0zj");
    EXPECT_EQ(intText(kIntMax, 10), "2147483647");
    // A radix outside 2..36 means 10.
    EXPECT_EQ(intText(255, 37), "255");
    EXPECT_EQ(intText(-255, 1), "-255");
}

TEST(Integer, TheSmallestValueNeedsNoSpecialCase) {
    testRuntime();
    EXPECT_EQ(intText(kIntMin, 10), "-2147483648");
    EXPECT_EQ(intText(kIntMin, 16), "-80000000");
    EXPECT_EQ(intText(kIntMin, 2), "-1" + std::string(31, '0'));
    EXPECT_EQ(Integer::toString(kIntMin, 2)->length(), 33) << "fills the whole 33-character array";
}

TEST(Integer, UnsignedTextOfAllThirtyTwoBits) {
    testRuntime();
    EXPECT_EQ(Integer::toHexString(-1)->toUtf8(), "ffffffff");
    EXPECT_EQ(Integer::toHexString(0)->toUtf8(), "0");
    EXPECT_EQ(Integer::toHexString(kIntMin)->toUtf8(), "80000000");
    EXPECT_EQ(Integer::toHexString(kIntMax)->toUtf8(), "7fffffff");
    EXPECT_EQ(Integer::toUnsignedString(-1, 1)->toUtf8(), std::string(32, '1'));
    EXPECT_EQ(Integer::toUnsignedString(-1, 3)->toUtf8(), "37777777777");
    EXPECT_EQ(Integer::toUnsignedString(-1, 5)->toUtf8(), "3vvvvvv");
}

TEST(Integer, ParsesSignedTextInEveryRadix) {
    testRuntime();
    EXPECT_EQ(Integer::parseInt(text("0")), 0);
    EXPECT_EQ(Integer::parseInt(text("-0")), 0);
    EXPECT_EQ(Integer::parseInt(text("-123")), -123);
    EXPECT_EQ(Integer::parseInt(text("ff"), 16), 255);
    EXPECT_EQ(Integer::parseInt(text("FF"), 16), 255);
    EXPECT_EQ(Integer::parseInt(text("-fF"), 16), -255);
    EXPECT_EQ(Integer::parseInt(text("z"), 36), 35);
    EXPECT_EQ(Integer::parseInt(text("Kona"), 27), 411787);
    EXPECT_EQ(Integer::parseInt(text("zik0zj"), 36), kIntMax);
}

TEST(Integer, ParsingStopsExactlyAtTheThirtyTwoBitLimits) {
    testRuntime();
    EXPECT_EQ(Integer::parseInt(text("2147483647")), kIntMax);
    EXPECT_EQ(Integer::parseInt(text("-2147483648")), kIntMin);
    EXPECT_EQ(Integer::parseInt(text("-80000000"), 16), kIntMin);
    EXPECT_EQ(Integer::parseInt(text("-1" + std::string(31, '0')), 2), kIntMin);
    EXPECT_EQ(parseFailure("2147483648"), "2147483648");
    EXPECT_EQ(parseFailure("-2147483649"), "-2147483649");
    EXPECT_EQ(parseFailure("2147483650"), "2147483650") << "overflow on the last digit";
    EXPECT_EQ(parseFailure("21474836470"), "21474836470") << "overflow on the multiplication";
    EXPECT_EQ(parseFailure("4294967296"), "4294967296") << "a value that wraps to 0 in 32 bits";
    EXPECT_EQ(parseFailure("80000000", 16), "80000000");
    EXPECT_EQ(parseFailure("zik0zk", 36), "zik0zk");
}

TEST(Integer, MalformedTextIsReportedWithTheTextItself) {
    testRuntime();
    EXPECT_EQ(parseFailure("-"), "-") << "a lone minus sign";
    EXPECT_EQ(parseFailure("12 "), "12 ") << "a trailing blank is no digit";
    EXPECT_EQ(parseFailure("+5"), "+5") << "no plus sign";
    EXPECT_EQ(parseFailure("1-2"), "1-2");
    EXPECT_EQ(parseFailure("12a"), "12a") << "a letter beyond the radix";
    EXPECT_EQ(parseFailure("2", 2), "2");
    EXPECT_EQ(parseFailure("z", 35), "z");
}

TEST(Integer, LatinOneLettersAreNoDigits) {
    testRuntime();
    const std::u16string capitalAGrave(1, char16_t(0xC0));
    EXPECT_EQ(parseFailure(String::fromUtf16(capitalAGrave)), "\xC3\x80");
    EXPECT_EQ(parseFailure(String::fromUtf16(u"1\u00e9"), 36), "1\xC3\xA9");
    EXPECT_EQ(parseFailure(String::fromUtf16(u"\u0661")), "\xD9\xA1") << "digits beyond Latin-1 neither";
}

TEST(Integer, ArgumentErrorsHaveFixedMessages) {
    testRuntime();
    EXPECT_EQ(parseFailure(""), "empty String");
    EXPECT_EQ(parseFailure("", 99), "empty String") << "emptiness is checked before the radix";
    EXPECT_EQ(parseFailure("1", 1), "radix less than Character.MIN_RADIX");
    EXPECT_EQ(parseFailure("1", -10), "radix less than Character.MIN_RADIX");
    EXPECT_EQ(parseFailure("1", 37), "radix greater than Character.MAX_RADIX");
    EXPECT_EQ(Integer::parseInt(text("1"), 2), 1);
    EXPECT_EQ(Integer::parseInt(text("1"), 36), 1);
    EXPECT_THROW(Integer::parseInt(nullptr), NullPointerException*);
    EXPECT_THROW(Integer::parseInt(nullptr, 1), NullPointerException*) << "null is checked first";
}

TEST(Integer, BoxedValuesCompareHashAndPrintByValue) {
    testRuntime();
    VMPtr<Integer> a = boxed(-42);
    VMPtr<Integer> b = boxed(-42);
    EXPECT_EQ(a->value, -42);
    EXPECT_EQ(a->hashCode(), -42);
    EXPECT_EQ(boxed(kIntMin)->hashCode(), kIntMin);
    EXPECT_EQ(a->toString()->toUtf8(), "-42");
    EXPECT_EQ(boxed(kIntMin)->toString()->toUtf8(), "-2147483648");
    EXPECT_TRUE(a->equals(b));
    EXPECT_TRUE(b->equals(a));
    EXPECT_FALSE(a->equals(boxed(42)));
    EXPECT_FALSE(a->equals(text("-42"))) << "another class with the same text";
    EXPECT_FALSE(a->equals(nullptr));
    EXPECT_EQ(Integer::_VM_new()->value, 0) << "0 after allocation";
}

TEST(Long, TextOfSixtyFourBitValues) {
    testRuntime();
    EXPECT_EQ(longText(0, 10), "0");
    EXPECT_EQ(longText(kLongMin, 10), "-9223372036854775808");
    EXPECT_EQ(longText(kLongMax, 10), "9223372036854775807");
    EXPECT_EQ(longText(kLongMax, 16), "7fffffffffffffff");
    EXPECT_EQ(longText(kLongMin, 2), "-1" + std::string(63, '0'));
    EXPECT_EQ(Long::toString(kLongMin, 2)->length(), 65) << "fills the whole 65-character array";
    EXPECT_EQ(longText(-1, 2), "-1");
    EXPECT_EQ(longText(int64_t(1) << 40, 36), "e13wu1og") << "beyond 32 bits";
    EXPECT_EQ(longText(255, 37), "255");
    EXPECT_EQ(longText(-255, 1), "-255");
}

struct Registration {
    Class* record;
    const char* name;
    const char* sourceFile;
};

TEST(NumberClasses, RegisterUnderObjectWithoutFactories) {
    testRuntime();
    const Registration registrations[] = {
        {Integer::_VM_getClass(), "java.lang.Integer", "target/winmo/pb_src/j2me/java_lang_Integer"},
        {Long::_VM_getClass(), "java.lang.Long", "target/winmo/pb_src/j2me/java_lang_Long"},
        {Float::_VM_getClass(), "java.lang.Float", "target/winmo/pb_src/j2me/java_lang_Float"},
        {Double::_VM_getClass(), "java.lang.Double", "target/winmo/pb_src/j2me/java_lang_Double"},
        {Character::_VM_getClass(), "java.lang.Character", "target/winmo/pb_src/j2me/java_lang_Character"},
        {Math::_VM_getClass(), "java.lang.Math", "target/winmo/pb_src/j2me/java_lang_Math"},
    };
    for (const Registration& r : registrations) {
        ASSERT_NE(r.record, nullptr) << r.name;
        EXPECT_EQ(_VM_findClass(_VM_getClassRegistry(), r.name), r.record);
        EXPECT_STREQ(r.record->name.c_str(), r.name);
        EXPECT_STREQ(r.record->superName.c_str(), "java.lang.Object");
        EXPECT_STREQ(r.record->sourceFile.c_str(), r.sourceFile);
        EXPECT_EQ(r.record->factory, nullptr) << r.name;
        EXPECT_FALSE(r.record->isAbstract) << r.name;
        EXPECT_FALSE(r.record->isInterface) << r.name;
        EXPECT_THROW(r.record->newInstance(), IllegalAccessException*) << r.name;
    }
}

TEST(NumberClasses, OnlyFloatAndDoubleHaveStaticInitialisers) {
    testRuntime();
    EXPECT_EQ(Float::_VM_getClass()->clinit, &Float::_VM_clinit);
    EXPECT_EQ(Double::_VM_getClass()->clinit, &Double::_VM_clinit);
    for (Class* record : {Integer::_VM_getClass(), Long::_VM_getClass(), Character::_VM_getClass(),
                          Math::_VM_getClass()}) {
        EXPECT_EQ(record->clinit, VM_NO_CLINIT) << record->name.c_str();
    }
}

}  // namespace

TEST(Math, AbsWrapsAtTheSmallestIntAsJavaDoes) {
    for (auto [value, expected] : {std::pair{0, 0}, {5, 5}, {-5, 5}, {INT32_MAX, INT32_MAX}, {INT32_MIN, INT32_MIN}})
        EXPECT_EQ(java::lang::Math::abs(value), expected) << value;
}
