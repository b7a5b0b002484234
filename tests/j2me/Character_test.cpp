// Character: Latin-1 classification and case mapping, and digit values, which only the
// ASCII digits and letters have.

#include <gtest/gtest.h>

#include <cstdint>

#include "pb_src/j2me/java_lang_Character.h"
#include "tests/vm/TestRuntime.h"

namespace {

using java::lang::Character;

// The function gives the expected result for every character from first to last.
template <typename Function, typename Result>
void expectAll(char16_t first, char16_t last, Function function, Result expected) {
    for (uint32_t ch = first; ch <= last; ++ch)
        EXPECT_EQ(function(char16_t(ch)), expected) << "character 0x" << std::hex << ch;
}

TEST(Character, OnlyTheAsciiDigitsAreDigits) {
    testRuntime();
    expectAll(u'0', u'9', Character::isDigit, true);
    EXPECT_FALSE(Character::isDigit(u'/'));
    EXPECT_FALSE(Character::isDigit(u':'));
    EXPECT_FALSE(Character::isDigit(0x0660)) << "Arabic-Indic zero";
    EXPECT_FALSE(Character::isDigit(0xFF10)) << "full-width zero";
}

TEST(Character, LettersOfLatinOneHaveACase) {
    testRuntime();
    expectAll(u'A', u'Z', Character::isUpperCase, true);
    expectAll(0xC0, 0xD6, Character::isUpperCase, true);
    expectAll(0xD8, 0xDE, Character::isUpperCase, true);
    for (char16_t ch : {u'@', u'[', u'a', u'z', char16_t(0xBF), char16_t(0xD7), char16_t(0xDF),
                        char16_t(0xE0), char16_t(0xFF), char16_t(0x100), char16_t(0x391)})
        EXPECT_FALSE(Character::isUpperCase(ch)) << "character 0x" << std::hex << int(ch);
    expectAll(u'a', u'z', Character::isLowerCase, true);
    expectAll(0xDF, 0xF6, Character::isLowerCase, true);
    expectAll(0xF8, 0xFF, Character::isLowerCase, true);
    for (char16_t ch : {u'`', u'{', u'A', u'Z', char16_t(0xAA), char16_t(0xB5), char16_t(0xDE),
                        char16_t(0xF7), char16_t(0x101), char16_t(0x3B1)})
        EXPECT_FALSE(Character::isLowerCase(ch)) << "character 0x" << std::hex << int(ch);
}

TEST(Character, CaseMappingPairsLettersThirtyTwoApart) {
    testRuntime();
    EXPECT_EQ(Character::toLowerCase(u'A'), u'a');
    EXPECT_EQ(Character::toLowerCase(0xC0), 0xE0);
    EXPECT_EQ(Character::toLowerCase(0xD6), 0xF6);
    EXPECT_EQ(Character::toLowerCase(0xD8), 0xF8);
    EXPECT_EQ(Character::toLowerCase(0xDE), 0xFE);
    EXPECT_EQ(Character::toUpperCase(u'a'), u'A');
    EXPECT_EQ(Character::toUpperCase(0xE0), 0xC0);
    EXPECT_EQ(Character::toUpperCase(0xF6), 0xD6);
    EXPECT_EQ(Character::toUpperCase(0xF8), 0xD8);
    EXPECT_EQ(Character::toUpperCase(0xFE), 0xDE);
    for (uint32_t ch = 0; ch <= 0xFF; ++ch) {
        const auto c = char16_t(ch);
        if (Character::isUpperCase(c)) {
            EXPECT_TRUE(Character::isLowerCase(Character::toLowerCase(c)));
            EXPECT_EQ(Character::toUpperCase(Character::toLowerCase(c)), c);
        }
    }
}

TEST(Character, CharactersWithoutAPartnerKeepTheirCase) {
    testRuntime();
    EXPECT_EQ(Character::toUpperCase(0xDF), 0xDF) << "sharp s";
    EXPECT_EQ(Character::toUpperCase(0xFF), 0xFF) << "y with diaeresis";
    EXPECT_EQ(Character::toLowerCase(0xD7), 0xD7) << "multiplication sign";
    EXPECT_EQ(Character::toUpperCase(0xF7), 0xF7) << "division sign";
    EXPECT_EQ(Character::toLowerCase(0xDF), 0xDF);
    EXPECT_EQ(Character::toLowerCase(0xFF), 0xFF);
    for (char16_t ch : {u'@', u'[', u'`', u'{', u'5', char16_t(0xBF), char16_t(0x100), char16_t(0x391),
                        char16_t(0x3B1), char16_t(0xFFFF)}) {
        EXPECT_EQ(Character::toLowerCase(ch), ch) << "character 0x" << std::hex << int(ch);
        EXPECT_EQ(Character::toUpperCase(ch), ch) << "character 0x" << std::hex << int(ch);
    }
}

TEST(Character, DigitValuesOfDigitsAndAsciiLetters) {
    testRuntime();
    EXPECT_EQ(Character::MIN_RADIX, 2);
    EXPECT_EQ(Character::MAX_RADIX, 36);
    for (int32_t value = 0; value <= 9; ++value) EXPECT_EQ(Character::digit(char16_t(u'0' + value), 10), value);
    for (int32_t value = 10; value <= 35; ++value) {
        EXPECT_EQ(Character::digit(char16_t(u'a' + value - 10), 36), value);
        EXPECT_EQ(Character::digit(char16_t(u'A' + value - 10), 36), value);
    }
    EXPECT_EQ(Character::digit(u'z', 36), 35);
    EXPECT_EQ(Character::digit(u'z', 35), -1);
    EXPECT_EQ(Character::digit(u'9', 9), -1);
    EXPECT_EQ(Character::digit(u'2', 2), -1);
    EXPECT_EQ(Character::digit(u'G', 16), -1);
}

TEST(Character, ARadixOutsideTwoToThirtySixHasNoDigits) {
    testRuntime();
    EXPECT_EQ(Character::digit(u'0', 1), -1);
    EXPECT_EQ(Character::digit(u'0', -10), -1);
    EXPECT_EQ(Character::digit(u'0', 37), -1);
}

TEST(Character, NothingButAsciiDigitsAndLettersHasADigitValue) {
    testRuntime();
    // Neighbours of the letter ranges share their low five bits with letters.
    for (char16_t ch : {u'@', u'[', u'`', u'{', u'/', u':', u' ', u'-', u'+'})
        EXPECT_EQ(Character::digit(ch, 36), -1) << "character " << char(ch);
    // Latin-1 letters are letters but no digits.
    expectAll(0xC0, 0xFF, [](char16_t ch) { return Character::digit(ch, 36); }, -1);
    // Beyond Latin-1, even where the low bits match an ASCII letter or digit.
    for (char16_t ch : {char16_t(0x141), char16_t(0x161), char16_t(0x130), char16_t(0x660), char16_t(0xFF21)})
        EXPECT_EQ(Character::digit(ch, 36), -1) << "character 0x" << std::hex << int(ch);
}

}  // namespace
