#include "src/kv/kv_Resources_KVC_Type_KVC_Kelvane.h"

VM_DEFINE_INTERFACE(kv::Resources_KVC_Type_KVC_Kelvane, "kv.Resources$Type$Kelvane", VM_NO_CLINIT)
