#include "pb_src/j2me/java_lang_IllegalThreadStateException.h"

VM_DEFINE_CLASS(java::lang::IllegalThreadStateException, "java.lang.IllegalThreadStateException", "java.lang.IllegalArgumentException", VM_NO_CLINIT)
