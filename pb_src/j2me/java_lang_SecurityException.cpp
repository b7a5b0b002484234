#include "pb_src/j2me/java_lang_SecurityException.h"

VM_DEFINE_CLASS(java::lang::SecurityException, "java.lang.SecurityException", "java.lang.RuntimeException", VM_NO_CLINIT)
