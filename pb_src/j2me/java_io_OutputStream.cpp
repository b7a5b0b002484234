#include "pb_src/j2me/java_io_OutputStream.h"

#include "pb_src/j2me/java_lang_IndexOutOfBoundsException.h"
#include "pb_src/j2me/java_lang_NullPointerException.h"

namespace java::io {

VM_DEFINE_ABSTRACT_CLASS(OutputStream, "java.io.OutputStream", "java.lang.Object", VM_NO_CLINIT)

void OutputStream::checkArrayRange(ByteArray* b, int32_t off, int32_t len) {
    if (b == nullptr) vm::throwNew<java::lang::NullPointerException>();
    const int64_t end = int64_t(off) + len;
    if (off < 0 || off > b->length || len < 0 || end > b->length) vm::throwNew<java::lang::IndexOutOfBoundsException>();
}

void OutputStream::write(VMPtr<ByteArray> b, int32_t off, int32_t len) {
    checkArrayRange(b.get(), off, len);
    for (int32_t i = 0; i < len; ++i) write(int32_t(b->elements()[off + i]));
}

void OutputStream::write(VMPtr<ByteArray> b) {
    if (!b) vm::throwNew<java::lang::NullPointerException>();
    write(b, 0, b->length);
}

void OutputStream::flush() {}

void OutputStream::close() {}

}  // namespace java::io
