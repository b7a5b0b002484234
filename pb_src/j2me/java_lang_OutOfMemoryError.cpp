#include "pb_src/j2me/java_lang_OutOfMemoryError.h"

VM_DEFINE_CLASS(java::lang::OutOfMemoryError, "java.lang.OutOfMemoryError", "java.lang.VirtualMachineError", VM_NO_CLINIT)
