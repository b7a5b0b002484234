#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <string>

#include "hal/services/RecordStoreName.h"
#include "hal/services/StoreFileNames.h"
#include "hal/services/StoreMetadata.h"

namespace {

std::string folderOf(const std::u16string& name) { return RecordStoreName::folderName(name.data(), int32_t(name.size())); }

std::u16string nameOf(const std::string& folder) {
    std::u16string name;
    return RecordStoreName::fromFolderName(folder, &name) ? name : u"<none>";
}

TEST(RecordStoreName, EveryNameHasOneFolderNameThatDecodesBackToIt) {
    EXPECT_EQ(folderOf(u"Progress 1.v2_x-y"), "store-Progress 1.v2_x-y") << "plain names stay readable";
    EXPECT_EQ(folderOf(u"../up"), "store-..%002Fup");
    EXPECT_EQ(folderOf(u"a\\b%"), "store-a%005Cb%0025");
    EXPECT_EQ(folderOf(u"\u00e9\U0001F600"), "store-%00E9%D83D%DE00");
    for (const std::u16string& name : {std::u16string(u"../up"), std::u16string(u".."), std::u16string(u"a/b/c"),
                                       std::u16string(u"%0041"), std::u16string(u"nul\0x", 5), std::u16string(32, u'\xFFFF')})
        EXPECT_EQ(nameOf(folderOf(name)), name);
    for (char32_t unit = 0; unit <= 0xFFFF; ++unit) {
        const std::u16string name(1, char16_t(unit));
        const std::string folder = folderOf(name);
        ASSERT_EQ(folder.find('/'), std::string::npos);
        ASSERT_EQ(nameOf(folder), name) << unsigned(unit);
    }
    EXPECT_FALSE(RecordStoreName::isValid(u"x", 0));
    EXPECT_FALSE(RecordStoreName::isValid(nullptr, 1));
    EXPECT_TRUE(RecordStoreName::isValid(std::u16string(32, u'a').data(), 32));
    EXPECT_FALSE(RecordStoreName::isValid(std::u16string(33, u'a').data(), 33));
}

TEST(RecordStoreName, FolderNamesThatEncodingNeverGivesAreNoStores) {
    for (const char* folder : {"store-", "stor-a", "Store-a", "store-a/b", "store-%2f00", "store-%002f", "store-%0041",
                               "store-%12", "store-%12G4", "store-\xC3\xA9", "store-a:b", "store-%"})
        EXPECT_EQ(nameOf(folder), u"<none>") << folder;
    EXPECT_EQ(nameOf("store-" + std::string(32, 'a')), std::u16string(32, u'a'));
    EXPECT_EQ(nameOf("store-" + std::string(33, 'a')), u"<none>");
}

TEST(StoreFileNames, OnlyCanonicalRecordNamesAreRecords) {
    EXPECT_EQ(StoreFileNames::record(7), "record-7.bin");
    int32_t id = -1;
    EXPECT_TRUE(StoreFileNames::recordId("record-1.bin", &id));
    EXPECT_EQ(id, 1);
    EXPECT_TRUE(StoreFileNames::recordId("record-2147483647.bin", &id));
    EXPECT_EQ(id, INT32_MAX);
    for (const char* name : {"record-0.bin", "record-01.bin", "record-2147483648.bin", "record-99999999999.bin", "record--1.bin",
                             "record-+1.bin", "record-.bin", "record-1.BIN", "record-1.bin.x", ".tmp-record-1.bin", "record-1",
                             "metadata.info"}) {
        id = -1;
        EXPECT_FALSE(StoreFileNames::recordId(name, &id)) << name;
        EXPECT_EQ(id, -1);
    }
    const std::string temporary = StoreFileNames::temporary(StoreFileNames::record(3));
    EXPECT_TRUE(StoreFileNames::isTemporary(temporary));
    EXPECT_FALSE(StoreFileNames::recordId(temporary, &id)) << "a file being written never reads as a record";
    EXPECT_TRUE(StoreFileNames::isTemporary(StoreFileNames::kTemporaryMetadata));
    EXPECT_FALSE(StoreFileNames::isTemporary("record-3.bin"));
}

TEST(StoreMetadata, WordsAreLittleEndianWithTheHighHalfOfTheTimeLast) {
    const StoreMetadata written{
        .lastModified = 0x0000018F12345678, .version = 3, .nextRecordId = 0x01020304, .size = 0xA0B0C0D0, .recordCount = 9};
    uint8_t bytes[StoreMetadata::kFileSize];
    written.encode(bytes);
    const uint8_t expected[] = {0x78, 0x56, 0x34, 0x12, 3, 0, 0, 0, 4, 3, 2, 1, 0xD0, 0xC0, 0xB0, 0xA0, 9, 0, 0, 0, 0x8F, 0x01, 0, 0};
    EXPECT_EQ(std::memcmp(bytes, expected, sizeof expected), 0);
    StoreMetadata read;
    EXPECT_TRUE(read.decode(bytes, sizeof bytes));
    EXPECT_EQ(read, written);

    // The older file without the high half: the low half is taken sign-extended.
    bytes[3] = 0x92;
    StoreMetadata old;
    EXPECT_TRUE(old.decode(bytes, StoreMetadata::kShortFileSize));
    EXPECT_EQ(old.lastModified, int64_t(int32_t(0x92345678)));
    EXPECT_EQ(old.recordCount, 9);
}

TEST(StoreMetadata, FilesOfOtherSizesAreNotWholeAndKeepTheFieldsTheyLack) {
    uint8_t bytes[32] = {};
    for (size_t i = 0; i < sizeof bytes; ++i) bytes[i] = uint8_t(i + 1);
    StoreMetadata partial{.size = 77, .recordCount = 5};
    EXPECT_FALSE(partial.decode(bytes, 11)) << "two whole words and three bytes";
    EXPECT_EQ(partial.version, 0x08070605u);
    EXPECT_EQ(partial.nextRecordId, 1) << "the third word is cut short";
    EXPECT_EQ(partial.size, 77u);
    EXPECT_EQ(partial.recordCount, 5);
    StoreMetadata longer;
    EXPECT_FALSE(longer.decode(bytes, sizeof bytes));
    EXPECT_EQ(longer.recordCount, 0x14131211);
    StoreMetadata none;
    EXPECT_FALSE(none.decode(nullptr, 24));
    EXPECT_EQ(none, StoreMetadata{});
}

}  // namespace
