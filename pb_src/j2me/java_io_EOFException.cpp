#include "pb_src/j2me/java_io_EOFException.h"

VM_DEFINE_CLASS(java::io::EOFException, "java.io.EOFException", "java.io.IOException", VM_NO_CLINIT)
