#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <unistd.h>

#include "hal/base/ConsoleOutput.h"
#include "tests/support/CapturedStdout.h"

namespace {

int put(const std::string& bytes) {
    for (char byte : bytes) {
        if (int result = HAL_putConsoleChar(static_cast<signed char>(byte))) return result;
    }
    return 0;
}

TEST(ConsoleOutput, PassesUtf8BytesThroughWithPlainLineFeeds) {
    CapturedStdout captured;
    ASSERT_EQ(put("A\xC3\xA9\xE2\x82\xAC\n"), 0);
    EXPECT_EQ(captured.text(), "A\xC3\xA9\xE2\x82\xAC\n");
}

TEST(ConsoleOutput, UsesTheLowEightBitsOfSignExtendedBytes) {
    CapturedStdout captured;
    ASSERT_EQ(HAL_putConsoleChar(-61), 0);  // 0xC3 after sign extension
    ASSERT_EQ(HAL_putConsoleChar(0x1A9), 0);
    EXPECT_EQ(captured.text(), "\xC3\xA9");
}

TEST(ConsoleOutput, AFailedWriteIsReported) {
    CapturedStdout captured;
    std::FILE* closed = std::freopen("/dev/full", "w", stdout);
    ASSERT_NE(closed, nullptr);
    EXPECT_EQ(put("no room\n"), 3);
}

}  // namespace
