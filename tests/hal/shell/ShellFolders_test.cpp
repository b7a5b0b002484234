// The shell harnesses' folders: what a child leaves, killed or ended without its exit
// handlers, goes when the test process ends; a child that ends with exit() removes its own.

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "tests/hal/shell/ShellFolders.h"
#include "tests/support/TemporaryFolder.h"

namespace {

namespace fs = std::filesystem;

TEST(ShellFolders, TheTestProcessRemovesWhatEveryChildLeft) {
    TemporaryFolder temporary;
    const pid_t testProcess = fork();
    if (testProcess == 0) {
        setenv("TMPDIR", temporary.path().c_str(), 1);
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
        const bool asExpected = fs::exists(killed) && fs::exists(withoutHandlers) && !fs::exists(byExit) &&
                                fs::exists(folders.ofThisProcess());
        std::exit(asExpected ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(waitpid(testProcess, &status, 0), testProcess);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0) << "the killed child's folder and the one ended by _exit stay until the end";
    EXPECT_TRUE(fs::is_empty(temporary.path())) << "nothing is left once the test process has ended";
}

}  // namespace
