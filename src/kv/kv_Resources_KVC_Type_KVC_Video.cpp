#include "src/kv/kv_Resources_KVC_Type_KVC_Video.h"

VM_DEFINE_INTERFACE(kv::Resources_KVC_Type_KVC_Video, "kv.Resources$Type$Video", VM_NO_CLINIT)
