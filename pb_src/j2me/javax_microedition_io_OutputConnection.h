#pragma once

// javax::microedition::io::OutputConnection: a connection that a byte stream can be written
// to. Carries no code.

#include "pb_src/j2me/java_io_DataOutputStream.h"
#include "pb_src/j2me/javax_microedition_io_Connection.h"

namespace javax::microedition::io {

class OutputConnection : public virtual Connection {
    VM_INTERFACE(OutputConnection)

    virtual VMPtr<::java::io::OutputStream> openOutputStream() = 0;
    virtual VMPtr<::java::io::DataOutputStream> openDataOutputStream() = 0;
};

}  // namespace javax::microedition::io
