#include "pb_src/j2me/java_lang_ArrayStoreException.h"

VM_DEFINE_CLASS(java::lang::ArrayStoreException, "java.lang.ArrayStoreException", "java.lang.RuntimeException", VM_NO_CLINIT)
