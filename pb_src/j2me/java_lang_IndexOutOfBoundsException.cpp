#include "pb_src/j2me/java_lang_IndexOutOfBoundsException.h"

VM_DEFINE_CLASS(java::lang::IndexOutOfBoundsException, "java.lang.IndexOutOfBoundsException", "java.lang.RuntimeException", VM_NO_CLINIT)
