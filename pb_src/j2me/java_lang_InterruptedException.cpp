#include "pb_src/j2me/java_lang_InterruptedException.h"

VM_DEFINE_CLASS(java::lang::InterruptedException, "java.lang.InterruptedException", "java.lang.Exception", VM_NO_CLINIT)
