#include "pb_src/j2me/java_lang_IllegalAccessException.h"

VM_DEFINE_CLASS(java::lang::IllegalAccessException, "java.lang.IllegalAccessException", "java.lang.Exception", VM_NO_CLINIT)
