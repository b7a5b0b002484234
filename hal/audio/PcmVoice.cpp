#include "hal/audio/PcmVoice.h"

#include "hal/host/AudioOutput.h"

namespace {

constexpr double kFractionScale = 4294967296.0;  // 2^32

}  // namespace

bool PcmVoice::canPlay(const WaveFormat& format) {
    return (format.channels == 1 || format.channels == 2) && (format.bitsPerSample == 8 || format.bitsPerSample == 16) &&
           format.samplesPerSecond > 0 && format.blockAlign == format.channels * format.bitsPerSample / 8;
}

PcmVoice::PcmVoice(AudioMixer& mixer, void* owner, const WaveFormat& format)
    : MixerVoice(mixer, owner),
      format_(format),
      stepFrames_(format.samplesPerSecond / host::kAudioRate),
      stepFraction_(uint32_t((uint64_t(format.samplesPerSecond % host::kAudioRate) << 32) / host::kAudioRate)) {}

void PcmVoice::rewind() {
    frame_ = 0;
    fraction_ = 0;
    playsDone_ = 0;
}

int64_t PcmVoice::elapsedMicroseconds() const {
    const uint64_t played = playsDone_ * frameCount() + frame_, rate = format_.samplesPerSecond;
    return int64_t(played / rate * 1000000 + played % rate * 1000000 / rate);
}

float PcmVoice::sampleAt(uint64_t frame, int channel) const {
    const uint8_t* at = buffer().data + frame * format_.blockAlign + (channel % format_.channels) * (format_.bitsPerSample / 8);
    if (format_.bitsPerSample == 8) return float((int(at[0]) - 128) * 256);
    return float(int16_t(uint16_t(at[0] | at[1] << 8)));
}

float PcmVoice::interpolated(int channel, uint64_t frames) const {
    const float here = sampleAt(frame_, channel);
    if (fraction_ == 0) return here;
    uint64_t next = frame_ + 1;
    if (next == frames) next = playsDone_ + 1 < plays() ? 0 : frame_;
    return here + (sampleAt(next, channel) - here) * float(double(fraction_) / kFractionScale);
}

void PcmVoice::advance() {
    const uint64_t sum = uint64_t(fraction_) + stepFraction_;
    fraction_ = uint32_t(sum);
    frame_ += stepFrames_ + (sum >> 32);
}

// Counts the plays the position has run past; true (the position at the end) when the last
// one is done.
bool PcmVoice::endPlays(uint64_t count) {
    playsDone_ += frame_ / count;
    frame_ %= count;
    if (playsDone_ < plays()) return false;
    playsDone_ = plays();
    frame_ = fraction_ = 0;
    return true;
}

bool PcmVoice::mix(float* stereo, int frames) {
    const uint64_t count = frameCount();
    if (count == 0) {
        playsDone_ = plays();
        return true;
    }
    for (int i = 0; i < frames; ++i) {
        stereo[2 * i] += interpolated(0, count) * gainLeft();
        stereo[2 * i + 1] += interpolated(1, count) * gainRight();
        advance();
        if (frame_ >= count && endPlays(count)) return true;
    }
    return false;
}
