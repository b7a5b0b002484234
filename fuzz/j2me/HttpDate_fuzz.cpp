// Parses arbitrary text (the input's bytes as UTF-16 units, two per unit) as an http date:
// every input ends in a date or in IllegalArgumentException "Error parsing date". A parse
// that succeeds parses again to the same value.

#include <cstdint>
#include <cstdlib>
#include <string>

#include "lib_src/vm/VMHeap.h"
#include "pb_src/j2me/com_kelvane_ostrel_midp_io_protocol_http_Protocol.h"
#include "pb_src/j2me/java_lang_IllegalArgumentException.h"
#include "tests/vm/TestRuntime.h"

namespace {

using com::kelvane::ostrel::midp::io::protocol::http::Protocol;

void check(bool condition) {
    if (!condition) std::abort();
}

// Bytes below 0x80 stand for themselves, so the seeds stay readable; a byte 0xC0 or above
// joins the next byte into one unit of any value.
std::u16string unitsOf(const uint8_t* data, size_t size) {
    std::u16string units;
    for (size_t i = 0; i < size; ++i) {
        if (data[i] >= 0xC0 && i + 1 < size) {
            units += char16_t(((data[i] & 0x3F) << 8 | data[i + 1]) * 3);
            ++i;
        } else {
            units += char16_t(data[i]);
        }
    }
    return units;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static VM* vm = [] {
        setenv("TZ", "UTC0", 1);
        return testRuntime();
    }();
    static uint32_t runs = 0;
    VMPtr<java::lang::String> text = java::lang::String::fromUtf16(unitsOf(data, size));
    try {
        const int64_t millis = Protocol::parseDate(text);
        check(Protocol::parseDate(text) == millis);
    } catch (java::lang::IllegalArgumentException* caught) {
        VMPtr<java::lang::IllegalArgumentException> held(caught);
        check(caught->getMessage()->toUtf8() == "Error parsing date");
    }
    if (++runs % 1024 == 0) vm->collect();
    return 0;
}
