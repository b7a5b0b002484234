#include "pb_src/j2me/java_lang_RuntimeException.h"

VM_DEFINE_CLASS(java::lang::RuntimeException, "java.lang.RuntimeException", "java.lang.Exception", VM_NO_CLINIT)
