#include "pb_src/j2me/java_lang_ClassCastException.h"

VM_DEFINE_CLASS(java::lang::ClassCastException, "java.lang.ClassCastException", "java.lang.RuntimeException", VM_NO_CLINIT)
