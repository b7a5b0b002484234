#include "pb_src/j2me/java_io_UnsupportedEncodingException.h"

VM_DEFINE_CLASS(java::io::UnsupportedEncodingException, "java.io.UnsupportedEncodingException", "java.io.IOException", VM_NO_CLINIT)
