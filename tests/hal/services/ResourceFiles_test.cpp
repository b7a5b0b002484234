#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "hal/base/Memory.h"
#include "hal/services/ModulePath.h"
#include "hal/services/ResourceFiles.h"
#include "tests/support/TemporaryFolder.h"

namespace {

TEST(ModulePath, PathsAreTheDirectoryTheSubfolderAndTheName) {
    const std::string program = testing::internal::GetArgvs()[0];
    char real[4096];
    ASSERT_NE(realpath(program.c_str(), real), nullptr);
    EXPECT_EQ(std::string(real).substr(0, std::string(real).rfind('/')), HAL_getModuleDirectory());

    HAL_setModuleDirectory("/opt/game/");
    EXPECT_STREQ(HAL_getModuleDirectory(), "/opt/game") << "a trailing slash is dropped";
    const uint64_t before = HAL_getAllocatedBytes();
    char* path = HAL_allocModulePath(kResourceFolder, "a/b.png");
    EXPECT_STREQ(path, "/opt/game/rsc/a/b.png");
    EXPECT_EQ(HAL_getAllocatedBytes(), before + 16 + std::strlen(path) + 1) << "a counted block";
    HAL_free(path);
    // "/opt/game/database/store" is 24 bytes: with its terminator it fits 25, not 24.
    char buffer[32] = "untouched";
    EXPECT_EQ(HAL_formatModulePath(buffer, 24, kDatabaseFolder, "store"), 0);
    EXPECT_STREQ(buffer, "untouched");
    EXPECT_EQ(HAL_formatModulePath(buffer, 25, kDatabaseFolder, "store"), 1);
    EXPECT_STREQ(buffer, "/opt/game/database/store");
    HAL_setModuleDirectory(nullptr);
    EXPECT_STREQ(HAL_getModuleDirectory(), std::string(real).substr(0, std::string(real).rfind('/')).c_str());
}

class ResourceFolder : public testing::Test {
protected:
    void SetUp() override { HAL_setModuleDirectory(folder.path().c_str()); }
    void TearDown() override { HAL_setModuleDirectory(nullptr); }

    // The whole resource read through a handle, or "<code>" when it does not open.
    static std::string contentOf(const std::u16string& name) {
        HALFile* file = nullptr;
        const int code = HAL_openResource(&file, name.data(), int32_t(name.size()));
        if (code != 0) return std::string(1, '<').append(std::to_string(code)).append(1, '>');
        std::string bytes(size_t(HAL_getResourceSize(file)), '\0');
        int32_t count = int32_t(bytes.size());
        EXPECT_EQ(HAL_readResource(file, bytes.data(), 0, &count), 0);
        HAL_closeFile(file);
        return bytes.substr(0, size_t(count));
    }

    TemporaryFolder folder;
};

TEST_F(ResourceFolder, NamesOpenFilesInTheResourceFolderAndItsSubfolders) {
    folder.write("rsc/data.bin", "0123456789");
    folder.write("rsc/img/sprites/a.png", "png");
    folder.write("secret.txt", "outside");
    EXPECT_EQ(contentOf(u"data.bin"), "0123456789");
    EXPECT_EQ(contentOf(u"img/sprites/a.png"), "png");
    EXPECT_EQ(contentOf(u"./img\\sprites//a.png"), "png") << "'\\' separates folders too";
    EXPECT_EQ(contentOf(u"missing.bin"), "<4>");
    EXPECT_EQ(contentOf(u"img"), "<4>") << "a folder is no resource";
    EXPECT_EQ(contentOf(u"../secret.txt"), "<4>") << "names stay inside the resource folder";
    EXPECT_EQ(contentOf(std::u16string(u"data.bin\0x", 10)), "<4>");
    // The caller's characters have no terminator: nothing after the length is read.
    folder.write("rsc/ab", "short");
    const char16_t unterminated[3] = {u'a', u'b', u'c'};
    HALFile* file = nullptr;
    ASSERT_EQ(HAL_openResource(&file, unterminated, 2), 0);
    EXPECT_EQ(HAL_getResourceSize(file), 5);
    HAL_closeFile(file);
}

TEST_F(ResourceFolder, LetterCaseIsIgnoredWhenTheExactNameDoesNotExist) {
    folder.write("rsc/Images/Title.PNG", "title");
    folder.write("rsc/music/Theme.mid", "lower folder");
    folder.write("rsc/Music/Theme.mid", "upper folder");
    folder.write("rsc/Music/theme.mid", "lower file");
    EXPECT_EQ(contentOf(u"IMAGES/title.png"), "title");
    EXPECT_EQ(contentOf(u"Music/theme.mid"), "lower file") << "the exact name wins";
    EXPECT_EQ(contentOf(u"MUSIC/THEME.MID"), "upper folder") << "of several matches, the first in byte order";
    EXPECT_EQ(contentOf(u"images/title.pn"), "<4>");
}

TEST_F(ResourceFolder, ReadsArePositionedAndStopAtTheEnd) {
    folder.write("rsc/ten", "0123456789");
    HALFile* file = nullptr;
    ASSERT_EQ(HAL_openResource(&file, u"ten", 3), 0);
    char buffer[16] = {};
    int32_t count = 4;
    ASSERT_EQ(HAL_readResource(file, buffer, 3, &count), 0);
    EXPECT_EQ(std::string(buffer, size_t(count)), "3456");
    count = 16;
    ASSERT_EQ(HAL_readResource(file, buffer, 8, &count), 0);
    EXPECT_EQ(count, 2) << "past the end: fewer bytes than asked";
    count = 16;
    ASSERT_EQ(HAL_readResource(file, buffer, 10, &count), 0);
    EXPECT_EQ(count, 0);
    count = 1;
    EXPECT_EQ(HAL_readResource(file, buffer, -1, &count), 7);
    count = -1;
    EXPECT_EQ(HAL_readResource(file, buffer, 0, &count), 2);
    EXPECT_EQ(HAL_readResource(file, nullptr, 0, &count), 2);
    EXPECT_EQ(HAL_readResource(nullptr, buffer, 0, &count), 2);
    HAL_closeFile(file);
    EXPECT_EQ(HAL_getResourceSize(nullptr), -1);

    file = reinterpret_cast<HALFile*>(buffer);
    EXPECT_EQ(HAL_openResource(&file, u"ten", 0), 2);
    EXPECT_EQ(file, nullptr);
    EXPECT_EQ(HAL_openResource(&file, nullptr, 1), 2);
    EXPECT_EQ(HAL_openResource(nullptr, u"ten", 3), 2);
}

TEST_F(ResourceFolder, LoadingGivesTheWholeFileAsACountedBlock) {
    folder.write("rsc/blob", std::string("a\0b", 3));
    folder.write("rsc/empty", "");
    const uint64_t before = HAL_getAllocatedBytes();
    uint8_t* data = nullptr;
    int32_t size = 0;
    ASSERT_EQ(HAL_loadResource(u"blob", 4, &data, &size), 0);
    EXPECT_EQ(std::string(reinterpret_cast<char*>(data), size_t(size)), std::string("a\0b", 3));
    EXPECT_EQ(HAL_getAllocatedBytes(), before + 16 + 3);
    HAL_free(data);
    EXPECT_EQ(HAL_loadResource(u"empty", 5, &data, &size), 7) << "an empty file cannot be loaded whole";
    EXPECT_EQ(data, nullptr);
    EXPECT_EQ(size, 0);
    EXPECT_EQ(HAL_loadResource(u"none", 4, &data, &size), 4);
    EXPECT_EQ(HAL_loadResource(u"blob", 4, nullptr, &size), 2);
    EXPECT_EQ(HAL_getAllocatedBytes(), before);
    EXPECT_EQ(contentOf(u"empty"), "") << "while it opens";
}

}  // namespace
