// The program's entry. At this stage the program reports what it reads from the platform
// (memory budget, locale, clocks, device id, the property files and the device identity)
// and exits.

#include <cstdio>
#include <string>

#include "hal/base/DeviceId.h"
#include "hal/base/HALThread.h"
#include "hal/base/Locale.h"
#include "hal/base/Memory.h"
#include "hal/base/MemoryBudget.h"
#include "hal/base/SystemClock.h"
#include "hal/base/VMLock.h"
#include "hal/services/DeviceIdentity.h"
#include "hal/services/Properties.h"
#include "hal/services/Utf8.h"

namespace {

std::string utf8(const char16_t* text) {
    size_t length = 0;
    while (text[length] != 0) ++length;
    return HAL_utf16ToUtf8(text, length);
}

}  // namespace

int main() {
    HALThread* mainThread = nullptr;
    HAL_createMainThreadRecord(&mainThread);
    HAL_enterVMLock();

    uint64_t first, heapLimit, heapCeiling;
    HAL_getMemoryBudget(&first, &heapLimit, &heapCeiling);
    char* locale = HAL_getLocale();
    char16_t id[40];
    uint32_t idLength = 40;
    const bool hasId = HAL_getDeviceUniqueId(id, &idLength) == 0;

    HAL_addPlatformProperties();
    const char16_t* name = HAL_getMIDletName();

    std::printf("ostrel: platform base and services only; the runtime is not started and the game is not built yet.\n");
    std::printf("application %s\n", utf8(name).c_str());
    std::printf("device model %s (device id %d), %s %s\n", utf8(HAL_getDeviceModel()).c_str(), int(HAL_getDeviceId()),
                utf8(HAL_getOSName()).c_str(), utf8(HAL_getOSVersion()).c_str());
    std::printf("heap first limit %llu bytes, ceiling %llu bytes\n",
                (unsigned long long)heapLimit, (unsigned long long)heapCeiling);
    std::printf("locale %s\n", locale ? locale : "(unknown)");
    std::printf("UTC %lld ms, zone offset %d ms\n", (long long)HAL_currentTimeMillis(),
                HAL_getTimeZoneOffset());
    std::printf("device id ");
    for (uint32_t i = 0; hasId && i < idLength; ++i) std::putchar(char(id[i]));
    std::printf("%s\n", hasId ? "" : "(none)");

    HAL_free(locale);
    HAL_releaseMIDletName(name);
    HAL_freeProperties();
    HAL_leaveVMLock();
    HAL_deleteMainThreadRecord(mainThread);
    return 0;
}
