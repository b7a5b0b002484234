#pragma once

// The records a player describes its sound with, kept as the phone's wave-out interface had
// them: the format a device is opened with and the header of the buffer written to it.

#include <cstdint>

// Format tags: PCM samples, and the wave driver's MIDI stream (a buffer of timed MIDI
// messages, 8 bytes each: delta time in ticks, then the event word).
constexpr uint16_t kFormatPcm = 1;
constexpr uint16_t kFormatMidiStream = 0x3000;

// Header flags: the buffer begins and ends the loop (the whole buffer is looped).
constexpr uint32_t kBeginLoop = 4;
constexpr uint32_t kEndLoop = 8;
constexpr uint32_t kLoopWholeBuffer = kBeginLoop | kEndLoop;
// The number of plays that stands for "for ever".
constexpr uint32_t kPlaysForever = 1000000;

// The high byte of a MIDI stream event word: 0 a short message (status, data 1 << 8,
// data 2 << 16), 2 no operation (only its delta time counts).
constexpr uint32_t kMidiShortMessage = 0x00000000;
constexpr uint32_t kMidiNoOperation = 0x02000000;

struct WaveFormat {
    uint16_t tag = kFormatPcm;
    uint16_t channels = 1;
    uint32_t samplesPerSecond = 0;
    uint64_t averageBytesPerSecond = 0;  // wide: a rate near 2^32 Hz times a block of 4 bytes
    uint16_t blockAlign = 0;
    uint16_t bitsPerSample = 0;
    // MIDI streams: the tempo (microseconds per quarter note) and the ticks per quarter note.
    uint32_t microsecondsPerQuarter = 0;
    uint32_t ticksPerQuarter = 0;
};

// One buffer written to a device: where its bytes are, how many, and how often it plays.
struct WaveBuffer {
    const uint8_t* data = nullptr;
    uint32_t length = 0;
    uint32_t flags = 0;
    uint32_t plays = 1;  // the loop count: total number of plays (at least 1)
};

// The number of plays a player's loop count stands for: -1 (any negative) for ever, n for n
// further repeats after the first play.
constexpr uint32_t playsForLoopCount(int32_t loopCount) {
    return loopCount < 0 ? kPlaysForever : uint32_t(loopCount) + 1;
}
