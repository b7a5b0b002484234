#include "pb_src/j2me/javax_microedition_io_Connection.h"

VM_DEFINE_INTERFACE(javax::microedition::io::Connection, "javax.microedition.io.Connection", VM_NO_CLINIT)
