#include "src/kv/kv_ResourcesExt.h"

VM_DEFINE_CLASS(kv::ResourcesExt, "kv.ResourcesExt", "java.lang.Object", VM_NO_CLINIT)
