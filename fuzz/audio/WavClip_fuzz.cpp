// Parses arbitrary bytes as a WAV file and, when they are accepted, checks the clip against
// the bytes: its samples lie inside them, its format is one the mixer plays, its length is
// whole frames; then plays it through a mixer voice (three loops, at its own rate) so every
// sample read stays inside the buffer.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "hal/audio/AudioMixer.h"
#include "hal/audio/MixerVoice.h"
#include "hal/audio/WavClip.h"

namespace {

void check(bool condition) {
    if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    WavClip clip;
    if (WavClip::parse(data, size, &clip) != 0) return 0;
    const WaveFormat& f = clip.format;
    check(f.tag == kFormatPcm && (f.channels == 1 || f.channels == 2) && (f.bitsPerSample == 8 || f.bitsPerSample == 16));
    check(f.samplesPerSecond > 0 && f.blockAlign == f.channels * f.bitsPerSample / 8);
    check(clip.dataOffset <= size && clip.dataLength <= size - clip.dataOffset);
    check(clip.dataLength % f.blockAlign == 0);
    check(clip.durationMicroseconds() >= 0);

    AudioMixer mixer;
    MixerVoice* voice = mixer.open(f, nullptr);
    check(voice != nullptr);
    voice->write(WaveBuffer{data + clip.dataOffset, clip.dataLength, kLoopWholeBuffer, 3}, 1);
    std::vector<int16_t> out(2 * 2048);
    mixer.render(out.data(), 2048);
    check(voice->positionMicroseconds() >= 0);
    return 0;
}
