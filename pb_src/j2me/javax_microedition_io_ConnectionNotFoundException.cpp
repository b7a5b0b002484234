#include "pb_src/j2me/javax_microedition_io_ConnectionNotFoundException.h"

VM_DEFINE_CLASS(javax::microedition::io::ConnectionNotFoundException, "javax.microedition.io.ConnectionNotFoundException", "java.io.IOException", VM_NO_CLINIT)
