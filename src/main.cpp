// The program's entry. At this stage only the platform base exists: the program reports
// what it reads from the platform (memory budget, locale, clocks, device id) and exits.

#include <cstdio>

#include "hal/base/DeviceId.h"
#include "hal/base/HALThread.h"
#include "hal/base/Locale.h"
#include "hal/base/Memory.h"
#include "hal/base/MemoryBudget.h"
#include "hal/base/SystemClock.h"
#include "hal/base/VMLock.h"

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

    std::printf("ostrel: platform base only; the runtime and the game are not built yet.\n");
    std::printf("heap first limit %llu bytes, ceiling %llu bytes\n",
                (unsigned long long)heapLimit, (unsigned long long)heapCeiling);
    std::printf("locale %s\n", locale ? locale : "(unknown)");
    std::printf("UTC %lld ms, zone offset %d ms\n", (long long)HAL_currentTimeMillis(),
                HAL_getTimeZoneOffset());
    std::printf("device id ");
    for (uint32_t i = 0; hasId && i < idLength; ++i) std::putchar(char(id[i]));
    std::printf("%s\n", hasId ? "" : "(none)");

    HAL_free(locale);
    HAL_leaveVMLock();
    HAL_deleteMainThreadRecord(mainThread);
    return 0;
}
