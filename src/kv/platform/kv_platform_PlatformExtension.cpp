#include "src/kv/platform/kv_platform_PlatformExtension.h"

namespace kv::platform {

VM_DEFINE_INTERFACE(PlatformExtension, "kv.platform.PlatformExtension", VM_NO_CLINIT)

}  // namespace kv::platform
