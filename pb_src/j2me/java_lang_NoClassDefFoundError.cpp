#include "pb_src/j2me/java_lang_NoClassDefFoundError.h"

VM_DEFINE_CLASS(java::lang::NoClassDefFoundError, "java.lang.NoClassDefFoundError", "java.lang.Error", VM_NO_CLINIT)
