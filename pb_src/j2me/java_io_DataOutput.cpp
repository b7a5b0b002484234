#include "pb_src/j2me/java_io_DataOutput.h"

VM_DEFINE_INTERFACE(java::io::DataOutput, "java.io.DataOutput", VM_NO_CLINIT)
