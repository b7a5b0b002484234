#include "pb_src/j2me/javax_microedition_io_StreamConnection.h"

VM_DEFINE_INTERFACE(javax::microedition::io::StreamConnection, "javax.microedition.io.StreamConnection", VM_NO_CLINIT)
VM_IMPLEMENTS(javax::microedition::io::StreamConnection, "javax.microedition.io.InputConnection")
VM_IMPLEMENTS(javax::microedition::io::StreamConnection, "javax.microedition.io.OutputConnection")
