#pragma once

// The sound output on an SDL2 audio device: SDL's audio thread pulls blocks of frames from
// the renderer; SDL converts them to whatever the device plays.

#include <cstdint>

#include "hal/host/AudioOutput.h"

namespace host {

class SdlAudioOutput final : public AudioOutput {
public:
    // The device output, or null when SDL has no real audio driver (none at all, or only
    // its dummy driver) or the device cannot be opened.
    static std::unique_ptr<SdlAudioOutput> open(Renderer renderer);
    ~SdlAudioOutput() override;
    const char* name() const override { return "sdl"; }

private:
    explicit SdlAudioOutput(Renderer renderer) : renderer_(std::move(renderer)) {}
    static void pull(void* self, uint8_t* stream, int bytes);

    Renderer renderer_;
    uint32_t device_ = 0;
};

}  // namespace host
