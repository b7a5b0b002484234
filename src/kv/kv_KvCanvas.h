#pragma once

// kv::KvCanvas: the framework canvas. This first slice holds its static services: image
// helpers, alpha classification, indexed pixels, the little-endian output buffer, decimal
// text with padding, the entry fields that a resource pack's selectEntry publishes, and
// loadRecord through the running instance. The output buffer and its position are plain
// static fields that a caller may save, replace and restore; a put beyond the buffer's end
// throws ArrayIndexOutOfBoundsException and writes nothing.

#include "lib_src/vm/VMArray.h"
#include "pb_src/j2me/java_lang_StringBuffer.h"
#include "pb_src/j2me/javax_microedition_lcdui_Image.h"
#include "pb_src/j2me/javax_microedition_lcdui_game_GameCanvas.h"

namespace kv::util::text {
class RichFont;
}

namespace kv {

class KvCanvas : public ::javax::microedition::lcdui::game::GameCanvas {
    VM_ABSTRACT_CLASS(KvCanvas, ::javax::microedition::lcdui::game::GameCanvas)
    using ByteArray = VMArray<int8_t, 1>;
    using IntArray = VMArray<int32_t, 1>;
    using Image = ::javax::microedition::lcdui::Image;

    static VMPtr<Image> createRGBImage(VMPtr<IntArray> argb, int32_t width, int32_t height, bool processAlpha);
    static void getRGB(VMPtr<Image> image, VMPtr<IntArray> argb, int32_t offset, int32_t scanlength, int32_t x,
                       int32_t y, int32_t width, int32_t height);
    // Whether some pixel's alpha byte is below 0xF0.
    static bool hasTranslucentPixel(VMPtr<IntArray> argb);
    // 3 at the first pixel whose top alpha bits are neither 0xF nor 0, else 2 when some are 0,
    // else 1 (also for a height below 1).
    static int32_t getAlphaType(VMPtr<IntArray> argb, int32_t offset, int32_t scanlength, int32_t x, int32_t y,
                                int32_t width, int32_t height);
    // One palette index per pixel, row by row. New colours are appended to palette while it
    // has room; the first near-magenta colour takes index 0; a colour found when the palette
    // is full takes the index of the nearest colour already in it.
    static VMPtr<ByteArray> toIndexedPixels(VMPtr<Image> image, VMPtr<IntArray> palette);
    static void putShortLE(int32_t value);
    static void putIntLE(int32_t value);
    static void putByte(int32_t value);
    // Inserts value's decimal text into sb at `at`: '-' first for a negative value, then the
    // digits padded with '0' to minDigits, unpadded from a magnitude of 65536 on.
    static void appendNumber(VMPtr<::java::lang::StringBuffer> sb, int32_t value, int32_t minDigits, int32_t at);
    static void setEntry(VMPtr<ByteArray> data, int32_t offset);

    // All records of the record store named by the slot's decimal number, joined in id
    // order, or null when the store does not exist.
    virtual VMPtr<ByteArray> loadRecord(int32_t slot);
    // The default rich font (system font, plain, medium), made on first use and kept.
    virtual VMPtr<util::text::RichFont> getRichFont();

    static VMPtr<ByteArray> outputBuffer;
    static int32_t outputPosition;
    static VMPtr<ByteArray> entryData;
    static int32_t entryOffset;
    // The running canvas: set by the canvas when it starts, read by the resource layer.
    static VMPtr<KvCanvas> instance;
    static VMPtr<util::text::RichFont> defaultRichFont;

private:
    static void put(int32_t value, int32_t count);
};

}  // namespace kv
