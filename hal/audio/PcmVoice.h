#pragma once

// A voice that plays PCM samples (8-bit unsigned or 16-bit signed little-endian, mono or
// stereo, any rate above 0) into the mixer's 44100 Hz stereo stream. Other rates are
// resampled by linear interpolation between neighbouring frames (across the loop point while
// plays remain); at 44100 Hz every sample comes out unchanged. Mono plays on both sides.
// The position counts the source frames played.

#include "hal/audio/MixerVoice.h"

class PcmVoice final : public MixerVoice {
public:
    static bool canPlay(const WaveFormat& format);
    PcmVoice(AudioMixer& mixer, void* owner, const WaveFormat& format);

protected:
    bool mix(float* stereo, int frames) override;
    void rewind() override;
    int64_t elapsedMicroseconds() const override;

private:
    uint64_t frameCount() const { return buffer().length / format_.blockAlign; }
    float sampleAt(uint64_t frame, int channel) const;
    // The sample at the current position, between its frame and the next.
    float interpolated(int channel, uint64_t frames) const;
    void advance();
    bool endPlays(uint64_t count);

    WaveFormat format_;
    uint64_t stepFrames_;     // source frames per output frame: whole part
    uint32_t stepFraction_;   // and fraction, in 2^-32
    uint64_t frame_ = 0;      // position in the current play
    uint32_t fraction_ = 0;
    uint64_t playsDone_ = 0;
};
