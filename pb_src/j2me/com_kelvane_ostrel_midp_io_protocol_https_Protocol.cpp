#include "pb_src/j2me/com_kelvane_ostrel_midp_io_protocol_https_Protocol.h"

#include "lib_src/vm/VMLiterals.h"

namespace com::kelvane::ostrel::midp::io::protocol::https {

VM_DEFINE_CLASS(Protocol, "com.kelvane.ostrel.midp.io.protocol.https.Protocol",
                "com.kelvane.ostrel.midp.io.protocol.http.Protocol", &Protocol::_VM_clinit)
VM_IMPLEMENTS(Protocol, "javax.microedition.io.HttpsConnection")

VMPtr<::java::lang::String> Protocol::protocolName{VMStaticScope::instance()};

void Protocol::_VM_clinit() { protocolName = VMPtr<String>::fromLiteral("https"); }

VMPtr<Protocol> Protocol::_VM_init() {
    http::Protocol::_VM_init();
    return this;
}

VMPtr<::java::lang::String> Protocol::getProtocol() {
    ensureOpen();
    return protocolName;
}

int32_t Protocol::getPort() {
    const int32_t port = http::Protocol::getPort();
    return port == 80 ? 443 : port;
}

::javax::microedition::io::SecurityInfo* Protocol::getSecurityInfo() { return nullptr; }

}  // namespace com::kelvane::ostrel::midp::io::protocol::https
