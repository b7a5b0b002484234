#pragma once

// The limit of a test's wait for what another thread or process does: far beyond any delay
// that load on a busy machine causes, so that it only ends a wait for what never comes.

#include <chrono>

class WaitLimit {
public:
    static constexpr std::chrono::seconds kLength{60};

    bool reached() const { return std::chrono::steady_clock::now() >= end_; }

private:
    std::chrono::steady_clock::time_point end_ = std::chrono::steady_clock::now() + kLength;
};
