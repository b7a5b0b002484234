#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <sys/wait.h>
#include <unistd.h>

#include "hal/base/FatalError.h"

namespace {

TEST(FatalErrorDeathTest, EndsWithCodeOneAndTellsWhy) {
    EXPECT_EXIT(HAL_fatalError("HAL_createCanvas() failed."), testing::ExitedWithCode(1),
                "HAL_createCanvas\\(\\) failed\\.");
}

TEST(FatalErrorDeathTest, RunsNoExitHandlers) {
    // Exit handlers may touch globals that running threads still use; an exit handler that
    // ran would change the exit code to 9.
    EXPECT_EXIT(
        {
            std::atexit([] { _exit(9); });
            HAL_fatalError("stop");
        },
        testing::ExitedWithCode(1), "stop");
}

TEST(FatalError, FlushesPendingConsoleOutputFirst) {
    const std::string path = testing::TempDir() + "fatal_stdout.txt";
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        if (std::freopen(path.c_str(), "w", stdout) == nullptr) _exit(2);
        std::freopen("/dev/null", "w", stderr);
        std::fputs("unfinished line", stdout);
        HAL_fatalError("stop");
    }
    int status = 0;
    waitpid(child, &status, 0);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 1);
    std::ifstream file(path);
    std::stringstream text;
    text << file.rdbuf();
    EXPECT_EQ(text.str(), "unfinished line");
    std::remove(path.c_str());
}

}  // namespace
