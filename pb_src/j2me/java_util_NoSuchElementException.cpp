#include "pb_src/j2me/java_util_NoSuchElementException.h"

VM_DEFINE_CLASS(java::util::NoSuchElementException, "java.util.NoSuchElementException", "java.lang.RuntimeException", VM_NO_CLINIT)
