#include "pb_src/j2me/java_lang_IllegalArgumentException.h"

VM_DEFINE_CLASS(java::lang::IllegalArgumentException, "java.lang.IllegalArgumentException", "java.lang.RuntimeException", VM_NO_CLINIT)
