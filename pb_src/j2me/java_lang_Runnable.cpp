#include "pb_src/j2me/java_lang_Runnable.h"

VM_DEFINE_INTERFACE(java::lang::Runnable, "java.lang.Runnable", VM_NO_CLINIT)
