#pragma once

// The mixer: the voices of every open player summed into one stream of 16-bit stereo frames
// at 44100 Hz (sums beyond the 16-bit range are clipped). The process's mixer renders for the
// host's sound output (an SDL2 device or the silent sink, at the same pace); a mixer of its own
// can be rendered by hand (tests, benchmarks).
//
// Voices play PCM (8 or 16 bits, 1 or 2 channels, any rate, resampled linearly; at 44100 Hz
// every sample comes out unchanged) or MIDI streams (rendered by FluidSynth). When a voice's
// buffer has played its last time, the mixer calls the finish notifier with the voice's
// owner and the buffer's serial, on the rendering thread with the mixer's lock held: the
// notifier must only post.

#include <cstdint>
#include <memory>
#include <mutex>
#include <vector>

#include "hal/audio/WaveFormat.h"
#include "hal/host/AudioOutput.h"

class MixerVoice;

class AudioMixer {
public:
    using FinishNotifier = void (*)(void* owner, uint64_t serial);

    AudioMixer();
    ~AudioMixer();
    AudioMixer(const AudioMixer&) = delete;
    AudioMixer& operator=(const AudioMixer&) = delete;

    // The process's mixer (never destroyed; its output is stopped with stopOutput).
    static AudioMixer& process();

    // A new voice for the format (PCM or MIDI stream), or null when it cannot be played (an
    // unknown format, or no SoundFont for MIDI). The mixer owns it until close.
    MixerVoice* open(const WaveFormat& format, void* owner);
    void close(MixerVoice* voice);
    int32_t voiceCount();

    // Renders frames into samples (interleaved stereo). Any thread; one at a time.
    void render(int16_t* samples, int frames);
    int64_t framesRendered();
    void setFinishNotifier(FinishNotifier notifier);

    // Starts the host's sound output pulling from this mixer, once; stopOutput stops it
    // (joining its thread). output() is null while none runs.
    void startOutput();
    void stopOutput();
    host::AudioOutput* output();

    std::mutex& lock() { return lock_; }

private:
    void renderBlock(int16_t* samples, int frames);

    std::mutex lock_;
    std::vector<MixerVoice*> voices_;   // guarded by lock_
    std::vector<float> accumulator_;    // guarded by lock_
    int64_t framesRendered_ = 0;        // guarded by lock_
    FinishNotifier notifier_ = nullptr;  // guarded by lock_
    std::mutex outputLock_;
    std::unique_ptr<host::AudioOutput> output_;  // guarded by outputLock_
};
