// Walks arbitrary bytes as a PNG with the palette and transparency helpers, and exchanges a
// palette into them: the exchange is refused or done whole, and a second exchange restores
// both arrays exactly. No input may crash or raise anything but an Exception.
//
// Input: byte 0 is the length of the palette to exchange (0: the PNG's own PLTE with its
// CRC, as getPalette reads it); the rest is the PNG.

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "pb_src/j2me/java_lang_Exception.h"
#include "pb_src/j2me/java_lang_IllegalArgumentException.h"
#include "src/kv/kv_Resources.h"
#include "tests/vm/TestRuntime.h"

namespace {

using kv::Resources;
using ByteArray = VMArray<int8_t, 1>;

void check(bool condition) {
    if (!condition) std::abort();
}

std::vector<int8_t> copyOf(const VMPtr<ByteArray>& array) {
    return std::vector<int8_t>(array->elements(), array->elements() + array->length);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static VM* vm = testRuntime(1 << 20, 64ull << 20);
    static uint32_t runs = 0;
    if (size == 0) return 0;
    VMPtr<ByteArray> png = ByteArray::_VM_new(int32_t(size - 1));
    if (size > 1) std::memcpy(png->elements(), data + 1, size - 1);
    const std::vector<int8_t> original = copyOf(png);
    try {
        VMPtr<ByteArray> palette = Resources::readPaletteChunk(Resources::createStream(png, 0, png->length));
        check(!palette || palette->length <= 256 * 3 + 4);
        Resources::findTransparentIndex(Resources::createStream(png, 0, png->length));
        if (data[0] != 0 || !palette) {
            palette = ByteArray::_VM_new(data[0]);
            for (int32_t i = 0; i < palette->length; ++i) palette->elements()[i] = int8_t(i * 37);
        }
        const std::vector<int8_t> paletteBefore = copyOf(palette);
        try {
            Resources::swapPalette(png, 0, palette);
        } catch (java::lang::IllegalArgumentException* refused) {
            VMPtr<java::lang::Object> held(refused);
            check(copyOf(png) == original && copyOf(palette) == paletteBefore);
        }
        Resources::swapPalette(png, 0, palette);
        check(copyOf(png) == original && copyOf(palette) == paletteBefore);
    } catch (java::lang::IllegalArgumentException* caught) {
        VMPtr<java::lang::Object> held(caught);
        check(copyOf(png) == original);
    } catch (java::lang::Exception* caught) {
        VMPtr<java::lang::Object> held(caught);
    }
    if (++runs % 256 == 0) vm->collect();
    return 0;
}
