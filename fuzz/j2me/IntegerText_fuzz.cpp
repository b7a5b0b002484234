// Parses arbitrary text with Integer.parseInt in any radix and checks the outcome against a
// plain model (an optional '-', then at least one digit of the radix, 0-9 and ASCII letters
// of either case; a value outside 32 bits, any other text or a radix outside 2..36 is
// NumberFormatException). Each value parsed comes back from Integer.toString in that radix;
// Integer.toString and Long.toString of numbers taken from the input give the model's text.
//
// Input: byte 0 is the radix (modulo 40, so bad radixes are tried); bytes 1 to 8 are the
// numbers for the text conversions; the rest is the text, a character per byte, except
// that 0xFF takes the next two bytes as one UTF-16 unit.

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>

#include "lib_src/vm/VMHeap.h"
#include "pb_src/j2me/java_lang_Integer.h"
#include "pb_src/j2me/java_lang_Long.h"
#include "pb_src/j2me/java_lang_NumberFormatException.h"
#include "pb_src/j2me/java_lang_String.h"
#include "pb_src/j2me/java_lang_Throwable.h"
#include "fuzz/RuntimeFuzzing.h"
#include "tests/vm/TestRuntime.h"

namespace {

using java::lang::Integer;
using java::lang::Long;
using java::lang::String;

void check(bool condition) {
    if (!condition) std::abort();
}

int digitOf(char16_t c) {
    if (c >= u'0' && c <= u'9') return c - u'0';
    if (c >= u'a' && c <= u'z') return c - u'a' + 10;
    if (c >= u'A' && c <= u'Z') return c - u'A' + 10;
    return 99;
}

std::optional<int32_t> parseModel(const std::u16string& text, int32_t radix) {
    if (radix < 2 || radix > 36 || text.empty()) return std::nullopt;
    const bool negative = text[0] == u'-';
    if (text.size() == (negative ? 1u : 0u)) return std::nullopt;
    int64_t magnitude = 0;
    for (size_t i = negative ? 1 : 0; i < text.size(); ++i) {
        const int digit = digitOf(text[i]);
        if (digit >= radix) return std::nullopt;
        magnitude = magnitude * radix + digit;
        if (magnitude > (int64_t(1) << 31)) return std::nullopt;
    }
    const int64_t value = negative ? -magnitude : magnitude;
    if (value > INT32_MAX) return std::nullopt;
    return int32_t(value);
}

std::u16string textModel(int64_t value, int32_t radix) {
    if (radix < 2 || radix > 36) radix = 10;
    uint64_t magnitude = value < 0 ? 0 - uint64_t(value) : uint64_t(value);
    std::u16string digits;
    do {
        digits.insert(digits.begin(), Integer::digits[magnitude % uint64_t(radix)]);
        magnitude /= uint64_t(radix);
    } while (magnitude != 0);
    return value < 0 ? u"-" + digits : digits;
}

std::u16string textOf(const uint8_t* data, size_t size) {
    std::u16string text;
    for (size_t i = 0; i < size; ++i) {
        if (data[i] != 0xFF || i + 2 >= size) {
            text += char16_t(data[i]);
        } else {
            text += char16_t(data[i + 1] | data[i + 2] << 8);
            i += 2;
        }
    }
    return text;
}

void checkParse(const std::u16string& text, int32_t radix) {
    const std::optional<int32_t> expected = parseModel(text, radix);
    try {
        const int32_t value = Integer::parseInt(String::fromUtf16(text), radix);
        check(expected && *expected == value);
        check(Integer::parseInt(Integer::toString(value, radix), radix) == value);
    } catch (java::lang::NumberFormatException* caught) {
        VMPtr<java::lang::NumberFormatException> held(caught);
        check(!expected);
    }
}

}  // namespace

OSTREL_FUZZ_WITHOUT_PER_INPUT_LEAK_SCAN()

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    testRuntime();
    if (size < 9) return 0;
    const int32_t radix = data[0] % 40;
    int64_t number;
    std::memcpy(&number, data + 1, sizeof number);
    try {
        checkParse(textOf(data + 9, size - 9), radix);
        check(Integer::toString(int32_t(number), radix)->toUtf16() == textModel(int32_t(number), radix));
        check(Long::toString(number, radix)->toUtf16() == textModel(number, radix));
    } catch (java::lang::Throwable* caught) {
        VMPtr<java::lang::Throwable> held(caught);
        std::abort();  // nothing else may be thrown
    }
    checkHeapReturnsToItsBaseline();
    return 0;
}
