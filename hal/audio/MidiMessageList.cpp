#include "hal/audio/MidiMessageList.h"

#include <algorithm>
#include <cstring>

#include "hal/audio/WaveFormat.h"
#include "hal/base/HALResult.h"

namespace {

constexpr size_t kChunkHeader = 8;
constexpr size_t kMinimumHeaderChunk = 6;
constexpr int kMaximumVarLenBytes = 4;

uint16_t read16(const uint8_t* p) { return uint16_t(p[0] << 8 | p[1]); }
uint32_t read32(const uint8_t* p) { return uint32_t(p[0]) << 24 | uint32_t(p[1]) << 16 | uint32_t(p[2]) << 8 | p[3]; }

// A read position inside one chunk of the file.
struct Cursor {
    const uint8_t* bytes;
    size_t at;
    size_t end;

    bool atEnd() const { return at >= end; }
    size_t left() const { return end - at; }
};

// A variable-length number: seven bits per byte, most significant first, while the top bit
// is set; false past the end or beyond four bytes.
bool readVarLen(Cursor* c, uint32_t* value) {
    uint32_t result = 0;
    for (int i = 0; i < kMaximumVarLenBytes; ++i) {
        if (c->atEnd()) return false;
        const uint8_t byte = c->bytes[c->at++];
        result = result << 7 | (byte & 0x7F);
        if ((byte & 0x80) == 0) {
            *value = result;
            return true;
        }
    }
    return false;
}

int dataBytesOf(uint8_t status) {
    const uint8_t kind = status & 0xF0;
    return kind == 0xC0 || kind == 0xD0 ? 1 : 2;
}

// Reads a channel message's data bytes; false when cut short or not data bytes.
bool readChannelMessage(Cursor* c, uint8_t status, uint32_t* message) {
    const int count = dataBytesOf(status);
    if (c->left() < size_t(count)) return false;
    const uint8_t first = c->bytes[c->at], second = count == 2 ? c->bytes[c->at + 1] : 0;
    if ((first | second) & 0x80) return false;
    c->at += size_t(count);
    *message = uint32_t(status) | uint32_t(first) << 8 | uint32_t(second) << 16;
    return true;
}

// Skips a length-prefixed body (system exclusive, meta data); false when it is cut short.
bool skipCounted(Cursor* c) {
    uint32_t length = 0;
    if (!readVarLen(c, &length) || length > c->left()) return false;
    c->at += length;
    return true;
}

uint32_t clampedTicks(uint64_t ticks) { return uint32_t(std::min<uint64_t>(ticks, UINT32_MAX)); }

// The track's events into records, up to its end or the first broken event.
void convertTrack(Cursor c, std::vector<MidiStreamRecord>* records) {
    uint8_t running = 0;
    uint64_t pending = 0;  // ticks since the last record
    while (!c.atEnd()) {
        uint32_t delta = 0;
        if (!readVarLen(&c, &delta) || c.atEnd()) break;
        uint8_t status = c.bytes[c.at];
        if (status & 0x80) {
            ++c.at;
        } else if (running != 0) {
            status = running;
        } else {
            break;
        }
        if (status < 0xF0) {
            uint32_t message = 0;
            if (!readChannelMessage(&c, status, &message)) break;
            running = status;
            records->push_back({clampedTicks(pending + delta), kMidiShortMessage | message});
            pending = 0;
        } else if (status == 0xF0 || status == 0xF7) {
            if (!skipCounted(&c)) break;
            pending += delta;
        } else if (status == 0xFF) {
            if (c.atEnd()) break;
            const uint8_t type = c.bytes[c.at++];
            if (!skipCounted(&c)) break;
            pending += delta;
            if (type == 0x2F) break;  // end of track
        } else {
            break;  // system common and real-time messages have no place in a file
        }
    }
    if (pending > 0) records->push_back({clampedTicks(pending), kMidiNoOperation});
}

}  // namespace

int MidiMessageList::convert(const uint8_t* bytes, size_t length, MidiMessageList* out) {
    if (bytes == nullptr || length < kChunkHeader + kMinimumHeaderChunk || std::memcmp(bytes, "MThd", 4) != 0)
        return HAL_BAD_FORMAT;
    const size_t headerLength = read32(bytes + 4);
    if (headerLength < kMinimumHeaderChunk) return HAL_BAD_FORMAT;
    const uint16_t format = read16(bytes + 8), tracks = read16(bytes + 10), division = read16(bytes + 12);
    if (format > 2 || tracks != 1 || division == 0 || (division & 0x8000) != 0) return HAL_BAD_FORMAT;

    for (size_t at = kChunkHeader + headerLength; at <= length && length - at >= kChunkHeader;) {
        const size_t body = at + kChunkHeader;
        const size_t size = std::min<size_t>(read32(bytes + at + 4), length - body);
        if (std::memcmp(bytes + at, "MTrk", 4) == 0) {
            MidiMessageList list;
            list.division = division;
            convertTrack(Cursor{bytes, body, body + size}, &list.records);
            *out = std::move(list);
            return HAL_OK;
        }
        at = body + size;
    }
    return HAL_BAD_FORMAT;
}

uint64_t MidiMessageList::totalTicks() const {
    uint64_t ticks = 0;
    for (const MidiStreamRecord& record : records) ticks += record.deltaTicks;
    return ticks;
}
