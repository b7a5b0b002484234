#include "pb_src/j2me/java_io_ByteArrayOutputStream.h"

#include "pb_src/j2me/java_lang_String.h"

#include <algorithm>
#include <limits>

#include "lib_src/vm/VMMonitor.h"
#include "pb_src/j2me/java_lang_IllegalArgumentException.h"
#include "pb_src/j2me/java_lang_OutOfMemoryError.h"
#include "pb_src/j2me/java_lang_RuntimeException.h"
#include "pb_src/j2me/java_lang_System.h"

namespace java::io {

using java::lang::String;
using java::lang::System;

VM_DEFINE_CLASS(ByteArrayOutputStream, "java.io.ByteArrayOutputStream", "java.io.OutputStream", VM_NO_CLINIT)

VMPtr<ByteArrayOutputStream> ByteArrayOutputStream::_VM_init() { return _VM_init(32); }

VMPtr<ByteArrayOutputStream> ByteArrayOutputStream::_VM_init(int32_t size) {
    if (size < 0) vm::throwNew<java::lang::IllegalArgumentException>(String::fromUtf8("Negative initial size"));
    buf = ByteArray::_VM_new(size);
    return this;
}

void ByteArrayOutputStream::checkOpen() {
    if (isClosed) vm::throwNew<java::lang::RuntimeException>(String::fromUtf8("Writing to closed ByteArrayOutputStream"));
}

void ByteArrayOutputStream::ensureCapacity(int64_t needed) {
    if (needed <= buf->length) return;
    // An array cannot hold more than 2^31 - 1 bytes.
    constexpr int64_t largest = std::numeric_limits<int32_t>::max();
    if (needed > largest) vm::throwNew<java::lang::OutOfMemoryError>();
    const int64_t capacity = std::min(largest, std::max(2 * int64_t(buf->length), needed));
    VMPtr<ByteArray> grown = ByteArray::_VM_new(int32_t(capacity));
    System::arraycopy(buf, 0, grown, 0, count);
    buf = grown;
}

void ByteArrayOutputStream::write(int32_t b) {
    VM_SYNCHRONIZED(this);
    checkOpen();
    ensureCapacity(int64_t(count) + 1);
    buf->elements()[count] = int8_t(b);
    ++count;
}

void ByteArrayOutputStream::write(VMPtr<ByteArray> b, int32_t off, int32_t len) {
    VM_SYNCHRONIZED(this);
    checkArrayRange(b.get(), off, len);
    if (len == 0) return;
    ensureCapacity(int64_t(count) + len);
    buf->copyElements(b.get(), off, count, len);  // both ranges are checked above
    count += len;
}

void ByteArrayOutputStream::close() { isClosed = true; }

void ByteArrayOutputStream::reset() {
    VM_SYNCHRONIZED(this);
    checkOpen();
    count = 0;
}

VMPtr<ByteArrayOutputStream::ByteArray> ByteArrayOutputStream::toByteArray() {
    VM_SYNCHRONIZED(this);
    if (isClosed && buf->length == count) return buf;
    VMPtr<ByteArray> copy = ByteArray::_VM_new(count);
    System::arraycopy(buf, 0, copy, 0, count);
    return copy;
}

int32_t ByteArrayOutputStream::size() { return count; }

VMPtr<::java::lang::String> ByteArrayOutputStream::toString() {
    VMPtr<::java::lang::String> text = ::java::lang::String::_VM_new();
    return text->_VM_init(buf, 0, count);
}

void ByteArrayOutputStream::_VM_mark(uint32_t flags) {
    OutputStream::_VM_mark(flags);
    vmMarkField(buf, flags);
}

}  // namespace java::io
