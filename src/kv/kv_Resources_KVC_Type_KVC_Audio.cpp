#include "src/kv/kv_Resources_KVC_Type_KVC_Audio.h"

VM_DEFINE_INTERFACE(kv::Resources_KVC_Type_KVC_Audio, "kv.Resources$Type$Audio", VM_NO_CLINIT)
