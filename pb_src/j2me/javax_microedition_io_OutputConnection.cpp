#include "pb_src/j2me/javax_microedition_io_OutputConnection.h"

VM_DEFINE_INTERFACE(javax::microedition::io::OutputConnection, "javax.microedition.io.OutputConnection", VM_NO_CLINIT)
VM_IMPLEMENTS(javax::microedition::io::OutputConnection, "javax.microedition.io.Connection")
