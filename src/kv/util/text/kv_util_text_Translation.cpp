#include "src/kv/util/text/kv_util_text_Translation.h"

#include "lib_src/vm/VMException.h"
#include "pb_src/j2me/java_lang_ArrayIndexOutOfBoundsException.h"
#include "pb_src/j2me/java_lang_Exception.h"
#include "pb_src/j2me/java_lang_String.h"

namespace kv::util::text {

using java::lang::Exception;

VM_DEFINE_CLASS(Translation, "kv.util.text.Translation", "java.lang.Object", VM_NO_CLINIT)

VMPtr<java::lang::StringBuffer> Translation::sharedBuffer{VMStaticScope::instance()};

void Translation::_VM_mark(uint32_t flags) {
    vmMarkField(charOffsets, flags);
    vmMarkField(data, flags);
    vmMarkField(strings, flags);
    vmMarkField(cachedTexts, flags);
    vmMarkField(intOffsets, flags);
}

VMPtr<Translation> Translation::load(VMPtr<java::io::DataInputStream> in, int32_t size) {
    try {
        const int32_t n = in->readUnsignedShort();
        if (size < kWideOffsetsFrom) charOffsets = CharArray::_VM_new(n + 1);
        else intOffsets = IntArray::_VM_new(n + 1);
        data = ByteArray::_VM_new(size - 2 * (n + 1));
        count = n;
        readTexts(in.get());
    } catch (Exception* caught) {
        VMPtr<Exception> failure(caught);
    }
    return this;
}

// Reads the texts while they are sound; from the first damage on every offset is the end of
// what was read, so each later text is empty.
void Translation::readTexts(java::io::DataInputStream* in) {
    int32_t pos = 0, i = 0;
    try {
        for (; i < count; ++i) {
            setOffset(i, pos);
            const int32_t length = in->readShort();
            if (length < 0 || length > data->length - pos) break;
            if (length > 0) in->readFully(data, pos, length);
            pos += length;
        }
    } catch (Exception* caught) {
        VMPtr<Exception> failure(caught);
    }
    for (; i <= count; ++i) setOffset(i, pos);
}

void Translation::setOffset(int32_t index, int32_t value) {
    if (charOffsets) charOffsets->elements()[index] = char16_t(value);
    else intOffsets->elements()[index] = value;
}

void Translation::decodeUtf8(VMPtr<ByteArray> data, int32_t offset, int32_t length, VMPtr<StringBuffer> sb, int32_t at) {
    if (offset < 0 || length < 0 || offset > data->length - length)
        vm::throwNew<java::lang::ArrayIndexOutOfBoundsException>(offset < 0 || offset > data->length ? offset : length);
    const int8_t* bytes = data->elements() + offset;
    int32_t i = 0;
    while (i < length && bytes[i] >= 0) sb->insert(at++, char16_t(bytes[i++]));
    while (i < length) {
        const int32_t c = uint8_t(bytes[i]);
        char16_t ch = 0;
        int32_t used = 1;
        switch (c >> 4) {
        case 0: case 1: case 2: case 3: case 4: case 5: case 6: case 7:
            ch = char16_t(c);
            break;
        case 12: case 13:
            used = 2;
            if (i + 1 < length) ch = char16_t(((c & 0x1F) << 6) | (bytes[i + 1] & 0x3F));
            break;
        case 14:
            used = 3;
            if (i + 2 < length) ch = char16_t(((c & 0x0F) << 12) | ((bytes[i + 1] & 0x3F) << 6) | (bytes[i + 2] & 0x3F));
            break;
        default:
            break;
        }
        sb->insert(at++, ch);
        i += used;
    }
}

int32_t Translation::getOffset(int32_t id) {
    if (charOffsets) return charOffsets->at(id);
    return intOffsets ? intOffsets->at(id) : 0;
}

int32_t Translation::getByteLength(int32_t id) { return getOffset(id + 1) - getOffset(id); }

void Translation::requireId(int32_t id) const {
    if (id < 0 || id >= count)
        vm::throwNew<java::lang::IndexOutOfBoundsException>(String::withNumber("Text id out of range: ", id));
}

void Translation::decodeAll() {
    if (strings || !data) return;
    VMPtr<StringArray> all = StringArray::_VM_new(count);
    for (int32_t id = count - 1; id >= 0; --id) {
        VMPtr<StringBuffer> sb = StringBuffer::_VM_new();
        sb->_VM_init(getByteLength(id));
        all->set(id, setText(id, sb)->toString());
    }
    strings = all;
    cachedTexts = nullptr;
    data = nullptr;
    charOffsets = nullptr;
    intOffsets = nullptr;
}

VMPtr<java::lang::StringBuffer> Translation::insertText(int32_t id, VMPtr<StringBuffer> sb, int32_t at) {
    requireId(id);
    if (strings) return sb->insert(at, VMPtr<String>(strings->elements()[id]));
    try {
        decodeUtf8(data, getOffset(id), getByteLength(id), sb, at);
    } catch (Exception* caught) {
        VMPtr<Exception> failure(caught);
    }
    return sb;
}

VMPtr<java::lang::StringBuffer> Translation::appendText(int32_t id, VMPtr<StringBuffer> sb) {
    return insertText(id, sb, sb->length());
}

VMPtr<java::lang::StringBuffer> Translation::setText(int32_t id, VMPtr<StringBuffer> sb) {
    sb->setLength(0);
    return insertText(id, sb, 0);
}

VMPtr<java::lang::String> Translation::getText(int32_t id) {
    requireId(id);
    if (strings) return VMPtr<String>(strings->elements()[id]);
    if (!cachedTexts) cachedTexts = StringArray::_VM_new(count);
    if (String* kept = cachedTexts->elements()[id]) return VMPtr<String>(kept);
    const int32_t length = getByteLength(id);
    VMPtr<StringBuffer> buffer;
    // Short texts are decoded into one shared buffer, so each costs only its string.
    if (length <= kSharedBufferLimit) {
        if (!sharedBuffer) {
            sharedBuffer = StringBuffer::_VM_new();
            sharedBuffer->_VM_init();
        }
        buffer = sharedBuffer;
    } else {
        buffer = StringBuffer::_VM_new();
        buffer->_VM_init(length);
    }
    VMPtr<String> text = setText(id, buffer)->toString();
    cachedTexts->set(id, text);
    return text;
}

}  // namespace kv::util::text
