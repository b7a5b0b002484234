#pragma once

// com::kelvane::ostrel::midp::io::HttpInputStream: the response body of an http connection,
// read in the blocks (at most 4096 bytes) that the platform connection holds. One read
// never reaches past the current block. The stream keeps its connection reachable and
// touches the platform's block only while the connection is open: once the stream or its
// connection is closed, reads and skips are IOExceptions and available() is 0. A failed
// refill is final: every later read throws the same error and available() is 0.

#include "hal/net/HALHttp.h"
#include "pb_src/j2me/java_io_InputStream.h"

namespace com::kelvane::ostrel::midp::io {

namespace protocol::http {
class Protocol;
}

class HttpInputStream : public ::java::io::InputStream {
    VM_CLASS(HttpInputStream, ::java::io::InputStream)
    using ByteArray = VMArray<int8_t, 1>;
    using InputStream::read;

    // Reads the body of the connection's request.
    VMPtr<HttpInputStream> _VM_init(VMPtr<protocol::http::Protocol> owner);

    // -1 at the end of the body; otherwise at least one byte unless len is 0.
    int32_t read(VMPtr<ByteArray> b, int32_t off, int32_t len) override;
    int32_t read() override;
    int64_t skip(int64_t n) override;
    // The bytes left in the current block.
    int32_t available() override;
    // Closes the platform request: nothing more of the response can be read.
    void close() override;
    void _VM_mark(uint32_t flags) override;

    // Null once this stream is closed.
    VMPtr<protocol::http::Protocol> connection{vmField()};
    int32_t position = 0;
    int32_t count = 0;
    uint8_t* buffer = nullptr;
    // The platform's code of a failed refill, 0 while none failed.
    int32_t failure = 0;
    bool ended = false;

private:
    // The stream's platform connection; IOException when the stream or connection is closed.
    HALHttpConnection* openConnection();
    // Fetches the next block when the current one is used up; false at the end of the body.
    bool fill(HALHttpConnection* native);
};

}  // namespace com::kelvane::ostrel::midp::io
