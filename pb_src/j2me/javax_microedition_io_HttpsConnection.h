#pragma once

// javax::microedition::io::HttpsConnection: an HttpConnection over TLS. SecurityInfo is a
// reference type only: no object of it is ever made. Carries no code.

#include "pb_src/j2me/javax_microedition_io_HttpConnection.h"

namespace javax::microedition::io {

class SecurityInfo;

class HttpsConnection : public virtual HttpConnection {
    VM_INTERFACE(HttpsConnection)

    virtual SecurityInfo* getSecurityInfo() = 0;
};

}  // namespace javax::microedition::io
