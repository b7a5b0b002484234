#include "hal/audio/WavClip.h"

#include <algorithm>
#include <cstring>

#include "hal/base/HALResult.h"

namespace {

constexpr size_t kChunkHeader = 8;
constexpr size_t kMinimumFormatChunk = 16;

uint16_t read16(const uint8_t* p) { return uint16_t(p[0] | p[1] << 8); }
uint32_t read32(const uint8_t* p) { return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24; }

bool isFourCC(const uint8_t* p, const char* code) { return std::memcmp(p, code, 4) == 0; }

// Reads a "fmt " chunk's body into format; false when it is not PCM the mixer plays.
bool readFormat(const uint8_t* body, size_t size, WaveFormat* format) {
    if (size < kMinimumFormatChunk) return false;
    const uint16_t tag = read16(body), channels = read16(body + 2), bits = read16(body + 14);
    const uint32_t rate = read32(body + 4);
    if (tag != kFormatPcm || (channels != 1 && channels != 2) || (bits != 8 && bits != 16) || rate == 0) return false;
    format->tag = kFormatPcm;
    format->channels = channels;
    format->samplesPerSecond = rate;
    format->bitsPerSample = bits;
    format->blockAlign = uint16_t(channels * bits / 8);
    format->averageBytesPerSecond = uint64_t(rate) * format->blockAlign;
    return true;
}

}  // namespace

int WavClip::parse(const uint8_t* bytes, size_t length, WavClip* out) {
    if (bytes == nullptr || length < 12 || !isFourCC(bytes, "RIFF") || !isFourCC(bytes + 8, "WAVE")) return HAL_BAD_FORMAT;
    const size_t end = std::min(length, kChunkHeader + size_t(read32(bytes + 4)));
    bool haveFormat = false, haveData = false;
    WavClip clip;
    for (size_t at = 12; at + kChunkHeader <= end;) {
        const uint8_t* chunk = bytes + at;
        const size_t body = at + kChunkHeader;
        const size_t size = std::min(size_t(read32(chunk + 4)), end - body);
        if (isFourCC(chunk, "fmt ") && !haveFormat) {
            if (!readFormat(bytes + body, size, &clip.format)) return HAL_BAD_FORMAT;
            haveFormat = true;
        } else if (isFourCC(chunk, "data") && !haveData) {
            clip.dataOffset = body;
            clip.dataLength = uint32_t(std::min<size_t>(size, UINT32_MAX));
            haveData = true;
        }
        at = body + size + (size & 1);
    }
    if (!haveFormat || !haveData) return HAL_BAD_FORMAT;
    clip.dataLength -= clip.dataLength % clip.format.blockAlign;
    *out = clip;
    return HAL_OK;
}

int64_t WavClip::durationMicroseconds() const {
    const uint64_t frames = dataLength / format.blockAlign;
    return int64_t(frames * 1000000 / format.samplesPerSecond);
}
