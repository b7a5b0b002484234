// MIDI streams through the mixer, rendered by hand: the synthesiser sounds from the first
// note, each play lasts the list's time (one tick a millisecond), loops follow at once, the
// end is reported in the frame the last record is due, and the release then dies away.

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <vector>

#include "hal/audio/AudioMixer.h"
#include "hal/audio/MidiMessageList.h"
#include "hal/audio/MidiSynth.h"
#include "hal/audio/MixerVoice.h"
#include "tests/hal/audio/AudioFixtures.h"

namespace {

using namespace audio_test;

constexpr int kFramesPerMillisecond10 = 441;  // 44.1 frames a millisecond, times 10

std::vector<uint64_t> finishes;
void recordFinish(void*, uint64_t serial) { finishes.push_back(serial); }

double rms(const std::vector<int16_t>& samples, size_t from, size_t to) {
    double sum = 0;
    for (size_t i = from; i < to; ++i) sum += double(samples[i]) * samples[i];
    return to > from ? std::sqrt(sum / double(to - from)) : 0;
}

class MidiStream : public testing::Test {
protected:
    void SetUp() override {
        finishes.clear();
        mixer.setFinishNotifier(&recordFinish);
        ASSERT_TRUE(MidiSynth::available()) << "the General MIDI SoundFont (timgm6mb-soundfont) is installed";
    }
    MixerVoice* play(const Bytes& file, uint32_t plays) {
        lists.push_back(std::make_unique<MidiMessageList>());
        MidiMessageList& list = *lists.back();
        EXPECT_EQ(MidiMessageList::convert(file.data(), file.size(), &list), 0);
        WaveFormat format;
        format.tag = kFormatMidiStream;
        format.microsecondsPerQuarter = list.division * 1000u;
        format.ticksPerQuarter = list.division;
        MixerVoice* voice = mixer.open(format, this);
        const auto* bytes = reinterpret_cast<const uint8_t*>(list.records.data());
        voice->write(WaveBuffer{bytes, uint32_t(list.records.size() * sizeof(MidiStreamRecord)), kLoopWholeBuffer, plays}, 3);
        return voice;
    }
    std::vector<int16_t> render(int frames) {
        std::vector<int16_t> out(size_t(frames) * 2);
        mixer.render(out.data(), frames);
        return out;
    }
    AudioMixer mixer;
    std::vector<std::unique_ptr<MidiMessageList>> lists;  // the buffers the voices play from
};

TEST_F(MidiStream, ANoteSoundsForItsTicksAndTheEndComesWithTheLastRecord) {
    MixerVoice* voice = play(noteFile(300, 100), 1);  // 400 ms in all
    const int end = 400 * kFramesPerMillisecond10 / 10;
    const auto out = render(end - 1);
    EXPECT_GT(rms(out, 0, 300 * 88), 300.0) << "the note sounds";
    EXPECT_TRUE(finishes.empty());
    render(1);
    EXPECT_EQ(finishes, std::vector<uint64_t>{3});
    EXPECT_EQ(voice->positionMicroseconds(), 400000);
    // After the end the release dies away and the voice falls silent.
    const auto after = render(44100);
    EXPECT_LT(rms(after, after.size() - 2000, after.size()), 1.0);
    EXPECT_EQ(finishes.size(), 1u);
}

TEST_F(MidiStream, LoopsFollowEachOtherWithoutAGap) {
    play(noteFile(50, 50), 3);  // 100 ms a play
    const auto out = render(300 * kFramesPerMillisecond10 / 10 - 1);
    for (int play = 0; play < 3; ++play) {
        const size_t start = size_t(play) * 4410 * 2;
        EXPECT_GT(rms(out, start, start + 40 * 88), 100.0) << "play " << play;
    }
    EXPECT_TRUE(finishes.empty());
    render(1);
    EXPECT_EQ(finishes.size(), 1u);
}

TEST_F(MidiStream, ResetSilencesAtOnceAndAnEmptyListEndsAtOnce) {
    MixerVoice* voice = play(noteFile(1000), 1);
    render(4410);
    voice->reset();
    EXPECT_EQ(rms(render(1024), 0, 2048), 0.0);
    EXPECT_TRUE(finishes.empty());

    play(midiFile(kEndOfTrack), kPlaysForever);
    render(1);
    EXPECT_EQ(finishes.size(), 1u);
    play(midiFile(Bytes{0x00, 0x90, 60, 100, 0x00, 0x80, 60, 0}), kPlaysForever);  // takes no time: plays once
    render(1);
    EXPECT_EQ(finishes.size(), 2u);
}

}  // namespace
