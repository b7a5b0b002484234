#include "pb_src/j2me/java_lang_InstantiationException.h"

VM_DEFINE_CLASS(java::lang::InstantiationException, "java.lang.InstantiationException", "java.lang.Exception", VM_NO_CLINIT)
