#include "pb_src/j2me/java_lang_ArrayIndexOutOfBoundsException.h"

VM_DEFINE_CLASS(java::lang::ArrayIndexOutOfBoundsException, "java.lang.ArrayIndexOutOfBoundsException",
                "java.lang.IndexOutOfBoundsException", VM_NO_CLINIT)
