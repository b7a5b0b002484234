#include "pb_src/j2me/java_io_ByteArrayInputStream.h"

#include <algorithm>

#include "lib_src/vm/VMMonitor.h"
#include "pb_src/j2me/java_lang_NullPointerException.h"
#include "pb_src/j2me/java_lang_System.h"

namespace java::io {

VM_DEFINE_CLASS(ByteArrayInputStream, "java.io.ByteArrayInputStream", "java.io.InputStream", VM_NO_CLINIT)

VMPtr<ByteArrayInputStream> ByteArrayInputStream::_VM_init(VMPtr<ByteArray> buf) {
    if (!buf) vm::throwNew<java::lang::NullPointerException>();
    this->buf = buf;
    pos = 0;
    count = buf->length;
    return this;
}

VMPtr<ByteArrayInputStream> ByteArrayInputStream::_VM_init(VMPtr<ByteArray> buf, int32_t offset, int32_t length) {
    if (!buf) vm::throwNew<java::lang::NullPointerException>();
    this->buf = buf;
    pos = offset;
    markPos = offset;
    // The end wraps like 32-bit arithmetic; the positions are not validated here, and bytes
    // are only ever taken through checked accesses.
    count = std::min(int32_t(uint32_t(offset) + uint32_t(length)), buf->length);
    return this;
}

int32_t ByteArrayInputStream::read() {
    VM_SYNCHRONIZED_SELF();
    if (pos >= count) return -1;
    const int32_t byte = uint8_t(buf->at(pos));
    ++pos;
    return byte;
}

int32_t ByteArrayInputStream::read(VMPtr<ByteArray> b, int32_t off, int32_t len) {
    VM_SYNCHRONIZED_SELF();
    checkArrayRange(b.get(), off, len);
    if (pos >= count) return -1;
    const int32_t n = int32_t(std::min<int64_t>(len, int64_t(count) - pos));
    if (n <= 0) return 0;
    // From a valid position the bytes are in range (count never passes the array's length);
    // a position the constructor left negative goes through the checked copy, which throws.
    if (pos >= 0) b->copyElements(buf.get(), pos, off, n);
    else java::lang::System::arraycopy(buf, pos, b, off, n);
    pos += n;
    return n;
}

int64_t ByteArrayInputStream::skip(int64_t n) {
    VM_SYNCHRONIZED_SELF();
    const int64_t skipped = std::max<int64_t>(0, std::min<int64_t>(n, int64_t(count) - pos));
    pos = int32_t(pos + skipped);
    return skipped;
}

int32_t ByteArrayInputStream::available() { return int32_t(int64_t(count) - pos); }

void ByteArrayInputStream::mark(int32_t readLimit) { markPos = pos; }

void ByteArrayInputStream::reset() { pos = markPos; }

void ByteArrayInputStream::_VM_mark(uint32_t flags) {
    InputStream::_VM_mark(flags);
    vmMarkField(buf, flags);
}

}  // namespace java::io
