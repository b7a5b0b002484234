#include "pb_src/j2me/com_kelvane_ostrel_midp_io_HttpOutputStream.h"

#include "lib_src/vm/VMException.h"
#include "lib_src/vm/VMLiterals.h"
#include "pb_src/j2me/com_kelvane_ostrel_midp_io_protocol_http_Protocol.h"
#include "pb_src/j2me/java_io_IOException.h"

namespace com::kelvane::ostrel::midp::io {

VM_DEFINE_CLASS(HttpOutputStream, "com.kelvane.ostrel.midp.io.HttpOutputStream", "java.io.OutputStream", VM_NO_CLINIT)

VMPtr<HttpOutputStream> HttpOutputStream::_VM_init(VMPtr<protocol::http::Protocol> owner) {
    OutputStream::_VM_init();
    connection = owner;
    return this;
}

HALHttpConnection* HttpOutputStream::openConnection() {
    if (!connection)
        ::vm::throwNew<::java::io::IOException>(
            VMPtr<::java::lang::String>::fromLiteral("The output stream has been closed"));
    connection->ensureOpen();
    return connection->nativeConnection;
}

void HttpOutputStream::write(int32_t b) {
    const uint8_t byte = uint8_t(b);
    HAL_writeHTTPConnection(openConnection(), &byte, 1);
}

void HttpOutputStream::write(VMPtr<ByteArray> b, int32_t off, int32_t len) {
    HALHttpConnection* native = openConnection();
    checkArrayRange(b.get(), off, len);
    HAL_writeHTTPConnection(native, reinterpret_cast<const uint8_t*>(b->elements()) + off, len);
}

void HttpOutputStream::close() {
    if (connection && connection->nativeConnection) HAL_closeHTTPOutputStream(connection->nativeConnection);
    connection = nullptr;
}

void HttpOutputStream::_VM_mark(uint32_t flags) {
    OutputStream::_VM_mark(flags);
    vmMarkField(connection, flags);
}

}  // namespace com::kelvane::ostrel::midp::io
