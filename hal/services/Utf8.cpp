#include "hal/services/Utf8.h"

#include <cstdint>

namespace {

constexpr char32_t kReplacement = 0xFFFD;

bool isContinuation(unsigned char byte) { return (byte & 0xC0) == 0x80; }

// The character of the well-formed sequence at bytes[0..], and its length; 0 when the bytes
// there do not form one.
size_t decodeOne(const unsigned char* bytes, size_t remaining, char32_t* out) {
    const unsigned char lead = bytes[0];
    if (lead < 0x80) {
        *out = lead;
        return 1;
    }
    size_t length;
    char32_t value;
    char32_t smallest;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2, value = lead & 0x1F, smallest = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3, value = lead & 0x0F, smallest = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4, value = lead & 0x07, smallest = 0x10000;
    } else {
        return 0;
    }
    if (remaining < length) return 0;
    for (size_t i = 1; i < length; ++i) {
        if (!isContinuation(bytes[i])) return 0;
        value = (value << 6) | (bytes[i] & 0x3F);
    }
    if (value < smallest || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) return 0;
    *out = value;
    return length;
}

void appendUtf8(std::string* out, char32_t c) {
    if (c < 0x80) {
        *out += char(c);
    } else if (c < 0x800) {
        *out += char(0xC0 | (c >> 6));
        *out += char(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        *out += char(0xE0 | (c >> 12));
        *out += char(0x80 | ((c >> 6) & 0x3F));
        *out += char(0x80 | (c & 0x3F));
    } else {
        *out += char(0xF0 | (c >> 18));
        *out += char(0x80 | ((c >> 12) & 0x3F));
        *out += char(0x80 | ((c >> 6) & 0x3F));
        *out += char(0x80 | (c & 0x3F));
    }
}

}  // namespace

std::u16string HAL_utf8ToUtf16(const char* bytes, size_t size) {
    std::u16string text;
    text.reserve(size);
    const auto* cursor = reinterpret_cast<const unsigned char*>(bytes);
    for (size_t i = 0; i < size;) {
        char32_t c;
        const size_t length = decodeOne(cursor + i, size - i, &c);
        if (length == 0) {
            text += char16_t(kReplacement);
            ++i;
            continue;
        }
        i += length;
        if (c < 0x10000) {
            text += char16_t(c);
        } else {
            c -= 0x10000;
            text += char16_t(0xD800 | (c >> 10));
            text += char16_t(0xDC00 | (c & 0x3FF));
        }
    }
    return text;
}

std::string HAL_utf16ToUtf8(const char16_t* units, size_t count) {
    std::string text;
    text.reserve(count);
    for (size_t i = 0; i < count; ++i) {
        const char16_t unit = units[i];
        if (unit >= 0xD800 && unit <= 0xDBFF && i + 1 < count && units[i + 1] >= 0xDC00 && units[i + 1] <= 0xDFFF) {
            appendUtf8(&text, 0x10000 + ((char32_t(unit - 0xD800) << 10) | (units[i + 1] - 0xDC00)));
            ++i;
        } else if (unit >= 0xD800 && unit <= 0xDFFF) {
            appendUtf8(&text, kReplacement);
        } else {
            appendUtf8(&text, unit);
        }
    }
    return text;
}
