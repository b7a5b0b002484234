#include "pb_src/j2me/java_lang_VirtualMachineError.h"

VM_DEFINE_CLASS(java::lang::VirtualMachineError, "java.lang.VirtualMachineError", "java.lang.Error", VM_NO_CLINIT)
