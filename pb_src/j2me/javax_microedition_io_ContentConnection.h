#pragma once

// javax::microedition::io::ContentConnection: a stream connection whose content has a type,
// an encoding and a length. Carries no code.

#include "pb_src/j2me/javax_microedition_io_StreamConnection.h"

namespace javax::microedition::io {

class ContentConnection : public virtual StreamConnection {
    VM_INTERFACE(ContentConnection)

    virtual VMPtr<::java::lang::String> getType() = 0;
    virtual VMPtr<::java::lang::String> getEncoding() = 0;
    virtual int64_t getLength() = 0;
};

}  // namespace javax::microedition::io
