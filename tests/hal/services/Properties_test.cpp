#include <gtest/gtest.h>

#include <string>
#include <sys/utsname.h>
#include <utility>
#include <vector>

#include "hal/base/Memory.h"
#include "hal/services/HALPtrArray.h"
#include "hal/services/ModulePath.h"
#include "hal/services/Properties.h"
#include "hal/services/Utf8.h"
#include "tests/support/TemporaryFolder.h"

namespace {

using Pairs = std::vector<std::pair<std::string, std::string>>;

std::string utf8(const char16_t* units, int32_t count) { return HAL_utf16ToUtf8(units, size_t(count)); }

// The entries of a list as UTF-8 key and value pairs, in order.
Pairs pairsOf(const HALPtrArray* list) {
    Pairs pairs;
    for (int32_t i = 0; list && i < list->size(); ++i) {
        const auto* entry = static_cast<const HALPropertyEntry*>(list->at(i));
        pairs.emplace_back(utf8(entry->key, entry->keyLength), utf8(entry->value, entry->valueLength));
    }
    return pairs;
}

Pairs parse(const std::string& text) {
    HALPtrArray* list = HALPtrArray::create();
    EXPECT_EQ(HAL_readPropertyText(list, text.data(), text.size()), 0);
    Pairs pairs = pairsOf(list);
    for (int32_t i = 0; i < list->size(); ++i) HAL_free(list->at(i));
    HALPtrArray::destroy(list);
    return pairs;
}

TEST(PropertyText, LinesEndAtLfCrLfOrCrAndALastLineKeepsItsLastCharacter) {
    EXPECT_EQ(parse("a: 1\r\nb: 2\rc: 3\nd: 4\r\r\ne: 5"), (Pairs{{"a", "1"}, {"b", "2"}, {"c", "3"}, {"d", "4"}, {"e", "5"}}));
    const std::string key(300, 'k'), value(1000, 'v');
    EXPECT_EQ(parse(key + ": " + value + "\nnext: x\n"), (Pairs{{key, value}, {"next", "x"}})) << "long lines whole";
}

TEST(PropertyText, OnlyKeyColonBlankValueLinesAreProperties) {
    EXPECT_EQ(parse("# comment: no\n\nno colon\nglued:value\n: empty key\nbare:\nempty: \ntab:\tv\n"
                    "url: http://h:80/a: b \n spaced : v\n"),
              (Pairs{{"empty", ""}, {"tab", "v"}, {"url", "http://h:80/a: b "}, {" spaced ", "v"}}));
    HALPropertyEntry* entry = HAL_parsePropertyLine(u"k: v and more", 4);
    ASSERT_NE(entry, nullptr) << "exactly the given length is parsed";
    EXPECT_EQ(utf8(entry->value, entry->valueLength), "v");
    HAL_free(entry);
    EXPECT_EQ(HAL_readPropertyText(nullptr, "a: b", 4), 2);
}

TEST(PropertyText, TheTextIsUtf8) {
    HALPtrArray* list = HALPtrArray::create();
    const std::string text = "\xEF\xBB\xBF" "city: Z\xC3\xBCrich\nbad: a\xFF" "b\n";
    HAL_readPropertyText(list, text.data(), text.size());
    const HALPropertyEntry* city = HAL_findPropertyIn(list, u"city", 4);
    ASSERT_NE(city, nullptr) << "the byte-order mark is not part of the first key";
    EXPECT_EQ(std::u16string(city->value), u"Z\u00FCrich") << "zero-terminated after its length";
    EXPECT_EQ(std::u16string(HAL_findPropertyIn(list, u"bad", 3)->value), u"a\uFFFDb");
    for (int32_t i = 0; i < list->size(); ++i) HAL_free(list->at(i));
    HALPtrArray::destroy(list);
}

// The property files of a temporary installation.
class PropertyFiles : public testing::Test {
protected:
    void SetUp() override { HAL_setModuleDirectory(folder.path().c_str()); }
    void TearDown() override { HAL_setModuleDirectory(nullptr); }
    void write(const std::string& systemText, const std::string& applicationText) {
        folder.write("properties/sys.prop", systemText);
        folder.write("properties/app.prop", applicationText);
    }
    TemporaryFolder folder;
};

TEST_F(PropertyFiles, EachFileFillsItsListAndPlatformPropertiesFollow) {
    write("device.model: Phone 3000\nsize: small\nsize: large\n", "MIDlet-Name: Ostrel\n");
    HAL_addPlatformProperties();
    utsname names;
    ASSERT_EQ(uname(&names), 0);
    const Pairs system = pairsOf(HAL_getPropertyList(kSystemPropertyList));
    ASSERT_EQ(system.size(), 3u + 6u);
    const char* platformKeys[] = {"device.manufacturer", "device.model", "device.name", "os.name", "os.version", "os.arch"};
    for (int i = 0; i < 6; ++i) EXPECT_EQ(system[size_t(3 + i)].first, platformKeys[i]);
    const HALPropertyEntry* model = HAL_findProperty(kSystemPropertyList, u"device.model", 12);
    EXPECT_EQ(utf8(model->value, model->valueLength), names.machine) << "the platform's entry hides the file's";
    EXPECT_EQ(HAL_getSystemPropertyLength(u"size", 4), 5) << "a later line hides an earlier one";
    EXPECT_EQ(HAL_getSystemPropertyLength(u"siz", 3), -1) << "the key length must match exactly";
    EXPECT_EQ(pairsOf(HAL_getPropertyList(kApplicationPropertyList)), (Pairs{{"MIDlet-Name", "Ostrel"}}));
}

TEST_F(PropertyFiles, ValuesAreCopiedAsFarAsTheBufferReaches) {
    write("word: abcdef\n", "");
    HAL_loadPropertyFile(kSystemPropertyList);
    char16_t buffer[10] = {};
    int32_t length = 3;
    ASSERT_EQ(HAL_getSystemProperty(u"word", 4, buffer, &length), 0);
    EXPECT_EQ(length, 3);
    EXPECT_EQ(std::u16string(buffer), u"abc") << "no terminator is written";
    length = 10;
    ASSERT_EQ(HAL_getSystemProperty(u"word", 4, buffer, &length), 0);
    EXPECT_EQ(length, 6);
    length = -5;
    EXPECT_EQ(HAL_getSystemProperty(u"word", 4, nullptr, &length), 0);
    EXPECT_EQ(length, 6) << "a length without a buffer asks for the value's length";
    EXPECT_EQ(HAL_getApplicationProperty(u"word", 4, buffer, &length), 4) << "the lists are apart";
}

TEST_F(PropertyFiles, BadArgumentsAndMissingKeys) {
    write("word: abc\n", "");
    HAL_loadPropertyFile(kSystemPropertyList);
    char16_t buffer[4];
    int32_t length = 4, negative = -1;
    for (int code : {HAL_getSystemProperty(u"word", 4, buffer, nullptr), HAL_getSystemProperty(u"word", 4, buffer, &negative),
                     HAL_getSystemProperty(nullptr, 4, buffer, &length), HAL_getSystemProperty(u"word", -1, buffer, &length)})
        EXPECT_EQ(code, 2);
    EXPECT_EQ(HAL_getSystemPropertyLength(nullptr, 4), -1);
    EXPECT_EQ(HAL_getSystemProperty(nullptr, 0, buffer, &length), 4) << "an empty key is never found";
    EXPECT_EQ(HAL_getProperty(2, u"word", 4, buffer, &length), 4) << "only lists 0 and 1 exist";
    EXPECT_EQ(length, 4) << "a failed call leaves the length alone";
    HAL_addProperty(kSystemPropertyList, u"", u"x");
    HAL_addProperty(kSystemPropertyList, nullptr, u"x");
    HAL_addProperty(kSystemPropertyList, u"k", nullptr);
    HAL_addProperty(kSystemPropertyList, u"k", u"v");
    EXPECT_EQ(pairsOf(HAL_getPropertyList(kSystemPropertyList)), (Pairs{{"word", "abc"}, {"k", "v"}}));
}

TEST_F(PropertyFiles, MissingFilesGiveEmptyListsAndFreedListsTakeNothing) {
    HAL_loadPropertyFile(kSystemPropertyList);
    EXPECT_EQ(HAL_getPropertyList(kSystemPropertyList)->size(), 0);
    write("a: 1\n", "b: 2\n");
    HAL_addPlatformProperties();
    HAL_freeProperties();
    EXPECT_EQ(HAL_getPropertyList(kSystemPropertyList), nullptr);
    HAL_loadPropertyFile(kSystemPropertyList);
    HAL_addProperty(kApplicationPropertyList, u"c", u"3");
    EXPECT_EQ(HAL_findProperty(kApplicationPropertyList, u"b", 1), nullptr);
    const uint64_t withoutLists = HAL_getAllocatedBytes();
    HAL_initPropertyLists();
    HAL_loadPropertyFile(kSystemPropertyList);
    EXPECT_EQ(pairsOf(HAL_getPropertyList(kSystemPropertyList)), (Pairs{{"a", "1"}}));
    HAL_freeProperties();
    EXPECT_EQ(HAL_getAllocatedBytes(), withoutLists) << "entries and lists are counted blocks, all freed";
}

TEST_F(PropertyFiles, TheMIDletNameIsANewCopyOrTheFixedDefault) {
    EXPECT_EQ(std::u16string(HAL_getMIDletName()), u"_KV_set_your_MIDlet-Name");
    EXPECT_EQ(HAL_getMIDletName(), kDefaultMIDletName);
    HAL_releaseMIDletName(kDefaultMIDletName);  // never freed
    write("", "MIDlet-Name: \n");
    HAL_loadPropertyFile(kApplicationPropertyList);
    EXPECT_EQ(HAL_getMIDletName(), kDefaultMIDletName) << "an empty name counts as missing";
    HAL_addProperty(kApplicationPropertyList, u"MIDlet-Name", u"Ostrel");
    const uint64_t before = HAL_getAllocatedBytes();
    const char16_t* name = HAL_getMIDletName();
    EXPECT_EQ(std::u16string(name), u"Ostrel");
    EXPECT_EQ(HAL_getAllocatedBytes(), before + 16 + 7 * 2);
    HAL_releaseMIDletName(name);
    EXPECT_EQ(HAL_getAllocatedBytes(), before);
}

}  // namespace
