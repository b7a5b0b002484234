#include "pb_src/j2me/java_io_InputStream.h"

#include "lib_src/vm/VMMonitor.h"
#include "pb_src/j2me/java_io_IOException.h"
#include "pb_src/j2me/java_lang_IndexOutOfBoundsException.h"
#include "pb_src/j2me/java_lang_NullPointerException.h"

namespace java::io {

VM_DEFINE_ABSTRACT_CLASS(InputStream, "java.io.InputStream", "java.lang.Object", VM_NO_CLINIT)

void InputStream::checkArrayRange(ByteArray* b, int32_t off, int32_t len) {
    if (b == nullptr) vm::throwNew<java::lang::NullPointerException>();
    const int64_t end = int64_t(off) + len;
    if (off < 0 || off > b->length || len < 0 || end > b->length) vm::throwNew<java::lang::IndexOutOfBoundsException>();
}

int32_t InputStream::read(VMPtr<ByteArray> b, int32_t off, int32_t len) {
    checkArrayRange(b.get(), off, len);
    if (len == 0) return 0;
    int32_t c = read();
    if (c == -1) return -1;
    b->elements()[off] = int8_t(c);
    int32_t i = 1;
    try {
        for (; i < len; ++i) {
            c = read();
            if (c == -1) break;
            b->elements()[off + i] = int8_t(c);
        }
    } catch (IOException* caught) {
        VMPtr<IOException> ignored(caught);  // the bytes read before the failure are the result
    }
    return i;
}

int32_t InputStream::read(VMPtr<ByteArray> b) {
    if (!b) vm::throwNew<java::lang::NullPointerException>();
    return read(b, 0, b->length);
}

int64_t InputStream::skip(int64_t n) {
    int64_t skipped = 0;
    while (skipped < n && read() >= 0) ++skipped;
    return skipped;
}

int32_t InputStream::available() { return 0; }

void InputStream::close() {}

void InputStream::mark(int32_t readLimit) {}

void InputStream::reset() {
    VM_SYNCHRONIZED(this);
    vm::throwNew<IOException>(java::lang::String::fromUtf8("mark/reset not supported"));
}

bool InputStream::markSupported() { return false; }

}  // namespace java::io
