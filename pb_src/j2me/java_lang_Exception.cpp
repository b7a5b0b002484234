#include "pb_src/j2me/java_lang_Exception.h"

VM_DEFINE_CLASS(java::lang::Exception, "java.lang.Exception", "java.lang.Throwable", VM_NO_CLINIT)
