// Translation tables: tables written by the pack writer read back text for text (empty
// tables and texts, two- and three-byte characters, U+0000, surrogate pairs), the 16- and
// 32-bit offset forms at the 64 KiB boundary, lenient decoding of malformed and cut
// sequences, damaged resources that keep the texts read before the damage, ids outside
// the table, the string form after decodeAll, and the strings getText keeps until they are
// dropped.

#include <gtest/gtest.h>

#include <stdexcept>

#include "pb_src/j2me/java_lang_IndexOutOfBoundsException.h"
#include "src/kv/kv_Resources.h"
#include "src/kv/util/text/kv_util_text_Translation.h"
#include "tests/kv/io/resource/PackFolder.h"
#include "tools/packwriter/TranslationEncoder.h"

namespace {

using kv::util::text::Translation;
using packwriter::Bytes;
using StringBuffer = java::lang::StringBuffer;

std::u16string units(const VMPtr<java::lang::String>& s) { return std::u16string(s->chars(), size_t(s->length())); }

// The table read from bytes, for a resource of `size` bytes (all of them by default).
VMPtr<Translation> loaded(const Bytes& bytes, int32_t size = -1) {
    VMPtr<Translation> table = Translation::_VM_new();
    table->_VM_init();
    return table->load(kvtest::streamOf(bytes), size < 0 ? int32_t(bytes.size()) : size);
}

std::u16string decoded(const Bytes& text) {
    VMPtr<StringBuffer> sb = StringBuffer::_VM_new();
    sb->_VM_init();
    Translation::decodeUtf8(kvtest::bytes(text), 0, int32_t(text.size()), sb, 0);
    return units(sb->toString());
}

std::vector<std::u16string> allTexts(const VMPtr<Translation>& table) {
    std::vector<std::u16string> texts;
    for (int32_t id = 0; id < table->count; ++id) texts.push_back(units(table->getText(id)));
    return texts;
}

class TranslationTest : public testing::Test {
protected:
    void SetUp() override { testRuntime(); }
};

TEST_F(TranslationTest, EncodedTablesReadBackEveryText) {
    const std::vector<std::string> texts = {"", "Start", "caf\xC3\xA9 \xE2\x82\xAC", std::string("a\0b", 3),
                                            "\xF0\x9F\x98\x80"};
    const std::vector<std::u16string> expected = {u"", u"Start", u"caf\u00E9 \u20AC", std::u16string(u"a\0b", 3),
                                                  u"\U0001F600"};
    EXPECT_EQ(packwriter::modifiedUtf8(std::string("\0", 1)), (Bytes{0xC0, 0x80}));
    VMPtr<Translation> table = loaded(packwriter::encodeTranslation(texts));
    EXPECT_EQ(allTexts(table), expected);
    EXPECT_EQ(table->getOffset(1), table->getOffset(0));
    table->decodeAll();
    EXPECT_EQ(allTexts(table), expected);
    EXPECT_EQ(table->getText(1).get(), table->getText(1).get());
    EXPECT_FALSE(table->data || table->charOffsets);

    VMPtr<Translation> empty = loaded({0, 0});
    EXPECT_EQ(empty->count, 0);
    EXPECT_EQ(empty->getOffset(0), 0);
    for (const char* bad : {"\xC3", "\xC0\x80", "\xED\xA0\x80", "\xF8\x80\x80\x80\x80", "\x80"})
        EXPECT_THROW(packwriter::modifiedUtf8(bad), std::invalid_argument) << bad;
}

// A text asked for again is the string decoded the first time (short texts through the shared
// buffer and long ones alike); once the kept strings are dropped it is decoded anew.
TEST_F(TranslationTest, GetTextKeepsEachDecodedStringUntilDropped) {
    VMPtr<Translation> table = loaded(packwriter::encodeTranslation({"short", std::string(300, 'l')}));
    for (int32_t id : {0, 1}) {
        VMPtr<java::lang::String> first = table->getText(id);
        table->getText(1 - id);
        EXPECT_EQ(table->getText(id).get(), first.get());
        table->dropCachedTexts();
        VMPtr<java::lang::String> again = table->getText(id);
        EXPECT_NE(again.get(), first.get());
        EXPECT_EQ(units(again), units(first));
    }
}

TEST_F(TranslationTest, LenientDecodingStaysInsideTheText) {
    struct Case { Bytes bytes; std::u16string text; } cases[] = {
        {{0xC3, 0xA9}, u"\u00E9"},
        {{0xE2, 0x82, 0xAC}, u"\u20AC"},
        {{0xC0, 0x80}, std::u16string(1, u'\0')},
        {{0x80, 'a'}, std::u16string(u"\0a", 2)},
        {{'a', 0xF0, 'b'}, std::u16string(u"a\0b", 3)},
        {{'a', 0xE2, 0x82}, std::u16string(u"a\0", 2)},
        {{0xC3}, std::u16string(1, u'\0')},
    };
    for (const Case& c : cases) EXPECT_EQ(decoded(c.bytes), c.text);
    VMPtr<StringBuffer> sb = StringBuffer::_VM_new();
    sb->_VM_init();
    EXPECT_THROW(Translation::decodeUtf8(kvtest::bytes({'a'}), 1, 1, sb, 0), java::lang::IndexOutOfBoundsException*);
}

TEST_F(TranslationTest, OffsetWidthFollowsTheResourceSize) {
    for (int32_t size : {65535, 65536}) {
        const int32_t second = size - 6 - 32767;
        VMPtr<Translation> table =
            loaded(packwriter::encodeTranslation({std::string(32767, 'x'), std::string(size_t(second), 'y')}));
        EXPECT_EQ(bool(table->charOffsets), size < 65536);
        EXPECT_EQ(bool(table->intOffsets), size >= 65536);
        EXPECT_EQ(table->getText(1)->length(), second);
        EXPECT_EQ(table->getOffset(2), size - 6);
    }
}

TEST_F(TranslationTest, DamagedResourcesKeepTheTextsBeforeTheDamage) {
    const Bytes whole = packwriter::encodeTranslation({"one", "two", "three"});
    Bytes negative = whole;
    negative[7] = 0xFF;  // length of "two" becomes -253
    negative[8] = 0x03;
    Bytes overlong = whole;
    overlong[8] = 0x40;  // "two" claims more bytes than the resource holds
    const std::vector<std::u16string> cut = {u"one", u"", u""};
    for (const Bytes& damaged : {Bytes(whole.begin(), whole.begin() + 10), negative, overlong}) {
        VMPtr<Translation> table = loaded(damaged, int32_t(whole.size()));
        EXPECT_EQ(allTexts(table), cut);
        table->decodeAll();
        EXPECT_EQ(allTexts(table), cut);
    }
    VMPtr<Translation> table = loaded(Bytes(whole.begin(), whole.begin() + 1));
    EXPECT_EQ(table->count, 0);
}

TEST_F(TranslationTest, IdsOutsideTheTableAreRefused) {
    VMPtr<Translation> table = loaded(packwriter::encodeTranslation({"a", "b"}));
    VMPtr<StringBuffer> sb = StringBuffer::_VM_new();
    sb->_VM_init();
    for (int decodedForm = 0; decodedForm < 2; ++decodedForm) {
        for (int32_t id : {-1, 2, 65535}) {
            EXPECT_THROW(table->getText(id), java::lang::IndexOutOfBoundsException*);
            EXPECT_THROW(table->appendText(id, sb), java::lang::IndexOutOfBoundsException*);
        }
        table->decodeAll();
    }
}

TEST_F(TranslationTest, BuffersAndPositions) {
    VMPtr<Translation> table =
        loaded(packwriter::encodeTranslation({"AB", std::string(128, 's'), std::string(129, 'l')}));
    VMPtr<StringBuffer> sb = StringBuffer::_VM_new();
    sb->_VM_init("xy");
    EXPECT_EQ(units(table->appendText(0, sb)->toString()), u"xyAB");
    EXPECT_EQ(units(table->insertText(0, sb, 1)->toString()), u"xAByAB");
    EXPECT_EQ(units(table->setText(0, sb)->toString()), u"AB");
    VMPtr<java::lang::String> shortText = table->getText(1);
    EXPECT_EQ(Translation::sharedBuffer->length(), 128);
    table->getText(2);
    EXPECT_EQ(Translation::sharedBuffer->length(), 128);
    table->getText(0);
    EXPECT_EQ(shortText->length(), 128);
    table->decodeAll();
    EXPECT_EQ(units(table->insertText(0, sb, 1)->toString()), u"AABB");
}

TEST_F(TranslationTest, LoadsFromTheResourcePack) {
    const Bytes table = packwriter::encodeTranslation({"Hallo", "Welt"});
    kv::Resources::attachStream(kvtest::streamOf(packwriter::table({{Bytes{1, 2, 3}, -1}, {table, -6}})));
    EXPECT_EQ(units(kv::Resources::getTranslation(1)->getText(1)), u"Welt");
}

}  // namespace
