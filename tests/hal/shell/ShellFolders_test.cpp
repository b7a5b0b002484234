// The shell harnesses' folders: what a child leaves, killed or ended without its exit
// handlers, goes when the test process ends; a child that ends with exit() removes its own.
// Process numbers come round again, so nothing that a process of the same number left is
// ever seen by a harness.

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "tests/hal/shell/ShellFolders.h"
#include "tests/hal/shell/ShellHarness.h"
#include "tests/support/TemporaryFolder.h"

namespace {

namespace fs = std::filesystem;

TEST(ShellFolders, TheTestProcessRemovesWhatEveryChildLeft) {
    TemporaryFolder temporary;
    const pid_t testProcess = fork();
    if (testProcess == 0) {
        setenv("TMPDIR", temporary.path().c_str(), 1);
        const fs::path leftBefore = fs::path(temporary.path()) / ("ostrel_shell_" + std::to_string(getpid())) / "1234";
        fs::create_directories(leftBefore);
        static ShellFolders folders;  // this process's own, removed by exit() below
        static const auto makeOwn = [] { fs::create_directories(folders.ofThisProcess() / "properties"); };
        const auto child = [](void (*end)()) {
            const pid_t pid = fork();
            if (pid == 0) {
                makeOwn();
                end();
            }
            waitpid(pid, nullptr, 0);
            return folders.ofThisProcess().parent_path() / std::to_string(pid);
        };
        makeOwn();
        const fs::path killed = child([] { raise(SIGKILL); });
        const fs::path withoutHandlers = child([] { _exit(0); });
        const fs::path byExit = child([] { std::exit(0); });
        const bool asExpected = !fs::exists(leftBefore) && fs::exists(killed) && fs::exists(withoutHandlers) &&
                                !fs::exists(byExit) && fs::exists(folders.ofThisProcess());
        std::exit(asExpected ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(waitpid(testProcess, &status, 0), testProcess);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0)
        << "an earlier process's folder is gone; the killed child's and the one ended by _exit stay until the end";
    EXPECT_TRUE(fs::is_empty(temporary.path())) << "nothing is left once the test process has ended";
}

// A child killed while it ran the game can leave the game's content and a database in the
// folder that a later process of the same number is given.
TEST(ShellFolders, AHarnessStartsFromAnEmptyFolderWhateverAnEarlierProcessLeftThere) {
    fs::path folder;
    {
        ShellHarness first;
        folder = first.folder;
    }
    fs::create_directories(folder / "rsc");
    std::ofstream(folder / "rsc" / "RP2part0.rp") << "left by a process that was killed";
    ShellHarness second;
    ASSERT_EQ(second.folder, folder);
    EXPECT_FALSE(fs::exists(folder / "rsc"));
}

}  // namespace
