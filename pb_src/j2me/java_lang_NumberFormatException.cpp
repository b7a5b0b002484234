#include "pb_src/j2me/java_lang_NumberFormatException.h"

VM_DEFINE_CLASS(java::lang::NumberFormatException, "java.lang.NumberFormatException", "java.lang.IllegalArgumentException", VM_NO_CLINIT)
