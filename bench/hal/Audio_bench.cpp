// Figures for the audio players:
// - the mixer's CPU per second of sound with four voices playing (16-bit mono at 22050 Hz,
//   resampled; 16-bit stereo at 44100 Hz; 8-bit mono at 11025 Hz; 16-bit mono at 44100 Hz),
//   as milliseconds of one core per second and as a share of one core;
// - FluidSynth's rendering speed against real time: a General MIDI piece of six channels
//   (chords, bass, melody, drums) rendered through a MIDI voice, as seconds of sound per
//   second of CPU;
// - the one-time SoundFont load and the cost of a new synthesiser.

#include <chrono>
#include <cstdio>
#include <ctime>
#include <deque>
#include <vector>

#include "hal/audio/AudioMixer.h"
#include "hal/audio/MidiMessageList.h"
#include "hal/audio/MidiSynth.h"
#include "hal/audio/MixerVoice.h"
#include "hal/audio/WavClip.h"
#include "hal/host/AudioOutput.h"

namespace {

using Bytes = std::vector<uint8_t>;
constexpr int kSeconds = 20;

double threadCpuSeconds() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return double(t.tv_sec) + double(t.tv_nsec) * 1e-9;
}

void put(Bytes& b, uint32_t v, int bytes) {
    for (int i = 0; i < bytes; ++i) b.push_back(uint8_t(v >> (8 * i)));
}

// A WAV file of one second of a sawtooth.
Bytes wav(uint16_t channels, uint32_t rate, uint16_t bits) {
    const uint32_t block = channels * bits / 8u, dataLength = rate * block;
    Bytes b{'R', 'I', 'F', 'F'};
    put(b, 36 + dataLength, 4);
    for (char c : std::string("WAVEfmt ")) b.push_back(uint8_t(c));
    put(b, 16, 4);
    put(b, 1, 2), put(b, channels, 2), put(b, rate, 4), put(b, rate * block, 4), put(b, block, 2), put(b, bits, 2);
    for (char c : std::string("data")) b.push_back(uint8_t(c));
    put(b, dataLength, 4);
    for (uint32_t i = 0; i < rate * channels; ++i) put(b, bits == 8 ? (i * 3) & 0xFF : (i * 300) & 0xFFFF, bits / 8);
    return b;
}

double renderSeconds(AudioMixer& mixer, int seconds) {
    std::vector<int16_t> block(size_t(host::kAudioBlockFrames) * 2);
    const double start = threadCpuSeconds();
    for (int64_t done = 0; done < int64_t(seconds) * host::kAudioRate; done += host::kAudioBlockFrames)
        mixer.render(block.data(), host::kAudioBlockFrames);
    return threadCpuSeconds() - start;
}

void fourVoices() {
    AudioMixer mixer;
    std::deque<Bytes> files{wav(1, 22050, 16), wav(2, 44100, 16), wav(1, 11025, 8), wav(1, 44100, 16)};
    for (const Bytes& file : files) {
        WavClip clip;
        WavClip::parse(file.data(), file.size(), &clip);
        mixer.open(clip.format, nullptr)->write({file.data() + clip.dataOffset, clip.dataLength, kLoopWholeBuffer, kPlaysForever}, 1);
    }
    const double cpu = renderSeconds(mixer, kSeconds);
    std::printf("%-34s %8.3f ms per second of sound (%.3f %% of one core)\n", "mixer, four PCM voices", 1000.0 * cpu / kSeconds,
                100.0 * cpu / kSeconds);
}

// Six channels over 4 s, looped: a chord every beat, bass, a melody, drums (one tick a ms).
Bytes piece() {
    Bytes events{0x00, 0xC0, 0, 0x00, 0xC1, 48, 0x00, 0xC2, 33, 0x00, 0xC3, 73, 0x00, 0xC4, 25};
    auto delta = [&](uint32_t v) {
        if (v >= 128) events.push_back(uint8_t(0x80 | (v >> 7)));
        events.push_back(uint8_t(v & 0x7F));
    };
    for (int beat = 0; beat < 8; ++beat) {
        const uint8_t root = uint8_t(48 + (beat % 4) * 2);
        for (uint8_t ch = 0; ch < 2; ++ch)
            for (uint8_t n : {root, uint8_t(root + 4), uint8_t(root + 7)}) delta(0), events.insert(events.end(), {uint8_t(0x90 | ch), uint8_t(n + 12 * ch), 90});
        delta(0), events.insert(events.end(), {0x92, uint8_t(root - 12), 100});
        delta(0), events.insert(events.end(), {0x99, 36, 110});
        delta(0), events.insert(events.end(), {0x99, 42, 80});
        for (int step = 0; step < 4; ++step) {
            delta(0), events.insert(events.end(), {0x93, uint8_t(root + 24 + step * 2), 80});
            delta(0), events.insert(events.end(), {0x94, uint8_t(root + 19 + step), 70});
            delta(120), events.insert(events.end(), {0x83, uint8_t(root + 24 + step * 2), 0});
            delta(0), events.insert(events.end(), {0x84, uint8_t(root + 19 + step), 0});
        }
        for (uint8_t ch = 0; ch < 2; ++ch)
            for (uint8_t n : {root, uint8_t(root + 4), uint8_t(root + 7)}) delta(0), events.insert(events.end(), {uint8_t(0x80 | ch), uint8_t(n + 12 * ch), 0});
        delta(20), events.insert(events.end(), {0x82, uint8_t(root - 12), 0});
    }
    delta(0), events.insert(events.end(), {0xFF, 0x2F, 0x00});
    Bytes file{'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 0, 0, 1, 0x01, 0xF4, 'M', 'T', 'r', 'k'};
    for (int i = 3; i >= 0; --i) file.push_back(uint8_t(events.size() >> (8 * i)));
    file.insert(file.end(), events.begin(), events.end());
    return file;
}

void synthesiser() {
    using Clock = std::chrono::steady_clock;
    auto start = Clock::now();
    if (!MidiSynth::available()) {
        std::printf("no SoundFont: FluidSynth figures skipped\n");
        return;
    }
    std::printf("%-34s %8.1f ms (once per process)\n", "SoundFont load", std::chrono::duration<double, std::milli>(Clock::now() - start).count());
    start = Clock::now();
    constexpr int kSynths = 20;
    for (int i = 0; i < kSynths; ++i) MidiSynth::create();
    std::printf("%-34s %8.2f ms\n", "new synthesiser", std::chrono::duration<double, std::milli>(Clock::now() - start).count() / kSynths);

    const Bytes file = piece();
    MidiMessageList list;
    MidiMessageList::convert(file.data(), file.size(), &list);
    WaveFormat format;
    format.tag = kFormatMidiStream;
    format.microsecondsPerQuarter = list.division * 1000u;
    format.ticksPerQuarter = list.division;
    AudioMixer mixer;
    const auto* records = reinterpret_cast<const uint8_t*>(list.records.data());
    mixer.open(format, nullptr)->write({records, uint32_t(list.records.size() * 8), kLoopWholeBuffer, kPlaysForever}, 1);
    const double cpu = renderSeconds(mixer, kSeconds);
    std::printf("%-34s %8.1f x real time (%.2f %% of one core; %zu messages in 4 s, looped)\n", "FluidSynth, six-channel piece",
                kSeconds / cpu, 100.0 * cpu / kSeconds, list.records.size());
}

}  // namespace

int main() {
    fourVoices();
    synthesiser();
    return 0;
}
