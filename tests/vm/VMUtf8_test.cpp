#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "lib_src/vm/VMLiterals.h"
#include "lib_src/vm/VMUtf8.h"
#include "pb_src/j2me/java_lang_String.h"
#include "tests/vm/TestRuntime.h"

namespace {

std::vector<uint8_t> encode(const std::u16string& units, bool modified) {
    std::vector<uint8_t> out(units.size() * 3 + 1);
    int32_t capacity = int32_t(out.size());
    _VM_utf16ToUtf8(out.data(), &capacity, units.data(), int32_t(units.size()), modified, false);
    out.resize(size_t(capacity));
    EXPECT_EQ(capacity, _VM_utf8Length(units.data(), int32_t(units.size()), modified));
    return out;
}

TEST(Utf8, EncodesEachUnitByItsRange) {
    EXPECT_EQ(encode(u"\u00e9", false), (std::vector<uint8_t>{0xC3, 0xA9}));
    EXPECT_EQ(encode(u"\u20ac", false), (std::vector<uint8_t>{0xE2, 0x82, 0xAC}));
    EXPECT_EQ(encode(u"\u007f\u0080", false), (std::vector<uint8_t>{0x7F, 0xC2, 0x80}));
    EXPECT_EQ(encode(u"\u07ff\u0800", false), (std::vector<uint8_t>{0xDF, 0xBF, 0xE0, 0xA0, 0x80}));
    const std::u16string zero(1, u'\0');
    EXPECT_EQ(encode(zero, true), (std::vector<uint8_t>{0xC0, 0x80}));
    EXPECT_EQ(encode(zero, false), (std::vector<uint8_t>{0x00}));
}

TEST(Utf8, SurrogatePairsTravelAsTwoThreeByteSequences) {
    const std::u16string pair = u"\U0001F600";
    const std::vector<uint8_t> bytes = encode(pair, false);
    ASSERT_EQ(bytes.size(), 6u);
    char16_t units[4];
    int32_t capacity = 4;
    bool wellFormed = false;
    EXPECT_EQ(_VM_utf8ToUtf16(units, &capacity, bytes.data(), 6, &wellFormed), 6);
    EXPECT_TRUE(wellFormed);
    EXPECT_EQ(std::u16string(units, size_t(capacity)), pair);
}

TEST(Utf8, BadLeadBytesStopDecodingAndMalformedSequencesBecomeU0080) {
    const uint8_t four[] = {0xF0, 0x9F, 0x98, 0x80};
    char16_t units[4];
    int32_t capacity = 4;
    bool wellFormed = true;
    EXPECT_EQ(_VM_utf8ToUtf16(units, &capacity, four, 4, &wellFormed), 1);
    EXPECT_FALSE(wellFormed);
    ASSERT_EQ(capacity, 1);
    EXPECT_EQ(units[0], 0);

    const uint8_t badContinuation[] = {0xC3, 0x41};
    int32_t remaining = 2;
    const uint8_t* cursor = badContinuation;
    wellFormed = true;
    EXPECT_EQ(_VM_utf8DecodeChar(&remaining, &cursor, &wellFormed), 0x80);
    EXPECT_TRUE(wellFormed);
    EXPECT_EQ(cursor, badContinuation + 2);

    const uint8_t overlongZero[] = {0xC0, 0x80};
    capacity = 4;
    _VM_utf8ToUtf16(units, &capacity, overlongZero, 2, &wellFormed);
    EXPECT_EQ(capacity, 1);
    EXPECT_EQ(units[0], 0);
}

TEST(Utf8, CountingJudgesLeadBytesOnly) {
    bool wellFormed = false;
    const uint8_t cut[] = {0xE2, 0x82};
    EXPECT_EQ(_VM_utf8CharCount(cut, 2, &wellFormed), 1);
    EXPECT_TRUE(wellFormed);
    const uint8_t stray[] = {'a', 0x80, 'b'};
    EXPECT_EQ(_VM_utf8CharCount(stray, 3, &wellFormed), 1);
    EXPECT_FALSE(wellFormed);
}

TEST(Utf8, EncodingStopsAtTheFirstUnitThatDoesNotFit) {
    const std::u16string text = u"abc";
    uint8_t out[4] = {0xFF, 0xFF, 0xFF, 0xFF};
    int32_t capacity = 4;
    EXPECT_EQ(_VM_utf16ToUtf8(out, &capacity, text.data(), 3, false, true), 3);
    EXPECT_EQ(capacity, 3);
    EXPECT_EQ(out[3], 0);
    capacity = 3;
    EXPECT_EQ(_VM_utf16ToUtf8(out, &capacity, text.data(), 3, false, true), 2);
    EXPECT_EQ(capacity, 2);
    EXPECT_EQ(out[2], 0);
    const std::u16string wide = u"a\u20ac";
    capacity = 3;
    EXPECT_EQ(_VM_utf16ToUtf8(out, &capacity, wide.data(), 2, false, false), 1) << "the euro sign needs 3 bytes";
    EXPECT_EQ(capacity, 1);
}

TEST(Utf8, ComparesBytesWithUnits) {
    const std::u16string text = u"h\u00e9";
    const uint8_t same[] = {'h', 0xC3, 0xA9};
    EXPECT_TRUE(_VM_utf8EqualsUtf16(same, 3, text.data(), 2));
    EXPECT_FALSE(_VM_utf8EqualsUtf16(same, 2, text.data(), 2));
    EXPECT_FALSE(_VM_utf8EqualsUtf16(same, 3, text.data(), 1));
}

TEST(Literals, AreInternedOncePerTextAndNeverCollected) {
    VM* vm = testRuntime();
    java::lang::String* first = VMPtr<java::lang::String>::fromLiteral("hello").get();
    EXPECT_EQ(VMPtr<java::lang::String>::fromLiteral("hello").get(), first);
    EXPECT_NE(VMPtr<java::lang::String>::fromLiteral("world").get(), first);
    EXPECT_TRUE(VMPtr<java::lang::String>::fromLiteral(nullptr).isNull());
    vm->collect();
    vm->collect();
    EXPECT_EQ(VMPtr<java::lang::String>::fromLiteral("hello").get(), first);
    EXPECT_EQ(first->toUtf8(), "hello");
}

}  // namespace
