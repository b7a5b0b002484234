// The synthesisers share one SoundFont, in memory while some synthesiser lives, whose samples
// are read per selected preset: a note sounds on any program chosen while another synthesiser
// holds other programs, and again after every synthesiser has gone and the font is read anew.

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <vector>

#include "hal/audio/MidiSynth.h"

namespace {

// The loudness of a half second after a note on `channel` with `program` (drums on channel 9).
double noteLoudness(MidiSynth& synth, int channel, int program, int key) {
    synth.send(uint32_t(0xC0 | channel) | uint32_t(program) << 8);
    synth.send(uint32_t(0x90 | channel) | uint32_t(key) << 8 | 100u << 16);
    std::vector<float> left(22050), right(22050);
    synth.render(left.data(), right.data(), int(left.size()));
    double sum = 0;
    for (float sample : left) sum += double(sample) * sample;
    return std::sqrt(sum / double(left.size()));
}

struct Note {
    int channel, program, key;
};

TEST(MidiSynth, EveryProgramSoundsWhileAnotherSynthesiserLivesAndAfterAllHaveGone) {
    ASSERT_TRUE(MidiSynth::available()) << "the General MIDI SoundFont (timgm6mb-soundfont) is installed";
    const Note notes[] = {{0, 0, 60}, {1, 40, 67}, {2, 73, 72}, {9, 0, 38}};
    std::unique_ptr<MidiSynth> other = MidiSynth::create();
    ASSERT_NE(other, nullptr);
    EXPECT_GT(noteLoudness(*other, 0, 19, 48), 0.001);
    for (int round = 0; round < 2; ++round) {
        if (round == 1) other.reset();  // the font is let go and read again for each synthesiser
        for (const Note& note : notes) {
            std::unique_ptr<MidiSynth> synth = MidiSynth::create();
            ASSERT_NE(synth, nullptr);
            EXPECT_GT(noteLoudness(*synth, note.channel, note.program, note.key), 0.001)
                << "channel " << note.channel << " program " << note.program << " round " << round;
        }
    }
}

}  // namespace
