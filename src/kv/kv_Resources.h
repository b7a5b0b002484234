#pragma once

// kv::Resources: the one door to the game's data, static operations over one resource pack
// (a ResourcePackChunked created unopened when the class initialises). Nothing is cached:
// every call reads the entry again. The PNG helpers walk a PNG's chunks through a stream;
// swapPalette exchanges a PNG's palette bytes in place only when the palette is exactly the
// PLTE chunk's data plus its CRC and lies inside the data, so a second call restores both.
// The gob-set reader answers null for any damage, counts that promise more values or alpha
// types than the set holds included.

#include "lib_src/vm/VMArray.h"
#include "pb_src/j2me/java_io_DataInputStream.h"
#include "pb_src/j2me/javax_microedition_lcdui_Image.h"
#include "src/kv/io/resource/kv_io_resource_ResourcePack.h"
#include "src/kv/kv_Gob.h"
#include "src/kv/util/text/kv_util_text_Translation.h"

namespace kv {

class AnimSet;

class Resources : public virtual ::java::lang::Object {
    VM_CLASS(Resources, ::java::lang::Object)
    using ByteArray = VMArray<int8_t, 1>;
    using ByteMatrix = VMArray<int8_t, 2>;
    using DataInputStream = ::java::io::DataInputStream;
    using Image = ::javax::microedition::lcdui::Image;
    using BoolArray = VMArray<bool, 1>;
    using ShortArray = VMArray<int16_t, 1>;

    VMPtr<Resources> _VM_init() {
        Object::_VM_init();
        return this;
    }
    static void _VM_clinit();

    static VMPtr<ByteArray> getData(int32_t id);
    // Marked at the entry's start when the stream supports it.
    static VMPtr<DataInputStream> getStream(int32_t id);
    static int32_t getOffset(int32_t id);
    static int32_t getType(int32_t id);
    static int32_t getSize(int32_t id);
    static VMPtr<ByteArray> getPackData(int32_t id);
    // 1 when the stream's pack was read and is now open (part 0), 0 otherwise; a null stream
    // closes the pack.
    static int32_t attachStream(VMPtr<DataInputStream> s);
    static void closePack();
    static VMPtr<ByteArray> save(VMPtr<ByteMatrix> entries, VMPtr<ByteArray> types);
    static VMPtr<Image> getImage(int32_t id);
    static VMPtr<Image> getImage(int32_t id, VMPtr<ByteArray> palette);
    static VMPtr<ByteArray> getPalette(int32_t id);
    static int32_t getTransparentIndex(int32_t id);
    // A new animation set read from the entry.
    static VMPtr<AnimSet> getAnimSet(int32_t id);
    // Attaches the pack saved in the record store of that slot; -1 or a missing store closes
    // the pack and gives 0.
    static int32_t loadPackFromRecord(int32_t slot);
    // The entry's image as an 8-bit palette BMP file.
    static VMPtr<ByteArray> getImageAsBmp(int32_t id);
    // The PLTE data (at most 256 colours) with its 4 CRC bytes, or null.
    static VMPtr<ByteArray> readPaletteChunk(VMPtr<DataInputStream> in);
    // The index of the first zero alpha byte of a tRNS chunk right after PLTE, or -1.
    static int32_t findTransparentIndex(VMPtr<DataInputStream> in);

    static VMPtr<Image> loadImage(VMPtr<ByteArray> data, int32_t offset, int32_t length);
    static VMPtr<DataInputStream> createStream(VMPtr<ByteArray> data, int32_t offset, int32_t length);
    // IllegalArgumentException, with nothing exchanged, for a palette that is not the PLTE
    // chunk's length plus 4 or does not fit the data; a PNG without PLTE is left alone.
    static void swapPalette(VMPtr<ByteArray> data, int32_t offset, VMPtr<ByteArray> palette);
    // The PLTE data length, or -1 at IEND; sets paletteOffset to the first palette byte.
    static int32_t findPaletteChunk(VMPtr<DataInputStream> in);

    // A new table loaded from the entry's stream with the entry's size.
    static VMPtr<util::text::Translation> getTranslation(int32_t id);
    static VMPtr<Gob::GobArray> getGobs(int32_t id);
    static VMPtr<Gob::GobArray> readGobs(int32_t id, VMPtr<ByteArray> palette);
    // The gobs of a gob-set stream, cut from the sheet image whose id is the set's image
    // index with the set's part bits (setId & 0xFC00); null for any failure.
    static VMPtr<Gob::GobArray> readGobSet(int32_t setId, VMPtr<ByteArray> palette, VMPtr<DataInputStream> in);

    static VMPtr<io::resource::ResourcePack> pack;
    static int32_t paletteOffset;
    // Scratch of the gob-set reader, valid during one read.
    static int32_t gobImageId;
    static VMPtr<BoolArray> gobFlags;
    static VMPtr<ByteArray> gobFieldWidths;
    static VMPtr<ShortArray> gobValues;

private:
    static void ensureReady();
    static VMPtr<Gob::GobArray> buildGobs(int32_t count, VMPtr<ByteArray> values, VMPtr<ByteArray> alphaTypes,
                                          VMPtr<ByteArray> palette);
    static void setFieldWidths();
};

}  // namespace kv
