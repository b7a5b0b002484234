#pragma once

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <unistd.h>

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
