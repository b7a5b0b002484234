#pragma once

// Where the shell harnesses of one test process keep their files: one folder named after the
// test process, with a folder for each process that makes a harness (the test process and
// the children it forks). A child that is killed, or that ends with _exit, cannot remove its
// own folder; the test process removes the whole of it when it ends. Made when the test
// executable starts, before any fork, so every child knows its parent's folder.

#include <unistd.h>

#include <filesystem>
#include <string>

class ShellFolders {
public:
    // Process numbers come round again: whatever a process of the same number left goes first.
    ShellFolders()
        : root_(std::filesystem::temp_directory_path() / ("ostrel_shell_" + std::to_string(::getpid()))),
          owner_(::getpid()) {
        std::error_code ignored;
        std::filesystem::remove_all(root_, ignored);
    }
    // Static destructors run in the test process and in every child that ends with exit():
    // each removes what it may, the test process everything.
    ~ShellFolders() {
        std::error_code ignored;
        std::filesystem::remove_all(::getpid() == owner_ ? root_ : ofThisProcess(), ignored);
    }
    ShellFolders(const ShellFolders&) = delete;
    ShellFolders& operator=(const ShellFolders&) = delete;

    std::filesystem::path ofThisProcess() const { return root_ / std::to_string(::getpid()); }

private:
    std::filesystem::path root_;
    pid_t owner_;
};

inline ShellFolders shellFolders;
