#include "pb_src/j2me/javax_microedition_io_InputConnection.h"

VM_DEFINE_INTERFACE(javax::microedition::io::InputConnection, "javax.microedition.io.InputConnection", VM_NO_CLINIT)
VM_IMPLEMENTS(javax::microedition::io::InputConnection, "javax.microedition.io.Connection")
