#include "src/kv/kv_Resources_KVC_Type_KVC_Image.h"

VM_DEFINE_INTERFACE(kv::Resources_KVC_Type_KVC_Image, "kv.Resources$Type$Image", VM_NO_CLINIT)
