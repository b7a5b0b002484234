#include "src/kv/kv_Resources_KVC_Type.h"

VM_DEFINE_INTERFACE(kv::Resources_KVC_Type, "kv.Resources$Type", VM_NO_CLINIT)
