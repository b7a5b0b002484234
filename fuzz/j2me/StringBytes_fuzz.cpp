// Makes Strings from arbitrary bytes with String(byte[], offset, length, encoding) and
// checks each outcome against a plain model: a range outside the array is
// IndexOutOfBoundsException, an unknown encoding UnsupportedEncodingException, the
// single-byte encodings map each byte to one character, and UTF-8 (the runtime's modified
// form) either decodes as the model does, with U+0080 for a sequence cut short or with a
// bad continuation byte, or is refused when a byte cannot start a character. Every String
// made is then encoded to modified UTF-8 and back, whole and into buffers too small.
//
// Input: byte 0 picks the encoding (low three bits) and whether bytes 1 and 2 give the
// offset and length (high bit; each read minus one, so -1 is tried); the rest is the array.

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "lib_src/vm/VMHeap.h"
#include "lib_src/vm/VMUtf8.h"
#include "pb_src/j2me/java_io_UnsupportedEncodingException.h"
#include "pb_src/j2me/java_lang_IndexOutOfBoundsException.h"
#include "pb_src/j2me/java_lang_RuntimeException.h"
#include "pb_src/j2me/java_lang_String.h"
#include "pb_src/j2me/java_lang_Throwable.h"
#include "fuzz/RuntimeFuzzing.h"
#include "tests/vm/TestRuntime.h"

namespace {

using java::lang::String;
using ByteArray = VMArray<int8_t, 1>;

void check(bool condition) {
    if (!condition) std::abort();
}

constexpr const char* kEncodings[] = {"UTF-8", "UTF8",     "ISO-8859-1", "ISO8859_1",
                                      "ASCII", "US-ASCII", "utf-8",      "Cp1252"};

enum class Outcome { Text, BadRange, Unsupported, Malformed };

bool isContinuation(uint8_t b) { return (b & 0xC0) == 0x80; }

// Decodes the way the runtime reads UTF-8, from lead bytes: false when a byte that cannot
// start a character is met where one must start.
bool decodeModel(const uint8_t* bytes, size_t count, std::u16string* out) {
    for (size_t i = 0; i < count;) {
        const uint8_t b0 = bytes[i];
        const size_t need = b0 < 0x80 ? 1 : (b0 >= 0xC0 && b0 <= 0xDF) ? 2 : (b0 >= 0xE0 && b0 <= 0xEF) ? 3 : 0;
        if (need == 0) return false;
        bool whole = count - i >= need;
        for (size_t k = 1; whole && k < need; ++k) whole = isContinuation(bytes[i + k]);
        if (!whole) *out += u'\u0080';
        else if (need == 1) *out += char16_t(b0);
        else if (need == 2) *out += char16_t(((b0 & 0x1F) << 6) | (bytes[i + 1] & 0x3F));
        else *out += char16_t(((b0 & 0x0F) << 12) | ((bytes[i + 1] & 0x3F) << 6) | (bytes[i + 2] & 0x3F));
        i += need;
    }
    return true;
}

Outcome expect(const uint8_t* bytes, int32_t arrayLength, int32_t offset, int32_t length, int encoding,
               std::u16string* text) {
    if (offset < 0 || length < 0 || offset > arrayLength - length) return Outcome::BadRange;
    if (encoding >= 6) return Outcome::Unsupported;
    if (encoding >= 2) {
        for (int32_t i = 0; i < length; ++i) *text += char16_t(bytes[offset + i]);
        return Outcome::Text;
    }
    return decodeModel(bytes + offset, size_t(length), text) ? Outcome::Text : Outcome::Malformed;
}

int32_t bytesFor(char16_t unit) { return unit == 0 ? 2 : unit < 0x80 ? 1 : unit < 0x800 ? 2 : 3; }

// Modified UTF-8 of the text, back to the same text; into a smaller buffer, whole units
// only, as many as fit.
void checkModifiedUtf8(const std::u16string& units, uint8_t roomSeed) {
    const int32_t count = int32_t(units.size());
    const int32_t length = _VM_utf8Length(units.data(), count, true);
    std::vector<uint8_t> bytes(size_t(length) + 1, 0xFF);
    int32_t capacity = length + 1;
    check(_VM_utf16ToUtf8(bytes.data(), &capacity, units.data(), count, true, true) == count);
    check(capacity == length && bytes[size_t(length)] == 0);
    check(std::find(bytes.begin(), bytes.begin() + length, 0) == bytes.begin() + length);
    check(_VM_utf8EqualsUtf16(bytes.data(), length, units.data(), count));
    VMPtr<String> back = String::_VM_new();
    back->_VM_init(reinterpret_cast<const char*>(bytes.data()), length);
    check(back->toUtf16() == units);

    int32_t room = length == 0 ? 0 : roomSeed % length;
    const int32_t encoded = _VM_utf16ToUtf8(bytes.data(), &room, units.data(), count, true, false);
    check(encoded < count || length == 0);
    check(room == _VM_utf8Length(units.data(), encoded, true));
    if (encoded < count) check(room + bytesFor(units[size_t(encoded)]) > (length == 0 ? 0 : roomSeed % length));
}

}  // namespace

OSTREL_FUZZ_WITHOUT_PER_INPUT_LEAK_SCAN()

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    testRuntime();
    if (size < 3) return 0;
    const int encoding = data[0] & 7;
    const uint8_t* bytes = data + 3;
    const int32_t arrayLength = int32_t(size - 3);
    int32_t offset = 0, length = arrayLength;
    if (data[0] & 0x80) {
        offset = int32_t(data[1]) - 1;
        length = int32_t(data[2]) - 1;
    }
    std::u16string expected;
    const Outcome outcome = expect(bytes, arrayLength, offset, length, encoding, &expected);
    Outcome actual = Outcome::Text;
    try {
        VMPtr<ByteArray> array = ByteArray::_VM_new(arrayLength);
        if (arrayLength > 0) std::memcpy(array->elements(), bytes, size_t(arrayLength));
        VMPtr<String> text = String::_VM_new();
        text->_VM_init(array, offset, length, VMPtr<java::lang::String>::fromLiteral(kEncodings[encoding]));
        check(outcome == Outcome::Text && text->toUtf16() == expected);
        checkModifiedUtf8(expected, data[1] ^ data[2]);
    } catch (java::lang::IndexOutOfBoundsException* caught) {
        VMPtr<java::lang::IndexOutOfBoundsException> held(caught);
        actual = Outcome::BadRange;
    } catch (java::io::UnsupportedEncodingException* caught) {
        VMPtr<java::io::UnsupportedEncodingException> held(caught);
        actual = Outcome::Unsupported;
    } catch (java::lang::RuntimeException* caught) {
        VMPtr<java::lang::RuntimeException> held(caught);
        actual = Outcome::Malformed;
    } catch (java::lang::Throwable* caught) {
        VMPtr<java::lang::Throwable> held(caught);
        std::abort();
    }
    check(actual == outcome);
    checkHeapReturnsToItsBaseline();
    return 0;
}
