#include "pb_src/j2me/java_util_HashtableEntry.h"

// Compiled with Hashtable, whose entries these are.
VM_DEFINE_CLASS_IN(java::util::HashtableEntry, "java.util.HashtableEntry", "java.lang.Object", VM_NO_CLINIT,
                   "java_util_Hashtable")
