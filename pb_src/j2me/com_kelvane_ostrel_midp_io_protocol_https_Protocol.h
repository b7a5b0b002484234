#pragma once

// com::kelvane::ostrel::midp::io::protocol::https::Protocol: the handler of "https" URLs:
// the http handler over the same platform connection, which speaks TLS for these URLs and
// never falls back to clear text. It reports 443 where http would report 80.

#include "pb_src/j2me/com_kelvane_ostrel_midp_io_protocol_http_Protocol.h"
#include "pb_src/j2me/javax_microedition_io_HttpsConnection.h"

namespace com::kelvane::ostrel::midp::io::protocol::https {

class Protocol : public http::Protocol, public virtual ::javax::microedition::io::HttpsConnection {
    VM_CLASS(Protocol, http::Protocol)

    static void _VM_clinit();
    static VMPtr<String> protocolName;

    VMPtr<Protocol> _VM_init();

    VMPtr<String> getProtocol() override;
    int32_t getPort() override;
    // Always null, also once closed.
    ::javax::microedition::io::SecurityInfo* getSecurityInfo() override;
};

}  // namespace com::kelvane::ostrel::midp::io::protocol::https
