#include "pb_src/j2me/java_lang_IllegalMonitorStateException.h"

VM_DEFINE_CLASS(java::lang::IllegalMonitorStateException, "java.lang.IllegalMonitorStateException", "java.lang.RuntimeException", VM_NO_CLINIT)
