#pragma once

// kv::util::text::Translation: the texts of one language, numbered from 0, kept as one byte
// array of modified UTF-8 with a table of start offsets (16-bit below a 64 KiB resource,
// 32-bit from there on) and decoded on demand; decodeAll turns them into ready strings once.
// Loading never throws: it stops at the first damage (end of data, a negative length, a
// length beyond the resource) with the texts read so far, and every offset it did not reach
// points at the end of those, so later texts read back empty and no byte length is
// negative. getText keeps each string it decodes, so a text asked for on every frame is
// decoded once; dropCachedTexts lets them go (the game does for the languages it leaves). Decoding stays inside the text: a malformed lead byte gives U+0000 and a
// sequence cut by the text's end gives U+0000 and ends the text. An id outside 0..count - 1
// is an IndexOutOfBoundsException.

#include "lib_src/vm/VMArray.h"
#include "pb_src/j2me/java_io_DataInputStream.h"
#include "pb_src/j2me/java_lang_StringBuffer.h"

namespace kv::util::text {

class Translation : public virtual ::java::lang::Object {
    VM_CLASS(Translation, ::java::lang::Object)
    using String = ::java::lang::String;
    using StringBuffer = ::java::lang::StringBuffer;
    using ByteArray = VMArray<int8_t, 1>;
    using CharArray = VMArray<char16_t, 1>;
    using IntArray = VMArray<int32_t, 1>;
    using StringArray = VMArray<String*, 1>;

    static constexpr int32_t kWideOffsetsFrom = 0x10000;
    static constexpr int32_t kSharedBufferLimit = 128;

    VMPtr<Translation> _VM_init() {
        Object::_VM_init();
        return this;
    }
    void _VM_mark(uint32_t flags) override;

    // Reads a whole table of `size` bytes from in; returns this table.
    VMPtr<Translation> load(VMPtr<::java::io::DataInputStream> in, int32_t size);
    // Inserts the characters of length bytes of data from offset into sb at `at`, in order.
    // ArrayIndexOutOfBoundsException, before anything is inserted, for a range outside data.
    static void decodeUtf8(VMPtr<ByteArray> data, int32_t offset, int32_t length, VMPtr<StringBuffer> sb, int32_t at);
    int32_t getOffset(int32_t id);
    int32_t getByteLength(int32_t id);

    // Replaces the byte form by one string per text (nothing when already done or unloaded).
    virtual void decodeAll();
    virtual VMPtr<StringBuffer> insertText(int32_t id, VMPtr<StringBuffer> sb, int32_t at);
    virtual VMPtr<StringBuffer> appendText(int32_t id, VMPtr<StringBuffer> sb);
    virtual VMPtr<StringBuffer> setText(int32_t id, VMPtr<StringBuffer> sb);
    // The text as a string: decoded on the first call for the id and kept, so later calls
    // hand back the same string.
    virtual VMPtr<String> getText(int32_t id);
    // Forgets the strings getText kept; the next call for an id decodes it again.
    virtual void dropCachedTexts() { cachedTexts = nullptr; }

    static VMPtr<StringBuffer> sharedBuffer;

    VMPtr<CharArray> charOffsets{vmField()};
    VMPtr<ByteArray> data{vmField()};
    VMPtr<StringArray> strings{vmField()};
    VMPtr<StringArray> cachedTexts{vmField()};  // what getText decoded, by id; null before the first
    int32_t count = 0;
    VMPtr<IntArray> intOffsets{vmField()};

private:
    void readTexts(::java::io::DataInputStream* in);
    void setOffset(int32_t index, int32_t value);
    void requireId(int32_t id) const;
};

}  // namespace kv::util::text
