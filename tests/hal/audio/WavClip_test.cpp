// WAV parsing: the RIFF chunks are walked, only PCM the mixer plays is accepted, and no
// size in the file makes the clip reach past the bytes there are.

#include <gtest/gtest.h>

#include "hal/audio/WavClip.h"
#include "hal/base/HALResult.h"
#include "tests/hal/audio/AudioFixtures.h"

namespace {

using namespace audio_test;

int parse(const Bytes& file, WavClip* clip) { return WavClip::parse(file.data(), file.size(), clip); }

TEST(WavClip, ACanonicalFileGivesItsFormatSamplesAndDuration) {
    const Bytes file = constantWav(100, 44100);  // one second, 16-bit mono
    ASSERT_EQ(file.size(), 44u + 88200u);
    WavClip clip;
    ASSERT_EQ(parse(file, &clip), HAL_OK);
    EXPECT_EQ(clip.format.tag, kFormatPcm);
    EXPECT_EQ(clip.format.channels, 1);
    EXPECT_EQ(clip.format.samplesPerSecond, 44100u);
    EXPECT_EQ(clip.format.bitsPerSample, 16);
    EXPECT_EQ(clip.format.blockAlign, 2);
    EXPECT_EQ(clip.format.averageBytesPerSecond, 88200u);
    EXPECT_EQ(clip.dataOffset, 44u);
    EXPECT_EQ(clip.dataLength, 88200u);
    EXPECT_EQ(clip.durationMicroseconds(), 1000000);
}

TEST(WavClip, OtherChunksAreSkippedByTheirLengthsAndPadBytes) {
    const Bytes list = chunk("LIST", Bytes(7, 0x55));  // odd length: one pad byte follows
    const Bytes file = riff({chunk("fmt ", formatBody(1, 2, 22050, 8)), list, chunk("fact", Bytes(4, 1)),
                             chunk("data", Bytes{1, 2, 3, 4}), chunk("cue ", Bytes(12, 9))});
    WavClip clip;
    ASSERT_EQ(parse(file, &clip), HAL_OK);
    EXPECT_EQ(clip.format.channels, 2);
    EXPECT_EQ(clip.format.bitsPerSample, 8);
    EXPECT_EQ(clip.format.averageBytesPerSecond, 44100u);
    EXPECT_EQ(clip.dataLength, 4u);
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
}

TEST(WavClip, AnEmptyDataChunkIsASilentClip) {
    WavClip clip;
    ASSERT_EQ(parse(riff({chunk("fmt ", formatBody(1, 1, 8000, 8)), chunk("data", {})}), &clip), HAL_OK);
    EXPECT_EQ(clip.dataLength, 0u);
    EXPECT_EQ(clip.durationMicroseconds(), 0);
}

TEST(WavClip, WhatTheMixerCannotPlayIsRefused) {
    const Bytes data = chunk("data", Bytes(8, 0));
    WavClip clip;
    EXPECT_EQ(parse(riff({chunk("fmt ", formatBody(1, 1, 0, 16)), data}), &clip), HAL_BAD_FORMAT) << "rate 0";
    EXPECT_EQ(parse(riff({chunk("fmt ", formatBody(3, 1, 44100, 32)), data}), &clip), HAL_BAD_FORMAT) << "float";
    EXPECT_EQ(parse(riff({chunk("fmt ", formatBody(1, 1, 44100, 24)), data}), &clip), HAL_BAD_FORMAT) << "24 bits";
    EXPECT_EQ(parse(riff({chunk("fmt ", formatBody(1, 3, 44100, 16)), data}), &clip), HAL_BAD_FORMAT) << "3 channels";
    EXPECT_EQ(parse(riff({chunk("fmt ", formatBody(1, 0, 44100, 16)), data}), &clip), HAL_BAD_FORMAT) << "0 channels";
    Bytes shortFormat = formatBody(1, 1, 44100, 16);
    shortFormat.resize(14);
    EXPECT_EQ(parse(riff({chunk("fmt ", shortFormat), data}), &clip), HAL_BAD_FORMAT) << "fmt chunk too short";
    EXPECT_EQ(parse(riff({data}), &clip), HAL_BAD_FORMAT) << "no fmt chunk";
    EXPECT_EQ(parse(riff({chunk("fmt ", formatBody(1, 1, 44100, 16))}), &clip), HAL_BAD_FORMAT) << "no data chunk";
}

TEST(WavClip, BrokenOrForeignFilesAreRefused) {
    WavClip clip;
    Bytes file = constantWav(1, 4);
    EXPECT_EQ(WavClip::parse(nullptr, 0, &clip), HAL_BAD_FORMAT);
    EXPECT_EQ(WavClip::parse(file.data(), 11, &clip), HAL_BAD_FORMAT) << "shorter than the RIFF header";
    EXPECT_EQ(WavClip::parse(file.data(), 30, &clip), HAL_BAD_FORMAT) << "cut inside the fmt chunk";
    Bytes notWave = file;
    notWave[8] = 'A';
    EXPECT_EQ(parse(notWave, &clip), HAL_BAD_FORMAT);
    Bytes notRiff = file;
    notRiff[0] = 'X';
    EXPECT_EQ(parse(notRiff, &clip), HAL_BAD_FORMAT);
    // A data chunk cut by the RIFF size: the clip ends where the RIFF says the file ends.
    Bytes cut = file;
    cut[4] = uint8_t(36 + 2);
    ASSERT_EQ(parse(cut, &clip), HAL_OK);
    EXPECT_EQ(clip.dataLength, 2u);
}

}  // namespace
