#pragma once

// While a watch lives, SIGTERM and SIGINT no longer end the process at once: each one runs
// the watch's action on a thread of the watch's own, where it may do anything (post a
// message, say). The signal handler itself only writes a byte to a pipe, which is safe in a
// handler. Ending the watch restores the handlers it replaced. One watch works at a time; a
// second one made while another lives stays idle.

#include <functional>
#include <thread>

namespace host {

class ExitSignalWatch {
public:
    explicit ExitSignalWatch(std::function<void()> action);
    ~ExitSignalWatch();
    ExitSignalWatch(const ExitSignalWatch&) = delete;
    ExitSignalWatch& operator=(const ExitSignalWatch&) = delete;

    bool isWatching() const { return watching_; }

private:
    void run();

    std::function<void()> action_;
    int pipe_[2] = {-1, -1};
    bool watching_ = false;
    std::thread watcher_;
};

}  // namespace host
