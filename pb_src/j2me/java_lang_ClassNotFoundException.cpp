#include "pb_src/j2me/java_lang_ClassNotFoundException.h"

VM_DEFINE_CLASS(java::lang::ClassNotFoundException, "java.lang.ClassNotFoundException", "java.lang.Exception", VM_NO_CLINIT)
