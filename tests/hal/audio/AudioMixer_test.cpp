// The mixer rendered by hand: known clips come out sample for sample, summed, clipped and
// scaled by each voice's volume; loops play the counted number of times and their end is
// reported once with the buffer's serial; pause, restart and reset act as a device's.

#include <gtest/gtest.h>

#include <cmath>
#include <deque>
#include <vector>

#include "hal/audio/AudioMixer.h"
#include "hal/audio/MixerVoice.h"
#include "hal/audio/WavClip.h"
#include "tests/hal/audio/AudioFixtures.h"

namespace {

using namespace audio_test;

struct Finish {
    void* owner;
    uint64_t serial;
};
std::vector<Finish> finishes;

void recordFinish(void* owner, uint64_t serial) { finishes.push_back({owner, serial}); }

// A clip's bytes kept alive with its parsed layout.
struct Clip {
    explicit Clip(Bytes file) : bytes(std::move(file)) { EXPECT_EQ(WavClip::parse(bytes.data(), bytes.size(), &wav), 0); }
    WaveBuffer buffer(uint32_t plays = 1) const { return WaveBuffer{bytes.data() + wav.dataOffset, wav.dataLength, kLoopWholeBuffer, plays}; }
    Bytes bytes;
    WavClip wav;
};

class Mixing : public testing::Test {
protected:
    void SetUp() override {
        finishes.clear();
        mixer.setFinishNotifier(&recordFinish);
    }
    // Plays a clip kept alive by the fixture.
    MixerVoice* play(Bytes file, uint32_t plays = 1, uint64_t serial = 1) {
        const Clip& clip = clips.emplace_back(std::move(file));
        MixerVoice* voice = mixer.open(clip.wav.format, &owner);
        voice->write(clip.buffer(plays), serial);
        return voice;
    }
    std::vector<int16_t> render(int frames) {
        std::vector<int16_t> out(size_t(frames) * 2);
        mixer.render(out.data(), frames);
        return out;
    }
    AudioMixer mixer;
    std::deque<Clip> clips;
    int owner = 0;
};

// Frame i's left and right samples.
int16_t left(const std::vector<int16_t>& out, size_t i) { return out[2 * i]; }
int16_t right(const std::vector<int16_t>& out, size_t i) { return out[2 * i + 1]; }

TEST_F(Mixing, ClipsAt44100HzComeOutSampleForSample) {
    play(wav16({1000, -2000, 32767, -32768}));
    play(wav16({10, 20, 30, -40}, 2));  // stereo: two frames
    play(riff({chunk("fmt ", formatBody(1, 1, 44100, 8)), chunk("data", Bytes{128, 255, 255, 0})}));
    // Summed side by side (8-bit samples centred on 128), clipped at both ends, then silence.
    EXPECT_EQ(render(6), (std::vector<int16_t>{1000 + 10, 1000 + 20, -2000 + 30 + 127 * 256, -2000 - 40 + 127 * 256, 32767,
                                               32767, -32768, -32768, 0, 0, 0, 0}));
    EXPECT_EQ(mixer.framesRendered(), 6);
}

TEST_F(Mixing, ALoopedClipPlaysItsCountThenEndsOnceWithItsSerial) {
    play(wav16({1, 2, 3}), 3, 77);
    EXPECT_EQ(render(6), (std::vector<int16_t>{1, 1, 2, 2, 3, 3, 1, 1, 2, 2, 3, 3}));
    EXPECT_EQ(render(6), (std::vector<int16_t>{1, 1, 2, 2, 3, 3, 0, 0, 0, 0, 0, 0}));
    ASSERT_EQ(finishes.size(), 1u);
    EXPECT_TRUE(finishes[0].owner == &owner && finishes[0].serial == 77u);
    render(10);
    EXPECT_EQ(finishes.size(), 1u) << "reported once";
}

TEST_F(Mixing, TheEndIsReportedInTheBlockThatPlaysTheLastSample) {
    MixerVoice* voice = play(constantWav(5, 100), 2);
    render(199);
    EXPECT_TRUE(finishes.empty());
    EXPECT_EQ(voice->positionMicroseconds(), 199 * 1000000 / 44100);
    render(1);
    EXPECT_EQ(finishes.size(), 1u);
    EXPECT_EQ(voice->positionMicroseconds(), 200 * 1000000 / 44100) << "the position stays at the end";
}

TEST_F(Mixing, VolumeScalesEachSideAndAnEmptyClipEndsAtOnce) {
    MixerVoice* voice = play(constantWav(10000, 4));
    voice->setVolume(0x7FFF | 0xFFFFu << 16);  // left half, right full
    EXPECT_EQ(voice->volume(), 0xFFFF7FFFu);
    auto out = render(1);
    EXPECT_EQ(left(out, 0), std::lrint(10000.0 * 0x7FFF / 0xFFFF));
    EXPECT_EQ(right(out, 0), 10000);
    voice->setVolume(0);
    EXPECT_EQ(render(1)[0], 0);

    play(riff({chunk("fmt ", formatBody(1, 1, 44100, 16)), chunk("data", {})}), kPlaysForever, 9);
    render(1);
    ASSERT_EQ(finishes.size(), 1u);
    EXPECT_EQ(finishes[0].serial, 9u);
}

TEST_F(Mixing, PauseHoldsThePositionRestartGoesOnResetDropsTheBuffer) {
    const Clip& clip = clips.emplace_back(wav16({1, 2, 3, 4}));
    MixerVoice* voice = mixer.open(clip.wav.format, &owner);
    voice->pause();
    voice->write(clip.buffer(), 5);  // queued while paused: silent
    EXPECT_EQ(left(render(1), 0), 0);
    voice->restart();
    EXPECT_EQ(left(render(2), 1), 2);
    voice->pause();
    EXPECT_EQ(left(render(3), 2), 0);
    EXPECT_EQ(voice->positionMicroseconds(), 2 * 1000000 / 44100);
    voice->restart();
    EXPECT_EQ(left(render(1), 0), 3);
    voice->reset();
    EXPECT_EQ(voice->positionMicroseconds(), 0);
    EXPECT_EQ(left(render(4), 0), 0);
    EXPECT_TRUE(finishes.empty()) << "a dropped buffer reports no end";
    EXPECT_EQ(mixer.voiceCount(), 1);
    mixer.close(voice);
    EXPECT_EQ(mixer.voiceCount(), 0);
}

TEST_F(Mixing, OtherRatesAreResampledToTheirTrueLength) {
    std::vector<int16_t> ramp(2205);  // 0.1 s at 22050 Hz
    for (size_t i = 0; i < ramp.size(); ++i) ramp[i] = int16_t(i * 10);
    MixerVoice* voice = play(wav16(ramp, 1, 22050));
    const auto out = render(4410);
    EXPECT_EQ(left(out, 0), 0);
    EXPECT_EQ(left(out, 1), 5) << "halfway between the first two samples";
    EXPECT_EQ(left(out, 2), 10);
    EXPECT_EQ(left(out, 4409), 22040);
    EXPECT_EQ(finishes.size(), 1u) << "0.1 s of output";
    EXPECT_EQ(voice->positionMicroseconds(), 100000);
}

TEST_F(Mixing, UnplayableFormatsGetNoVoice) {
    WaveFormat format;
    format.tag = 2;
    EXPECT_EQ(mixer.open(format, &owner), nullptr);
    format = Clip(wav16({1})).wav.format;
    format.bitsPerSample = 12;
    EXPECT_EQ(mixer.open(format, &owner), nullptr);
    WaveFormat midi;
    midi.tag = kFormatMidiStream;  // no tempo
    EXPECT_EQ(mixer.open(midi, &owner), nullptr);
    EXPECT_EQ(mixer.voiceCount(), 0);
}

}  // namespace
