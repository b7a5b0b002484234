#include "lib_src/vm/VMUtf8.h"

namespace {

constexpr char16_t kMalformed = 0x80;

bool isContinuation(uint8_t byte) { return (byte & 0xC0) == 0x80; }

int32_t bytesFor(char16_t unit, bool zeroAsTwoBytes) {
    if (unit == 0 && zeroAsTwoBytes) return 2;
    if (unit < 0x80) return 1;
    return unit > 0x7FF ? 3 : 2;
}

}  // namespace

int32_t _VM_utf8Length(const char16_t* units, int32_t count, bool zeroAsTwoBytes) {
    int32_t length = 0;
    for (int32_t i = 0; i < count; ++i) length += bytesFor(units[i], zeroAsTwoBytes);
    return length;
}

int32_t _VM_utf8EncodeChar(char16_t unit, int32_t remaining, uint8_t** cursor, bool zeroAsTwoBytes) {
    if (remaining <= 0) return remaining;
    const int32_t need = bytesFor(unit, zeroAsTwoBytes);
    if (remaining - need < 0) return remaining - need;
    uint8_t*& out = *cursor;
    if (unit == 0 && zeroAsTwoBytes) {
        *out++ = 0xC0;
        *out++ = 0x80;
    } else if (need == 1) {
        *out++ = uint8_t(unit);
    } else if (need == 3) {
        *out++ = uint8_t(0xE0 | (unit >> 12));
        *out++ = uint8_t(0x80 | ((unit >> 6) & 0x3F));
        *out++ = uint8_t(0x80 | (unit & 0x3F));
    } else {
        *out++ = uint8_t(0xC0 | (unit >> 6));
        *out++ = uint8_t(0x80 | (unit & 0x3F));
    }
    return remaining - need;
}

char16_t _VM_utf8DecodeChar(int32_t* remaining, const uint8_t** cursor, bool* wellFormed) {
    if (--*remaining < 0) return kMalformed;
    const uint8_t*& in = *cursor;
    const uint8_t b0 = *in++;
    switch (b0 >> 4) {
    case 0x0: case 0x1: case 0x2: case 0x3: case 0x4: case 0x5: case 0x6: case 0x7:
        return b0;
    case 0xC: case 0xD: {
        *remaining -= 1;
        if (*remaining < 0) return kMalformed;
        const uint8_t b1 = *in++;
        if (!isContinuation(b1)) return kMalformed;
        return char16_t(((b0 & 0x1F) << 6) + (b1 & 0x3F));
    }
    case 0xE: {
        *remaining -= 2;
        if (*remaining < 0) return kMalformed;
        const uint8_t b1 = *in++;
        const uint8_t b2 = *in++;
        if (!isContinuation(b1) || !isContinuation(b2)) return kMalformed;
        return char16_t(((b0 & 0x0F) << 12) + ((b1 & 0x3F) << 6) + (b2 & 0x3F));
    }
    default:  // not a lead byte: stays unread
        *wellFormed = false;
        --in;
        return 0;
    }
}

int32_t _VM_utf16ToUtf8(uint8_t* out, int32_t* capacity, const char16_t* units, int32_t count,
                        bool zeroAsTwoBytes, bool terminate) {
    int32_t remaining = *capacity - (terminate ? 1 : 0);
    uint8_t* cursor = out;
    int32_t encoded = 0;
    for (; encoded < count && remaining > 0; ++encoded) {
        const int32_t left = _VM_utf8EncodeChar(units[encoded], remaining, &cursor, zeroAsTwoBytes);
        if (left < 0) break;
        remaining = left;
    }
    if (terminate && *capacity > 0) *cursor = 0;
    *capacity = int32_t(cursor - out);
    return encoded;
}

int32_t _VM_utf8CharCount(const uint8_t* bytes, int32_t count, bool* wellFormed) {
    int32_t characters = 0;
    for (int32_t i = 0; i < count; ++characters) {
        const uint8_t b = bytes[i];
        if (b < 0x80) i += 1;
        else if (b >= 0xC0 && b <= 0xDF) i += 2;
        else if (b >= 0xE0 && b <= 0xEF) i += 3;
        else {
            *wellFormed = false;
            return characters;
        }
    }
    *wellFormed = true;
    return characters;
}

int32_t _VM_utf8ToUtf16(char16_t* out, int32_t* capacity, const uint8_t* bytes, int32_t count, bool* wellFormed) {
    int32_t remaining = count;
    int32_t stored = 0;
    bool ok = true;
    const uint8_t* cursor = bytes;
    while (remaining > 0 && stored < *capacity && ok) out[stored++] = _VM_utf8DecodeChar(&remaining, &cursor, &ok);
    *capacity = stored;
    *wellFormed = ok;
    return count - (remaining < 0 ? 0 : remaining);
}

bool _VM_utf8EqualsUtf16(const uint8_t* bytes, int32_t byteCount, const char16_t* units, int32_t unitCount) {
    int32_t remaining = byteCount;
    bool ok = true;
    const uint8_t* cursor = bytes;
    int32_t i = 0;
    for (; remaining > 0 && i < unitCount && ok; ++i) {
        if (_VM_utf8DecodeChar(&remaining, &cursor, &ok) != units[i]) return false;
    }
    return i == unitCount && remaining == 0;
}
