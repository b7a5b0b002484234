#include "pb_src/j2me/java_io_IOException.h"

VM_DEFINE_CLASS(java::io::IOException, "java.io.IOException", "java.lang.Exception", VM_NO_CLINIT)
