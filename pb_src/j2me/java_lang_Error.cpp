#include "pb_src/j2me/java_lang_Error.h"

VM_DEFINE_CLASS(java::lang::Error, "java.lang.Error", "java.lang.Throwable", VM_NO_CLINIT)
