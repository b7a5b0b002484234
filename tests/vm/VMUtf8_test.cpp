// The runtime's UTF-8 (standard and modified) against UTF-16, and interned literals.

#include "lib_src/vm/VMUtf8.h"
#include "tests/vm/TestRuntime.h"

namespace {

using Bytes = std::vector<uint8_t>;

Bytes encode(const std::u16string& units, bool modified) {
    Bytes out(units.size() * 3 + 1);
    int32_t capacity = int32_t(out.size());
    _VM_utf16ToUtf8(out.data(), &capacity, units.data(), int32_t(units.size()), modified, false);
    out.resize(size_t(capacity));
    EXPECT_EQ(capacity, _VM_utf8Length(units.data(), int32_t(units.size()), modified));
    return out;
}

std::u16string decode(const Bytes& bytes, bool* wellFormed) {
    char16_t units[8];
    int32_t capacity = 8;
    _VM_utf8ToUtf16(units, &capacity, bytes.data(), int32_t(bytes.size()), wellFormed);
    return std::u16string(units, size_t(capacity));
}

TEST(Utf8, EncodesEachUnitByItsRangeAndSurrogatesApart) {
    const std::u16string zero(1, u'\0');
    const std::tuple<std::u16string, bool, Bytes> cases[] = {
        {u"\u007f\u0080", false, {0x7F, 0xC2, 0x80}},
        {u"\u07ff\u0800", false, {0xDF, 0xBF, 0xE0, 0xA0, 0x80}},
        {u"\u20ac", false, {0xE2, 0x82, 0xAC}},
        {zero, true, {0xC0, 0x80}},
        {zero, false, {0x00}},
        {u"\U0001F600", false, {0xED, 0xA0, 0xBD, 0xED, 0xB8, 0x80}},
    };
    for (const auto& [units, modified, bytes] : cases) {
        EXPECT_EQ(encode(units, modified), bytes);
        bool wellFormed = false;
        EXPECT_EQ(decode(bytes, &wellFormed), units) << "and back";
        EXPECT_TRUE(wellFormed);
    }
}

TEST(Utf8, BadLeadBytesStopDecodingAndMalformedSequencesBecomeU0080) {
    bool wellFormed = true;
    EXPECT_EQ(decode({0xF0, 0x9F, 0x98, 0x80}, &wellFormed), std::u16string(1, u'\0')) << "stops at the four-byte lead";
    EXPECT_FALSE(wellFormed);
    const uint8_t badContinuation[] = {0xC3, 0x41};
    int32_t remaining = 2;
    const uint8_t* cursor = badContinuation;
    wellFormed = true;
    EXPECT_EQ(_VM_utf8DecodeChar(&remaining, &cursor, &wellFormed), 0x80);
    EXPECT_TRUE(wellFormed);
    EXPECT_EQ(cursor, badContinuation + 2);
    const uint8_t cut[] = {0xE2, 0x82}, stray[] = {'a', 0x80, 'b'};
    EXPECT_EQ(_VM_utf8CharCount(cut, 2, &wellFormed), 1) << "counting judges lead bytes only";
    EXPECT_TRUE(wellFormed);
    EXPECT_EQ(_VM_utf8CharCount(stray, 3, &wellFormed), 1);
    EXPECT_FALSE(wellFormed);
}

TEST(Utf8, EncodingStopsAtTheFirstUnitThatDoesNotFit) {
    uint8_t out[4] = {0xFF, 0xFF, 0xFF, 0xFF};
    const std::tuple<std::u16string, int32_t, bool, int32_t> cases[] = {  // text, room, terminated, units taken
        {u"abc", 4, true, 3}, {u"abc", 3, true, 2}, {u"a\u20ac", 3, false, 1}};
    for (const auto& [text, room, terminated, taken] : cases) {
        int32_t capacity = room;
        EXPECT_EQ(_VM_utf16ToUtf8(out, &capacity, text.data(), int32_t(text.size()), false, terminated), taken);
        EXPECT_EQ(capacity, taken);
        EXPECT_TRUE(!terminated || out[taken] == 0);
    }
    const std::u16string text = u"h\u00e9";
    const uint8_t same[] = {'h', 0xC3, 0xA9};
    EXPECT_TRUE(_VM_utf8EqualsUtf16(same, 3, text.data(), 2));
    EXPECT_FALSE(_VM_utf8EqualsUtf16(same, 2, text.data(), 2));
    EXPECT_FALSE(_VM_utf8EqualsUtf16(same, 3, text.data(), 1));
}

TEST(Literals, AreInternedOncePerTextAndNeverCollected) {
    VM* vm = testRuntime();
    java::lang::String* first = VMPtr<java::lang::String>::fromLiteral("hello").get();
    EXPECT_NE(VMPtr<java::lang::String>::fromLiteral("world").get(), first);
    EXPECT_TRUE(VMPtr<java::lang::String>::fromLiteral(nullptr).isNull());
    vm->collect();
    EXPECT_EQ(VMPtr<java::lang::String>::fromLiteral("hello").get(), first);
    EXPECT_EQ(first->toUtf8(), "hello");
}

}  // namespace
