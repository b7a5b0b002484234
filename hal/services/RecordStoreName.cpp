#include "hal/services/RecordStoreName.h"

namespace {

constexpr std::string_view kPrefix = "store-";
constexpr char kHexDigits[] = "0123456789ABCDEF";

bool keptAsIs(char16_t unit) {
    return (unit >= u'a' && unit <= u'z') || (unit >= u'A' && unit <= u'Z') || (unit >= u'0' && unit <= u'9') ||
           unit == u'-' || unit == u'_' || unit == u'.' || unit == u' ';
}

int hexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;  // lower-case digits are not what encoding writes
}

// The unit escaped at text[at], which starts with '%'; false when it is not a canonical
// escape (four upper-case digits of a unit that is not kept as it is).
bool escapedUnit(std::string_view text, size_t at, char16_t* unit) {
    if (at + 5 > text.size()) return false;
    unsigned value = 0;
    for (size_t i = at + 1; i < at + 5; ++i) {
        const int digit = hexValue(text[i]);
        if (digit < 0) return false;
        value = value * 16 + unsigned(digit);
    }
    *unit = char16_t(value);
    return !keptAsIs(*unit);
}

}  // namespace

bool RecordStoreName::isValid(const char16_t* name, int32_t length) {
    return name != nullptr && length >= 1 && length <= kMaxLength;
}

std::string RecordStoreName::folderName(const char16_t* name, int32_t length) {
    std::string folder(kPrefix);
    for (int32_t i = 0; i < length; ++i) {
        const char16_t unit = name[i];
        if (keptAsIs(unit)) {
            folder += char(unit);
            continue;
        }
        folder += '%';
        for (int shift = 12; shift >= 0; shift -= 4) folder += kHexDigits[(unit >> shift) & 0xF];
    }
    return folder;
}

bool RecordStoreName::fromFolderName(std::string_view folder, std::u16string* name) {
    if (folder.substr(0, kPrefix.size()) != kPrefix) return false;
    std::u16string decoded;
    for (size_t at = kPrefix.size(); at < folder.size();) {
        char16_t unit;
        if (folder[at] == '%') {
            if (!escapedUnit(folder, at, &unit)) return false;
            at += 5;
        } else {
            unit = char16_t(static_cast<unsigned char>(folder[at]));
            if (!keptAsIs(unit)) return false;
            at += 1;
        }
        decoded += unit;
        if (decoded.size() > size_t(kMaxLength)) return false;
    }
    if (decoded.empty()) return false;
    *name = std::move(decoded);
    return true;
}
