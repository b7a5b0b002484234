// Character: Latin-1 classification and case mapping, and digit values, which only the
// ASCII digits and letters have. Every character up to U+00FF is checked against its
// expected class; a few beyond stand for the rest.

#include "pb_src/j2me/java_lang_Character.h"
#include "tests/j2me/ClassLibrary.h"

namespace {

using java::lang::Character;

bool upper(uint32_t c) { return (c >= 'A' && c <= 'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7); }
bool lower(uint32_t c) { return (c >= 'a' && c <= 'z') || (c >= 0xDF && c <= 0xFF && c != 0xF7); }

int32_t digitValue(uint32_t c) {
    if (c >= '0' && c <= '9') return int32_t(c - '0');
    if (c >= 'a' && c <= 'z') return int32_t(c - 'a' + 10);
    if (c >= 'A' && c <= 'Z') return int32_t(c - 'A' + 10);
    return -1;
}

TEST(Character, LatinOneClassesCaseMappingAndDigitValues) {
    testRuntime();
    for (uint32_t c = 0; c <= 0xFF; ++c) {
        const auto ch = char16_t(c);
        SCOPED_TRACE(testing::Message() << "character 0x" << std::hex << c);
        EXPECT_EQ(Character::isDigit(ch), c >= '0' && c <= '9');
        EXPECT_EQ(Character::isUpperCase(ch), upper(c));
        EXPECT_EQ(Character::isLowerCase(ch), lower(c));
        const bool paired = upper(c) || (lower(c) && c != 0xDF && c != 0xFF);  // sharp s and y diaeresis have none
        EXPECT_EQ(Character::toLowerCase(ch), upper(c) ? ch + 32 : ch);
        EXPECT_EQ(Character::toUpperCase(ch), lower(c) && paired ? ch - 32 : ch);
        EXPECT_EQ(Character::digit(ch, 36), digitValue(c));
    }
    for (char16_t ch : {char16_t(0x100), char16_t(0x130), char16_t(0x141), char16_t(0x391), char16_t(0x3B1),
                        char16_t(0x660), char16_t(0xFF10), char16_t(0xFF21), char16_t(0xFFFF)}) {
        EXPECT_FALSE(Character::isDigit(ch) || Character::isUpperCase(ch) || Character::isLowerCase(ch)) << int(ch);
        EXPECT_EQ(Character::toLowerCase(ch), ch);
        EXPECT_EQ(Character::toUpperCase(ch), ch);
        EXPECT_EQ(Character::digit(ch, 36), -1) << "even where the low bits match an ASCII digit or letter";
    }
}

TEST(Character, DigitsCountOnlyBelowTheirRadixAndWithinTwoToThirtySix) {
    testRuntime();
    const std::tuple<char16_t, int32_t, int32_t> cases[] = {
        {u'z', 36, 35}, {u'z', 35, -1}, {u'9', 9, -1}, {u'2', 2, -1}, {u'1', 2, 1},
        {u'G', 16, -1}, {u'0', 1, -1},  {u'0', -10, -1}, {u'0', 37, -1},
    };
    for (const auto& [ch, radix, value] : cases) EXPECT_EQ(Character::digit(ch, radix), value) << char(ch) << radix;
    EXPECT_EQ(Character::MIN_RADIX + Character::MAX_RADIX, 38);
}

}  // namespace
