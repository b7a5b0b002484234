#include "pb_src/j2me/java_lang_StringIndexOutOfBoundsException.h"

VM_DEFINE_CLASS(java::lang::StringIndexOutOfBoundsException, "java.lang.StringIndexOutOfBoundsException",
                "java.lang.IndexOutOfBoundsException", VM_NO_CLINIT)
