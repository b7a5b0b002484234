#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <unistd.h>

#include "hal/base/ConsoleOutput.h"

namespace {

// Sends standard output to a temporary file for the life of the object.
class CapturedStdout {
public:
    CapturedStdout() : path_(testing::TempDir() + "console_XXXXXX") {
        std::fflush(stdout);
        saved_ = dup(STDOUT_FILENO);
        const int file = mkstemp(path_.data());
        dup2(file, STDOUT_FILENO);
        close(file);
    }
    ~CapturedStdout() {
        restore();
        unlink(path_.c_str());
    }
    std::string text() {
        std::fflush(stdout);
        std::ifstream file(path_, std::ios::binary);
        std::stringstream contents;
        contents << file.rdbuf();
        return contents.str();
    }
    void restore() {
        if (saved_ < 0) return;
        std::fflush(stdout);
        dup2(saved_, STDOUT_FILENO);
        close(saved_);
        saved_ = -1;
    }

private:
    std::string path_;
    int saved_ = -1;
};

int put(const std::u16string& text) {
    for (char16_t unit : text) {
        if (int result = HAL_putConsoleChar(unit)) return result;
    }
    return 0;
}

TEST(ConsoleOutput, WritesUtf16AsUtf8WithPlainLineFeeds) {
    CapturedStdout captured;
    ASSERT_EQ(put(u"A\u00e9\u20ac\U0001F600\n"), 0);
    EXPECT_EQ(captured.text(), "A\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80\n");
}

TEST(ConsoleOutput, LoneSurrogatesBecomeReplacementCharacters) {
    CapturedStdout captured;
    const std::u16string text{char16_t(0xD800), u'x', char16_t(0xDC00), u'\n'};
    ASSERT_EQ(put(text), 0);
    EXPECT_EQ(captured.text(), "\xEF\xBF\xBDx\xEF\xBF\xBD\n");
}

TEST(ConsoleOutput, AFailedWriteIsReported) {
    CapturedStdout captured;
    std::FILE* closed = std::freopen("/dev/full", "w", stdout);
    ASSERT_NE(closed, nullptr);
    EXPECT_EQ(put(u"no room\n"), 3);
}

}  // namespace
