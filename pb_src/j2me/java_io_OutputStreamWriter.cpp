#include "pb_src/j2me/java_io_OutputStreamWriter.h"

#include "lib_src/vm/VMLiterals.h"
#include "lib_src/vm/VMMonitor.h"
#include "lib_src/vm/VMUtf8.h"
#include "pb_src/j2me/java_io_IOException.h"
#include "pb_src/j2me/java_lang_IndexOutOfBoundsException.h"
#include "pb_src/j2me/java_lang_NullPointerException.h"

namespace java::io {

VM_DEFINE_CLASS(OutputStreamWriter, "java.io.OutputStreamWriter", "java.io.Writer", VM_NO_CLINIT)

namespace {

void checkRange(int32_t offset, int32_t length, int32_t size) {
    const int64_t end = int64_t(offset) + length;
    if (offset < 0 || offset > size || length < 0 || end > size || end < 0)
        vm::throwNew<::java::lang::IndexOutOfBoundsException>();
}

}  // namespace

VMPtr<OutputStreamWriter> OutputStreamWriter::_VM_init(VMPtr<OutputStream> stream) {
    Writer::_VM_init();
    if (!stream) vm::throwNew<::java::lang::NullPointerException>();
    useUtf8 = true;
    out = stream;
    return this;
}

void OutputStreamWriter::ensureOpen() {
    if (!out) vm::throwNew<IOException>(VMPtr<java::lang::String>::fromLiteral("Stream closed"));
}

OutputStreamWriter::ByteArray* OutputStreamWriter::bytes() {
    if (!byteBuf) byteBuf = ByteArray::_VM_new(kByteBufferSize);
    return byteBuf.get();
}

void OutputStreamWriter::encode(const char16_t* units, int32_t count) {
    auto* buffer = reinterpret_cast<uint8_t*>(bytes()->elements());
    while (count > 0) {
        int32_t written = kByteBufferSize;
        const int32_t encoded = _VM_utf16ToUtf8(buffer, &written, units, count, false, false);
        out->write(byteBuf, 0, written);
        units += encoded;
        count -= encoded;
    }
}

void OutputStreamWriter::write(int32_t c) {
    ensureOpen();
    VM_SYNCHRONIZED(lock.get());
    const char16_t unit = char16_t(c);
    encode(&unit, 1);
}

void OutputStreamWriter::write(VMPtr<CharArray> characters, int32_t offset, int32_t length) {
    ensureOpen();
    if (!characters) vm::throwNew<::java::lang::NullPointerException>();
    checkRange(offset, length, characters->length);
    if (length == 0) return;
    VM_SYNCHRONIZED(lock.get());
    encode(characters->elements() + offset, length);
}

void OutputStreamWriter::write(VMPtr<::java::lang::String> text, int32_t offset, int32_t length) {
    ensureOpen();
    if (!text) vm::throwNew<::java::lang::NullPointerException>();
    checkRange(offset, length, text->length());
    if (length == 0) return;
    VM_SYNCHRONIZED(lock.get());
    encode(text->chars() + offset, length);
}

void OutputStreamWriter::write(const char16_t* units, int32_t count) {
    ensureOpen();
    if (count <= 0) return;
    VM_SYNCHRONIZED(lock.get());
    encode(units, count);
}

void OutputStreamWriter::flush() {
    ensureOpen();
    out->flush();
}

void OutputStreamWriter::close() {
    if (!out) return;
    out->close();
    out = nullptr;
}

void OutputStreamWriter::_VM_mark(uint32_t flags) {
    Writer::_VM_mark(flags);
    vmMarkField(out, flags);
    vmMarkField(byteBuf, flags);
}

}  // namespace java::io
