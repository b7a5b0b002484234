#include "pb_src/j2me/java_lang_IllegalStateException.h"

VM_DEFINE_CLASS(java::lang::IllegalStateException, "java.lang.IllegalStateException", "java.lang.RuntimeException", VM_NO_CLINIT)
