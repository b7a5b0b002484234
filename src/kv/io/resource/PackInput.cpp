#include "src/kv/io/resource/PackInput.h"

#include <algorithm>
#include <vector>

#include "lib_src/vm/VMException.h"
#include "pb_src/j2me/java_io_ByteArrayInputStream.h"
#include "pb_src/j2me/java_io_EOFException.h"
#include "pb_src/j2me/java_io_IOException.h"
#include "pb_src/j2me/java_lang_RuntimeException.h"
#include "pb_src/j2me/java_lang_StringBuffer.h"

namespace kv::io::resource {

using java::io::DataInputStream;
using java::lang::String;
using ByteArray = VMArray<int8_t, 1>;

namespace {

// Reads up to this many bytes straight into their array; longer ones are gathered in
// pieces of this size first.
constexpr int32_t kPieceBytes = 64 << 10;

}  // namespace

void checkLength(int64_t length) {
    if (length < 0 || length > kMaxPackBytes)
        vm::throwNew<java::io::IOException>(String::withNumber("Invalid RP length ", length));
}

void skipFully(const VMPtr<DataInputStream>& in, int64_t n) {
    if (n < 0) vm::throwNew<java::io::IOException>(String::withNumber("Invalid RP skip ", n));
    while (n > 0) {
        const int32_t step = in->skipBytes(int32_t(n > INT32_MAX ? INT32_MAX : n));
        if (step <= 0) vm::throwNew<java::io::EOFException>();
        n -= step;
    }
}

VMPtr<ByteArray> readExactly(const VMPtr<DataInputStream>& in, int32_t length) {
    checkLength(length);
    if (length <= kPieceBytes) {
        VMPtr<ByteArray> bytes = ByteArray::_VM_new(length);
        in->readFully(bytes);
        return bytes;
    }
    std::vector<int8_t> gathered;
    VMPtr<ByteArray> piece = ByteArray::_VM_new(kPieceBytes);
    while (int32_t(gathered.size()) < length) {
        const int32_t step = std::min(kPieceBytes, length - int32_t(gathered.size()));
        in->readFully(piece, 0, step);
        gathered.insert(gathered.end(), piece->elements(), piece->elements() + step);
    }
    VMPtr<ByteArray> bytes = ByteArray::_VM_new(length);
    std::copy(gathered.begin(), gathered.end(), bytes->elements());
    return bytes;
}

VMPtr<DataInputStream> byteStream(const VMPtr<ByteArray>& data, int32_t offset, int32_t length) {
    VMPtr<java::io::ByteArrayInputStream> bytes = java::io::ByteArrayInputStream::_VM_new();
    bytes->_VM_init(data, offset, length);
    VMPtr<DataInputStream> stream = DataInputStream::_VM_new();
    return stream->_VM_init(bytes);
}

VMPtr<String> quoted(const char* prefix, const VMPtr<String>& text) {
    VMPtr<java::lang::StringBuffer> buffer = java::lang::StringBuffer::_VM_new();
    buffer->_VM_init(prefix);
    buffer->append(text)->append("'");
    return buffer->toString();
}

void throwWrapped(java::lang::Object* caught) {
    VMPtr<java::lang::Object> cause(caught);
    vm::throwNew<java::lang::RuntimeException>(cause->toString());
}

}  // namespace kv::io::resource
