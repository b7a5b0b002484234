#pragma once

// A WAV file's sound: where its PCM samples lie in the file's bytes and their format.
//
// The RIFF chunks are walked by their lengths: the file must start with "RIFF", a size and
// "WAVE"; a "fmt " chunk of at least 16 bytes must give PCM (tag 1) with 1 or 2 channels,
// 8 or 16 bits per sample and a rate above 0; a "data" chunk holds the samples. Other
// chunks are skipped; so is the pad byte after a chunk of odd length. A chunk or RIFF size
// that claims more bytes than the file has is cut to the bytes there are (files written
// while streaming leave such sizes), and the samples end at the last whole frame. The block
// align and byte rate are computed from the format, not read. Anything else is refused.

#include <cstddef>
#include <cstdint>

#include "hal/audio/WaveFormat.h"

struct WavClip {
    WaveFormat format;
    size_t dataOffset = 0;  // of the first sample, from the start of the file
    uint32_t dataLength = 0;  // bytes of whole frames

    // 0, or 6 (bad format) when the bytes are not a playable WAV file.
    static int parse(const uint8_t* bytes, size_t length, WavClip* out);

    // The clip's length in microseconds.
    int64_t durationMicroseconds() const;
};
