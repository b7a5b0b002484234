#pragma once

// com::kelvane::ostrel::midp::io::HttpOutputStream: the request body of an http connection.
// Every write hands a copy of its bytes to the platform connection, which keeps the whole
// body until the request is sent. The stream keeps its connection reachable; once the
// stream or its connection is closed, writes are IOExceptions.

#include "hal/net/HALHttp.h"
#include "pb_src/j2me/java_io_OutputStream.h"

namespace com::kelvane::ostrel::midp::io {

namespace protocol::http {
class Protocol;
}

class HttpOutputStream : public ::java::io::OutputStream {
    VM_CLASS(HttpOutputStream, ::java::io::OutputStream)
    using ByteArray = VMArray<int8_t, 1>;
    using OutputStream::write;

    VMPtr<HttpOutputStream> _VM_init(VMPtr<protocol::http::Protocol> owner);

    // NullPointerException for a null array, IndexOutOfBoundsException for a range
    // outside it.
    void write(VMPtr<ByteArray> b, int32_t off, int32_t len) override;
    void write(int32_t b) override;
    // The bytes written stay with the connection and go out with the request.
    void close() override;
    void _VM_mark(uint32_t flags) override;

    // Null once this stream is closed.
    VMPtr<protocol::http::Protocol> connection{vmField()};

private:
    HALHttpConnection* openConnection();
};

}  // namespace com::kelvane::ostrel::midp::io
