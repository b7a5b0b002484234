#include "hal/base/ConsoleOutput.h"

#include <cstdio>
#include <mutex>

#include "hal/base/HALResult.h"

namespace {

std::mutex consoleMutex;
char32_t pendingHighSurrogate = 0;  // guarded by consoleMutex

constexpr char32_t kReplacementCharacter = 0xFFFD;

bool isHighSurrogate(char32_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
bool isLowSurrogate(char32_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

bool writeUtf8(char32_t code) {
    char bytes[4];
    size_t count;
    if (code < 0x80) {
        bytes[0] = char(code), count = 1;
    } else if (code < 0x800) {
        bytes[0] = char(0xC0 | (code >> 6)), bytes[1] = char(0x80 | (code & 0x3F)), count = 2;
    } else if (code < 0x10000) {
        bytes[0] = char(0xE0 | (code >> 12)), bytes[1] = char(0x80 | ((code >> 6) & 0x3F));
        bytes[2] = char(0x80 | (code & 0x3F)), count = 3;
    } else {
        bytes[0] = char(0xF0 | (code >> 18)), bytes[1] = char(0x80 | ((code >> 12) & 0x3F));
        bytes[2] = char(0x80 | ((code >> 6) & 0x3F)), bytes[3] = char(0x80 | (code & 0x3F)), count = 4;
    }
    return std::fwrite(bytes, 1, count, stdout) == count;
}

}  // namespace

int HAL_putConsoleChar(int character) {
    std::lock_guard<std::mutex> guard(consoleMutex);
    const char32_t unit = char32_t(character) & 0xFFFF;
    bool ok = true;
    if (pendingHighSurrogate != 0) {
        const char32_t high = pendingHighSurrogate;
        pendingHighSurrogate = 0;
        if (isLowSurrogate(unit))
            return writeUtf8(0x10000 + ((high - 0xD800) << 10) + (unit - 0xDC00)) ? HAL_OK : HAL_NOTHING_READ;
        ok = writeUtf8(kReplacementCharacter);
    }
    if (isHighSurrogate(unit)) {
        pendingHighSurrogate = unit;
        return ok ? HAL_OK : HAL_NOTHING_READ;
    }
    ok = writeUtf8(isLowSurrogate(unit) ? kReplacementCharacter : unit) && ok;
    if (unit == '\n') ok = std::fflush(stdout) == 0 && ok;
    return ok ? HAL_OK : HAL_NOTHING_READ;
}
