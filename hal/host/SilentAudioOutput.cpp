#include "hal/host/SilentAudioOutput.h"

#include <chrono>

namespace host {

namespace {

using Clock = std::chrono::steady_clock;

// The instant at which `frames` frames have played since start.
Clock::time_point playedBy(Clock::time_point start, int64_t frames) {
    return start + std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(double(frames) / kAudioRate));
}

}  // namespace

SilentAudioOutput::SilentAudioOutput(Renderer renderer)
    : renderer_(std::move(renderer)), block_(size_t(kAudioBlockFrames) * kAudioChannels) {
    thread_ = std::thread([this] { run(); });
}

SilentAudioOutput::~SilentAudioOutput() {
    {
        std::lock_guard<std::mutex> guard(mutex_);
        stopping_ = true;
    }
    stopRequested_.notify_all();
    thread_.join();
}

void SilentAudioOutput::setTap(Tap tap) {
    std::lock_guard<std::mutex> guard(mutex_);
    tap_ = std::move(tap);
}

int64_t SilentAudioOutput::framesPulled() const {
    std::lock_guard<std::mutex> guard(mutex_);
    return pulled_;
}

// A device asks for the next block when the previous one has been played: the first at
// once, block n when n blocks' worth of time has passed.
void SilentAudioOutput::run() {
    const Clock::time_point start = Clock::now();
    std::unique_lock<std::mutex> lock(mutex_);
    while (!stopping_) {
        lock.unlock();
        renderer_(block_.data(), kAudioBlockFrames);
        lock.lock();
        if (tap_) tap_(block_.data(), kAudioBlockFrames);
        pulled_ += kAudioBlockFrames;
        stopRequested_.wait_until(lock, playedBy(start, pulled_), [this] { return stopping_; });
    }
}

}  // namespace host
