#include "src/kv/io/kv_io_FastInputStream.h"

#include <algorithm>

#include "lib_src/vm/VMException.h"
#include "pb_src/j2me/java_io_IOException.h"
#include "pb_src/j2me/java_lang_System.h"

namespace kv::io {

using java::lang::String;

VM_DEFINE_CLASS(FastInputStream, "kv.io.FastInputStream", "java.io.InputStream", VM_NO_CLINIT)

VMPtr<FastInputStream> FastInputStream::_VM_init(VMPtr<InputStream> wrapped) {
    InputStream::_VM_init();
    in = wrapped;
    buffer = ByteArray::_VM_new(kBlockSize);
    return this;
}

void FastInputStream::_VM_mark(uint32_t flags) {
    InputStream::_VM_mark(flags);
    vmMarkField(buffer, flags);
    vmMarkField(in, flags);
}

void FastInputStream::fill() {
    if (closed) vm::throwNew<java::io::IOException>(VMPtr<String>::fromLiteral("InputStream closed"));
    while (!eof && count == 0) {
        pos = 0;
        count = in->read(buffer, 0, kBlockSize);
        if (count < 0) {
            eof = true;
            count = 0;
        }
    }
}

int32_t FastInputStream::read() {
    fill();
    if (eof) return -1;
    --count;
    return uint8_t(buffer->elements()[pos++]);
}

int32_t FastInputStream::read(VMPtr<ByteArray> b, int32_t off, int32_t len) {
    checkArrayRange(b.get(), off, len);
    fill();
    if (eof) return -1;
    const int32_t n = std::min(count, len);
    java::lang::System::arraycopy(buffer, pos, b, off, n);
    pos += n;
    count -= n;
    return n;
}

int64_t FastInputStream::skip(int64_t n) {
    if (n <= 0) return 0;
    int64_t skipped = 0;
    while (skipped < n) {
        fill();
        if (eof) break;
        const int32_t k = int32_t(std::min<int64_t>(count, n - skipped));
        pos += k;
        count -= k;
        skipped += k;
    }
    return skipped;
}

int32_t FastInputStream::writeTo(VMPtr<java::io::OutputStream> out) {
    fill();
    if (eof) return -1;
    const int32_t n = count;
    out->write(buffer, pos, n);
    pos = 0;
    count = 0;
    return n;
}

void FastInputStream::close() {
    closed = true;
    if (in) {
        VMPtr<InputStream> wrapped = in;
        in = nullptr;
        wrapped->close();
    }
    buffer = nullptr;
}

}  // namespace kv::io
