#pragma once

// javax::microedition::io::InputConnection: a connection that a byte stream can be read
// from. Carries no code.

#include "pb_src/j2me/java_io_DataInputStream.h"
#include "pb_src/j2me/javax_microedition_io_Connection.h"

namespace javax::microedition::io {

class InputConnection : public virtual Connection {
    VM_INTERFACE(InputConnection)

    virtual VMPtr<::java::io::InputStream> openInputStream() = 0;
    virtual VMPtr<::java::io::DataInputStream> openDataInputStream() = 0;
};

}  // namespace javax::microedition::io
