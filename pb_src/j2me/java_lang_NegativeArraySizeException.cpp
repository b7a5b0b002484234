#include "pb_src/j2me/java_lang_NegativeArraySizeException.h"

VM_DEFINE_CLASS(java::lang::NegativeArraySizeException, "java.lang.NegativeArraySizeException", "java.lang.RuntimeException", VM_NO_CLINIT)
