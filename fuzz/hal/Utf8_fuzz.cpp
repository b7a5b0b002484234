// Converts arbitrary bytes between UTF-8 and UTF-16 both ways and checks what every
// conversion must give. Bytes read as UTF-8: the units hold no lone surrogate; encoding
// them and decoding again gives the same units; and where no U+FFFD came out, the
// encoding is exactly the bytes read (well-formed UTF-8 passes through unchanged). Bytes
// read as UTF-16 units: the encoding decodes to the same units with each lone surrogate
// replaced by U+FFFD.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "hal/services/Utf8.h"

namespace {

void check(bool condition) {
    if (!condition) std::abort();
}

bool isHigh(char16_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
bool isLow(char16_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

// The units with every surrogate that is not half of a pair replaced by U+FFFD.
std::u16string withoutLoneSurrogates(const std::u16string& units) {
    std::u16string fixed = units;
    for (size_t i = 0; i < fixed.size(); ++i) {
        if (isHigh(fixed[i]) && i + 1 < fixed.size() && isLow(fixed[i + 1])) {
            ++i;
        } else if (isHigh(fixed[i]) || isLow(fixed[i])) {
            fixed[i] = u'\uFFFD';
        }
    }
    return fixed;
}

void checkBytesAsUtf8(const uint8_t* data, size_t size) {
    const std::u16string units = HAL_utf8ToUtf16(reinterpret_cast<const char*>(data), size);
    check(units.size() <= size);
    check(withoutLoneSurrogates(units) == units);
    const std::string encoded = HAL_utf16ToUtf8(units.data(), units.size());
    check(HAL_utf8ToUtf16(encoded.data(), encoded.size()) == units);
    if (units.find(u'\uFFFD') == std::u16string::npos)
        check(encoded.size() == size && std::memcmp(encoded.data(), data, size) == 0);
}

void checkBytesAsUtf16(const uint8_t* data, size_t size) {
    std::u16string units(size / 2, u'\0');
    std::memcpy(units.data(), data, units.size() * 2);
    const std::string encoded = HAL_utf16ToUtf8(units.data(), units.size());
    check(encoded.size() <= units.size() * 3);
    check(HAL_utf8ToUtf16(encoded.data(), encoded.size()) == withoutLoneSurrogates(units));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    checkBytesAsUtf8(data, size);
    checkBytesAsUtf16(data, size);
    return 0;
}
