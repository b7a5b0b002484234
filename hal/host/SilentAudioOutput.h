#pragma once

// The sound output without a sound device: a thread pulls blocks of frames from the renderer
// at the pace a device would (one block each time a block's worth of time has passed on the
// steady clock) and discards them, so players start, loop and end as they would with sound.
// A tap (tests) sees each block before it is discarded.

#include <condition_variable>
#include <mutex>
#include <thread>
#include <vector>

#include "hal/host/AudioOutput.h"

namespace host {

class SilentAudioOutput final : public AudioOutput {
public:
    using Tap = std::function<void(const int16_t* samples, int frames)>;

    explicit SilentAudioOutput(Renderer renderer);
    ~SilentAudioOutput() override;
    const char* name() const override { return "silent"; }

    // Calls tap with every block rendered from now on (on the audio thread, with the sink's
    // lock held: the tap must not stop the sink); null removes it.
    void setTap(Tap tap);
    // Frames pulled so far.
    int64_t framesPulled() const;

private:
    void run();

    Renderer renderer_;
    mutable std::mutex mutex_;
    std::condition_variable stopRequested_;
    bool stopping_ = false;
    Tap tap_;               // guarded by mutex_
    int64_t pulled_ = 0;    // guarded by mutex_
    std::vector<int16_t> block_;
    std::thread thread_;
};

}  // namespace host
