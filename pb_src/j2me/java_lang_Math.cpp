#include "pb_src/j2me/java_lang_Math.h"

VM_DEFINE_CLASS_WITHOUT_FACTORY(java::lang::Math, "java.lang.Math", "java.lang.Object", VM_NO_CLINIT)
