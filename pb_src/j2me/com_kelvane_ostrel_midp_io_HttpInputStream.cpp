#include "pb_src/j2me/com_kelvane_ostrel_midp_io_HttpInputStream.h"

#include <algorithm>
#include <cstring>

#include "lib_src/vm/VMException.h"
#include "lib_src/vm/VMLiterals.h"
#include "lib_src/vm/VMThread.h"
#include "pb_src/j2me/com_kelvane_ostrel_midp_io_protocol_http_Protocol.h"
#include "pb_src/j2me/java_io_IOException.h"

namespace com::kelvane::ostrel::midp::io {

using ::java::lang::String;

VM_DEFINE_CLASS(HttpInputStream, "com.kelvane.ostrel.midp.io.HttpInputStream", "java.io.InputStream", VM_NO_CLINIT)

VMPtr<HttpInputStream> HttpInputStream::_VM_init(VMPtr<protocol::http::Protocol> owner) {
    InputStream::_VM_init();
    connection = owner;
    return this;
}

HALHttpConnection* HttpInputStream::openConnection() {
    if (!connection)
        ::vm::throwNew<::java::io::IOException>(VMPtr<String>::fromLiteral("The input stream has been closed"));
    connection->ensureOpen();
    return connection->nativeConnection;
}

bool HttpInputStream::fill(HALHttpConnection* native) {
    if (failure != 0) ::vm::throwNew<::java::io::IOException>(String::withNumber("HttpConnection error: ", failure));
    if (position < count) return true;
    if (ended) return false;
    int32_t got = 0;
    const int result = HAL_readHTTPConnection(native, &buffer, &got);
    position = 0;
    count = std::max(got, 0);
    if (result == 3) {
        ended = true;
        return false;
    }
    if (result != 0) {
        failure = result;
        count = 0;
        ::vm::throwNew<::java::io::IOException>(String::withNumber("HttpConnection error: ", result));
    }
    return count > 0;
}

int32_t HttpInputStream::read() {
    if (!fill(openConnection())) return -1;
    return buffer[position++];
}

int32_t HttpInputStream::read(VMPtr<ByteArray> b, int32_t off, int32_t len) {
    HALHttpConnection* native = openConnection();
    checkArrayRange(b.get(), off, len);
    if (!fill(native)) return -1;
    const int32_t taken = std::min(len, count - position);
    if (taken > 0) std::memcpy(b->elements() + off, buffer + position, size_t(taken));
    position += taken;
    return taken;
}

int64_t HttpInputStream::skip(int64_t n) {
    openConnection();
    int64_t skipped = 0;
    while (skipped < n) {
        if (position < count) {
            const int32_t step = int32_t(std::min<int64_t>(count - position, n - skipped));
            position += step;
            skipped += step;
            continue;
        }
        VMThread::yield();
        if (read() < 0) break;
        ++skipped;
    }
    return skipped;
}

int32_t HttpInputStream::available() {
    if (!connection || connection->state == protocol::http::Protocol::kClosed || failure != 0) return 0;
    return count - position;
}

void HttpInputStream::close() {
    if (connection && connection->nativeConnection) HAL_closeHTTPConnection(connection->nativeConnection);
    connection = nullptr;
    buffer = nullptr;
    position = count = 0;
}

void HttpInputStream::_VM_mark(uint32_t flags) {
    InputStream::_VM_mark(flags);
    vmMarkField(connection, flags);
}

}  // namespace com::kelvane::ostrel::midp::io
