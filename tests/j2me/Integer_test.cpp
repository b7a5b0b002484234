// Integer: boxing, text in any radix, unsigned text and parsing; Long's text.

#include <limits>

#include "pb_src/j2me/java_lang_Long.h"
#include "pb_src/j2me/java_lang_Math.h"
#include "pb_src/j2me/java_lang_NumberFormatException.h"
#include "tests/j2me/ClassLibrary.h"

namespace {

using namespace java::lang;
using classlib::messageOf;

constexpr int32_t kIntMin = std::numeric_limits<int32_t>::min();
constexpr int32_t kIntMax = std::numeric_limits<int32_t>::max();
constexpr int64_t kLongMin = std::numeric_limits<int64_t>::min();

using classlib::text;

// The message of the NumberFormatException that parsing s throws.
std::string parseFailure(VMPtr<String> s, int32_t radix = 10) {
    return messageOf<NumberFormatException>([&] { Integer::parseInt(s, radix); });
}

TEST(Integer, TextInARadixSignedAndUnsignedAndLongsText) {
    testRuntime();
    const std::tuple<int32_t, int32_t, std::string> cases[] = {
        {0, 10, "0"}, {255, 16, "ff"}, {-255, 2, "-11111111"}, {kIntMax, 36, "zik0zj"},
        {255, 37, "255"}, {-255, 1, "-255"},  // a radix outside 2..36 means 10
        {kIntMin, 10, "-2147483648"}, {kIntMin, 16, "-80000000"}, {kIntMin, 2, "-1" + std::string(31, '0')},
        // Decimal digits go two at a time: odd and even counts, zeros inside and at the end.
        {7, 10, "7"}, {10, 10, "10"}, {-100, 10, "-100"}, {1005, 10, "1005"}, {kIntMax, 10, "2147483647"},
    };
    for (const auto& [value, radix, expected] : cases)
        EXPECT_EQ(Integer::toString(value, radix)->toUtf8(), expected) << value << " in " << radix;
    EXPECT_EQ(Integer::toHexString(-1)->toUtf8(), "ffffffff");
    EXPECT_EQ(Integer::toHexString(kIntMin)->toUtf8(), "80000000");
    EXPECT_EQ(Integer::toUnsignedString(-1, 1)->toUtf8(), std::string(32, '1'));
    EXPECT_EQ(Integer::toUnsignedString(-1, 3)->toUtf8(), "37777777777");
    EXPECT_EQ(Integer::toUnsignedString(-1, 5)->toUtf8(), "3vvvvvv");
    const std::tuple<int64_t, int32_t, std::string> longs[] = {
        {kLongMin, 10, "-9223372036854775808"}, {std::numeric_limits<int64_t>::max(), 16, "7fffffffffffffff"},
        {kLongMin, 2, "-1" + std::string(63, '0')}, {int64_t(1) << 40, 36, "e13wu1og"}, {-255, 1, "-255"},
        {1002003004005006007, 10, "1002003004005006007"},
    };
    for (const auto& [value, radix, expected] : longs)
        EXPECT_EQ(Long::toString(value, radix)->toUtf8(), expected) << value << " in " << radix;
}

TEST(Integer, ParsesSignedTextUpToTheThirtyTwoBitLimits) {
    testRuntime();
    const std::tuple<const char*, int32_t, int32_t> cases[] = {
        {"-0", 10, 0},         {"-123", 10, -123},        {"-fF", 16, -255},
        {"Kona", 27, 411787},  {"zik0zj", 36, kIntMax},   {"2147483647", 10, kIntMax},
        {"-2147483648", 10, kIntMin}, {"-80000000", 16, kIntMin}, {"1", 2, 1}, {"1", 36, 1},
    };
    for (const auto& [s, radix, expected] : cases) EXPECT_EQ(Integer::parseInt(text(s), radix), expected) << s;
    EXPECT_EQ(Integer::parseInt(text("-2147483648")), kIntMin) << "radix 10 by default";
}

TEST(Integer, FailedParsesNameTheTextOrTheArgumentError) {
    testRuntime();
    const std::tuple<const char*, int32_t, const char*> cases[] = {
        {"2147483648", 10, "2147483648"},   {"-2147483649", 10, "-2147483649"},
        {"2147483650", 10, "2147483650"},   {"21474836470", 10, "21474836470"},  // overflow on the multiplication
        {"4294967296", 10, "4294967296"},   {"80000000", 16, "80000000"},  {"zik0zk", 36, "zik0zk"},
        {"-", 10, "-"},  {"12 ", 10, "12 "},  {"+5", 10, "+5"},  {"1-2", 10, "1-2"},  {"12a", 10, "12a"},
        {"z", 35, "z"},  {"\xC3\x80", 10, "\xC3\x80"},  {"1\xC3\xA9", 36, "1\xC3\xA9"},  // Latin-1 letters are no digits
        {"\xD9\xA1", 10, "\xD9\xA1"},  // nor are digits beyond Latin-1
        {"", 99, "empty String"},  // emptiness is checked before the radix
        {"1", 1, "radix less than Character.MIN_RADIX"},  {"1", 37, "radix greater than Character.MAX_RADIX"},
    };
    for (const auto& [s, radix, message] : cases) EXPECT_EQ(parseFailure(text(s), radix), message) << s;
    EXPECT_THROW(Integer::parseInt(nullptr, 1), NullPointerException*) << "null is checked first";
}

TEST(Integer, BoxedValuesCompareHashAndPrintByValue) {
    testRuntime();
    VMPtr<Integer> a = Integer::_VM_new();
    a->_VM_init(-42);
    EXPECT_EQ(a->hashCode(), -42);
    EXPECT_EQ(a->toString()->toUtf8(), "-42");
    EXPECT_TRUE(a->equals(classlib::number(-42)));
    EXPECT_FALSE(a->equals(classlib::number(42)));
    EXPECT_FALSE(a->equals(text("-42"))) << "another class with the same text";
    EXPECT_FALSE(a->equals(nullptr));
}

}  // namespace

TEST(Math, AbsWrapsAtTheSmallestIntAsJavaDoes) {
    for (auto [value, expected] : {std::pair{0, 0}, {5, 5}, {-5, 5}, {INT32_MAX, INT32_MAX}, {INT32_MIN, INT32_MIN}})
        EXPECT_EQ(java::lang::Math::abs(value), expected) << value;
}
