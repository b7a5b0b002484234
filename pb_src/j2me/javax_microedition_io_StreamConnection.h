#pragma once

// javax::microedition::io::StreamConnection: a connection with both an input and an output
// stream. Carries no code.

#include "pb_src/j2me/javax_microedition_io_InputConnection.h"
#include "pb_src/j2me/javax_microedition_io_OutputConnection.h"

namespace javax::microedition::io {

class StreamConnection : public virtual InputConnection, public virtual OutputConnection {
    VM_INTERFACE(StreamConnection)
};

}  // namespace javax::microedition::io
