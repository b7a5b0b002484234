#include "hal/host/ExitSignalWatch.h"

#include <atomic>
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <iterator>
#include <unistd.h>

namespace host {

namespace {

constexpr int kWatchedSignals[] = {SIGTERM, SIGINT};
constexpr char kSignalled = 1;
constexpr char kStop = 0;

std::atomic<bool> watchActive{false};
std::atomic<int> signalPipe{-1};  // the write end the handler uses; lock-free, so safe to read there
struct sigaction replaced[2];

void onExitSignal(int) {
    const int saved = errno;
    const int fd = signalPipe.load();
    if (fd >= 0) (void)!write(fd, &kSignalled, 1);  // never blocks: the write end is non-blocking
    errno = saved;
}

}  // namespace

ExitSignalWatch::ExitSignalWatch(std::function<void()> action) : action_(std::move(action)) {
    if (watchActive.exchange(true)) return;
    if (pipe2(pipe_, O_CLOEXEC) != 0) {
        watchActive = false;
        return;
    }
    fcntl(pipe_[1], F_SETFL, O_NONBLOCK);
    signalPipe = pipe_[1];
    watcher_ = std::thread([this] { run(); });
    struct sigaction handler {};
    handler.sa_handler = &onExitSignal;
    sigemptyset(&handler.sa_mask);
    handler.sa_flags = SA_RESTART;
    for (size_t i = 0; i < std::size(kWatchedSignals); ++i) sigaction(kWatchedSignals[i], &handler, &replaced[i]);
    watching_ = true;
}

ExitSignalWatch::~ExitSignalWatch() {
    if (!watching_) return;
    for (size_t i = 0; i < std::size(kWatchedSignals); ++i) sigaction(kWatchedSignals[i], &replaced[i], nullptr);
    signalPipe = -1;
    // Blocking, so the stop byte gets through even behind a pipe full of signals.
    fcntl(pipe_[1], F_SETFL, 0);
    while (write(pipe_[1], &kStop, 1) < 0 && errno == EINTR) {
    }
    watcher_.join();
    close(pipe_[0]);
    close(pipe_[1]);
    watchActive = false;
}

void ExitSignalWatch::run() {
    for (;;) {
        char byte = kStop;
        const ssize_t got = read(pipe_[0], &byte, 1);
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0 || byte == kStop) return;
        action_();
    }
}

}  // namespace host
