#include "pb_src/j2me/java_util_Enumeration.h"

VM_DEFINE_INTERFACE(java::util::Enumeration, "java.util.Enumeration", VM_NO_CLINIT)
