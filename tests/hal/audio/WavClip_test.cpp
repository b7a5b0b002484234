// WAV parsing: the RIFF chunks are walked, only PCM the mixer plays is accepted, and no
// size in the file makes the clip reach past the bytes there are.

#include <gtest/gtest.h>

#include <vector>

#include "hal/audio/WavClip.h"
#include "hal/base/HALResult.h"
#include "tests/hal/audio/AudioFixtures.h"

namespace {

using namespace audio_test;

int parse(const Bytes& file, WavClip* clip) { return WavClip::parse(file.data(), file.size(), clip); }

// Tag, channels, rate, bits, bytes a second, data offset and length.
std::vector<uint64_t> fieldsOf(const WavClip& c) {
    return {c.format.tag, c.format.channels, c.format.samplesPerSecond, c.format.bitsPerSample,
            c.format.averageBytesPerSecond, c.dataOffset, c.dataLength};
}

TEST(WavClip, ACanonicalFileGivesItsFormatSamplesAndDuration) {
    const Bytes file = constantWav(100, 44100);  // one second, 16-bit mono
    ASSERT_EQ(file.size(), 44u + 88200u);
    WavClip clip;
    ASSERT_EQ(parse(file, &clip), HAL_OK);
    EXPECT_EQ(fieldsOf(clip), (std::vector<uint64_t>{kFormatPcm, 1, 44100, 16, 88200, 44, 88200}));
    EXPECT_EQ(clip.durationMicroseconds(), 1000000);
}

TEST(WavClip, OtherChunksAreSkippedByTheirLengthsAndPadBytes) {
    const Bytes list = chunk("LIST", Bytes(7, 0x55));  // odd length: one pad byte follows
    const Bytes file = riff({chunk("fmt ", formatBody(1, 2, 22050, 8)), list, chunk("fact", Bytes(4, 1)),
                             chunk("data", Bytes{1, 2, 3, 4}), chunk("cue ", Bytes(12, 9))});
    WavClip clip;
    ASSERT_EQ(parse(file, &clip), HAL_OK);
    EXPECT_EQ(fieldsOf(clip), (std::vector<uint64_t>{kFormatPcm, 2, 22050, 8, 44100, clip.dataOffset, 4}));
    EXPECT_EQ(file[clip.dataOffset], 1);
    EXPECT_EQ(file[clip.dataOffset + 3], 4);
}

TEST(WavClip, SizesBeyondTheFileAreCutToWholeFrames) {
    Bytes file = riff({chunk("fmt ", formatBody(1, 2, 44100, 16)), chunk("data", Bytes(10, 7), 1000000)});
    WavClip clip;
    ASSERT_EQ(parse(file, &clip), HAL_OK);
    EXPECT_EQ(clip.dataLength, 8u) << "10 bytes there, 4-byte frames";
    EXPECT_LE(clip.dataOffset + clip.dataLength, file.size());

    file[4] = file[5] = file[6] = file[7] = 0xFF;  // a streaming writer's RIFF size
    ASSERT_EQ(parse(file, &clip), HAL_OK);
    EXPECT_EQ(clip.dataLength, 8u);
    ASSERT_EQ(parse(riff({chunk("fmt ", formatBody(1, 1, 8000, 8)), chunk("data", {})}), &clip), HAL_OK);
    EXPECT_EQ(clip.durationMicroseconds(), 0) << "an empty data chunk is a silent clip";
}

TEST(WavClip, WhatTheMixerCannotPlayAndBrokenOrForeignFilesAreRefused) {
    const Bytes data = chunk("data", Bytes(8, 0));
    const auto withFormat = [&](uint16_t tag, uint16_t channels, uint32_t rate, uint16_t bits) {
        return riff({chunk("fmt ", formatBody(tag, channels, rate, bits)), data});
    };
    Bytes shortFormat = formatBody(1, 1, 44100, 16);
    shortFormat.resize(14);
    const Bytes good = constantWav(1, 4);
    Bytes notWave = good, notRiff = good;
    notWave[8] = 'A';
    notRiff[0] = 'X';
    const std::pair<const char*, Bytes> cases[] = {
        {"rate 0", withFormat(1, 1, 0, 16)},
        {"float", withFormat(3, 1, 44100, 32)},
        {"24 bits", withFormat(1, 1, 44100, 24)},
        {"3 channels", withFormat(1, 3, 44100, 16)},
        {"0 channels", withFormat(1, 0, 44100, 16)},
        {"fmt chunk too short", riff({chunk("fmt ", shortFormat), data})},
        {"no fmt chunk", riff({data})},
        {"no data chunk", riff({chunk("fmt ", formatBody(1, 1, 44100, 16))})},
        {"empty", {}},
        {"shorter than the RIFF header", Bytes(good.begin(), good.begin() + 11)},
        {"cut inside the fmt chunk", Bytes(good.begin(), good.begin() + 30)},
        {"not WAVE", notWave},
        {"not RIFF", notRiff},
    };
    WavClip clip;
    for (const auto& [name, file] : cases) EXPECT_EQ(parse(file, &clip), HAL_BAD_FORMAT) << name;
    // A data chunk cut by the RIFF size: the clip ends where the RIFF says the file ends.
    Bytes cut = good;
    cut[4] = uint8_t(36 + 2);
    ASSERT_EQ(parse(cut, &clip), HAL_OK);
    EXPECT_EQ(clip.dataLength, 2u);
}

}  // namespace
