#include "pb_src/j2me/java_io_Writer.h"

#include "lib_src/vm/VMMonitor.h"
#include "pb_src/j2me/java_lang_NullPointerException.h"

namespace java::io {

VM_DEFINE_ABSTRACT_CLASS(Writer, "java.io.Writer", "java.lang.Object", VM_NO_CLINIT)

VMPtr<Writer> Writer::_VM_init() {
    lock = VMPtr<Writer>(this);
    return this;
}

Writer::CharArray* Writer::buffer() {
    if (!writeBuffer) writeBuffer = CharArray::_VM_new(kBufferSize);
    return writeBuffer.get();
}

void Writer::write(int32_t c) {
    VM_SYNCHRONIZED(lock.get());
    buffer()->elements()[0] = char16_t(c);
    write(writeBuffer, 0, 1);
}

void Writer::write(VMPtr<::java::lang::String> text, int32_t offset, int32_t length) {
    VM_SYNCHRONIZED(lock.get());
    if (!text) vm::throwNew<::java::lang::NullPointerException>();
    buffer();
    while (length > 0) {
        const int32_t n = length < kBufferSize ? length : kBufferSize;
        text->getChars(offset, offset + n, writeBuffer, 0);
        write(writeBuffer, 0, n);
        offset += n;
        length -= n;
    }
}

void Writer::_VM_mark(uint32_t flags) {
    vmMarkField(lock, flags);
    vmMarkField(writeBuffer, flags);
}

}  // namespace java::io
