#pragma once

// Sound files built in memory for the audio tests: WAV files with chosen chunks and samples,
// Standard MIDI Files with a chosen track, and a hand-rendered mixer output.

#include <cstdint>
#include <string>
#include <vector>

namespace audio_test {

using Bytes = std::vector<uint8_t>;

// Appends the low `bytes` bytes of v, least significant first (or most significant first).
inline void putLittleEndian(Bytes& b, uint32_t v, int bytes) {
    for (int i = 0; i < bytes; ++i) b.push_back(uint8_t(v >> (8 * i)));
}
inline void putBigEndian(Bytes& b, uint32_t v, int bytes) {
    for (int i = bytes - 1; i >= 0; --i) b.push_back(uint8_t(v >> (8 * i)));
}
inline void put16(Bytes& b, uint32_t v) { putLittleEndian(b, v, 2); }
inline void put32(Bytes& b, uint32_t v) { putLittleEndian(b, v, 4); }
inline void put16be(Bytes& b, uint32_t v) { putBigEndian(b, v, 2); }
inline void put32be(Bytes& b, uint32_t v) { putBigEndian(b, v, 4); }

inline Bytes chunk(const char* id, const Bytes& body, uint32_t claimedSize) {
    Bytes b(id, id + 4);
    put32(b, claimedSize);
    b.insert(b.end(), body.begin(), body.end());
    if (body.size() % 2 == 1) b.push_back(0);  // pad byte
    return b;
}
inline Bytes chunk(const char* id, const Bytes& body) { return chunk(id, body, uint32_t(body.size())); }

inline Bytes formatBody(uint16_t tag, uint16_t channels, uint32_t rate, uint16_t bits) {
    Bytes b;
    put16(b, tag);
    put16(b, channels);
    put32(b, rate);
    put32(b, rate * channels * bits / 8);
    put16(b, uint16_t(channels * bits / 8));
    put16(b, bits);
    return b;
}

inline Bytes riff(const std::vector<Bytes>& chunks) {
    Bytes body{'W', 'A', 'V', 'E'};
    for (const Bytes& c : chunks) body.insert(body.end(), c.begin(), c.end());
    Bytes b{'R', 'I', 'F', 'F'};
    put32(b, uint32_t(body.size()));
    b.insert(b.end(), body.begin(), body.end());
    return b;
}

inline Bytes samples16(const std::vector<int16_t>& values) {
    Bytes b;
    for (int16_t v : values) put16(b, uint16_t(v));
    return b;
}

// A canonical WAV file of 16-bit samples (interleaved when stereo).
inline Bytes wav16(const std::vector<int16_t>& values, uint16_t channels = 1, uint32_t rate = 44100) {
    return riff({chunk("fmt ", formatBody(1, channels, rate, 16)), chunk("data", samples16(values))});
}

// n mono samples of one value.
inline Bytes constantWav(int16_t value, size_t frames, uint32_t rate = 44100) {
    return wav16(std::vector<int16_t>(frames, value), 1, rate);
}

// A variable-length number as MIDI files write it.
inline Bytes varLen(uint32_t value) {
    Bytes b{uint8_t(value & 0x7F)};
    while (value >>= 7) b.insert(b.begin(), uint8_t(0x80 | (value & 0x7F)));
    return b;
}

inline Bytes cat(std::initializer_list<Bytes> parts) {
    Bytes b;
    for (const Bytes& p : parts) b.insert(b.end(), p.begin(), p.end());
    return b;
}

inline Bytes midiHeader(uint16_t format, uint16_t tracks, uint16_t division) {
    Bytes b{'M', 'T', 'h', 'd'};
    put32be(b, 6);
    put16be(b, format);
    put16be(b, tracks);
    put16be(b, division);
    return b;
}

inline Bytes midiTrack(const Bytes& events) {
    Bytes b{'M', 'T', 'r', 'k'};
    put32be(b, uint32_t(events.size()));
    b.insert(b.end(), events.begin(), events.end());
    return b;
}

inline Bytes midiFile(const Bytes& events, uint16_t division = 500) {
    return cat({midiHeader(0, 1, division), midiTrack(events)});
}

inline const Bytes kEndOfTrack{0xFF, 0x2F, 0x00};

// One note: a piano C held for `ms` ticks, then `tail` more ticks to the end of the track.
inline Bytes noteFile(uint32_t ms, uint32_t tail = 0) {
    return midiFile(cat({{0x00, 0xC0, 0x00}, {0x00, 0x90, 60, 100}, varLen(ms), {0x80, 60, 0}, varLen(tail), kEndOfTrack}));
}

}  // namespace audio_test
