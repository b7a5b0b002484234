#include "pb_src/j2me/javax_microedition_io_ContentConnection.h"

VM_DEFINE_INTERFACE(javax::microedition::io::ContentConnection, "javax.microedition.io.ContentConnection", VM_NO_CLINIT)
VM_IMPLEMENTS(javax::microedition::io::ContentConnection, "javax.microedition.io.StreamConnection")
