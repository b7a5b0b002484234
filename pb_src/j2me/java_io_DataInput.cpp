#include "pb_src/j2me/java_io_DataInput.h"

VM_DEFINE_INTERFACE(java::io::DataInput, "java.io.DataInput", VM_NO_CLINIT)
