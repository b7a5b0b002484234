#pragma once

// com::kelvane::ostrel::cldc::io::ConnectionBaseInterface: what a protocol handler that
// Connector finds by name must implement. Carries no code.

#include "pb_src/j2me/java_lang_String.h"

namespace javax::microedition::io {
class Connection;
}

namespace com::kelvane::ostrel::cldc::io {

class ConnectionBaseInterface : public virtual ::java::lang::Object {
    VM_INTERFACE(ConnectionBaseInterface)

    // Opens the connection named by the whole URL; mode and timeouts as Connector got them.
    virtual VMPtr<::javax::microedition::io::Connection> createNativeConnection(VMPtr<::java::lang::String> name,
                                                                                int32_t mode, bool timeouts) = 0;
};

}  // namespace com::kelvane::ostrel::cldc::io
