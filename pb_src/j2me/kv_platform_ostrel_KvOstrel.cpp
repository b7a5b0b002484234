#include "pb_src/j2me/kv_platform_ostrel_KvOstrel.h"

#include "hal/base/FatalError.h"
#include "hal/base/KeepAlive.h"
#include "hal/display/Displays.h"
#include "pb_src/j2me/javax_microedition_media_Manager.h"

namespace kv::platform::ostrel {

VM_DEFINE_CLASS(KvOstrel, "kv.platform.ostrel.KvOstrel", "java.lang.Object", VM_NO_CLINIT)

namespace {
constexpr int kOrientationNotPossible = 8;
}

int32_t KvOstrel::getOrientation() {
    int32_t code = 0;
    if (HAL_getOrientation(&code) != 0) HAL_fatalError("HAL_getOrientation() failed.");
    return code;
}

bool KvOstrel::setOrientation(int32_t code) {
    const int result = HAL_setOrientation(code);
    if (result == 0) return true;
    if (result == kOrientationNotPossible) return false;
    HAL_fatalError("HAL_setOrientation() failed.");
}

void KvOstrel::setFlag(bool b) { HAL_setKeepAlive(b ? 0 : 1); }

VMPtr<::javax::microedition::media::Player> KvOstrel::createPlayer(VMPtr<VMArray<int8_t, 1>> data, int32_t offset, int32_t length,
                                                                   VMPtr<::java::lang::String> contentType) {
    return ::javax::microedition::media::Manager::createPlayer(data, offset, length, contentType);
}

}  // namespace kv::platform::ostrel
