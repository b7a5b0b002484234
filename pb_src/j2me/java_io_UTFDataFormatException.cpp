#include "pb_src/j2me/java_io_UTFDataFormatException.h"

VM_DEFINE_CLASS(java::io::UTFDataFormatException, "java.io.UTFDataFormatException", "java.io.IOException", VM_NO_CLINIT)
