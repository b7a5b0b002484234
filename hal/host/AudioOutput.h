#pragma once

// The sound output of the host: one stream of 16-bit stereo frames at 44100 Hz, pulled from
// a renderer on an audio thread of the output's own. Two kinds: an SDL2 audio device, and a
// silent sink that pulls the same frames at the same pace and discards them, used when there
// is no sound device, when SDL offers only its dummy driver, headless (OSTREL_BACKEND=headless)
// or when OSTREL_AUDIO=silent. A missing device is told in one line on stderr, once.
// Whatever plays, the renderer sees the same calls.

#include <cstdint>
#include <functional>
#include <memory>

namespace host {

constexpr int kAudioRate = 44100;
constexpr int kAudioChannels = 2;
constexpr int kAudioBlockFrames = 1024;  // frames per pull
constexpr const char* kAudioVariable = "OSTREL_AUDIO";

class AudioOutput {
public:
    // Fills `frames` interleaved stereo frames; called on the output's audio thread.
    using Renderer = std::function<void(int16_t* samples, int frames)>;

    virtual ~AudioOutput() = default;
    virtual const char* name() const = 0;
};

// Starts the process's sound output pulling from renderer: an SDL2 device where one can be
// opened, else the silent sink. The output stops (its thread joined) when destroyed.
std::unique_ptr<AudioOutput> openAudioOutput(AudioOutput::Renderer renderer);

}  // namespace host
