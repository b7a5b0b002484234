#include "pb_src/j2me/java_lang_NullPointerException.h"

VM_DEFINE_CLASS(java::lang::NullPointerException, "java.lang.NullPointerException", "java.lang.RuntimeException", VM_NO_CLINIT)
