#include "hal/base/VMCallbacks.h"

namespace {

int defaultInitVM(uint64_t, uint64_t, HALThread*, const char*, int) { return 0; }
int defaultDispatchEvent(int, int, void*) { return 0; }
void doNothing() {}

constexpr VMCallbacks kDefaults{defaultInitVM, defaultDispatchEvent, doNothing,
                                doNothing,     doNothing,            doNothing};

VMCallbacks installed = kDefaults;

template <typename F> F orDefault(F given, F fallback) { return given ? given : fallback; }

}  // namespace

void HAL_setVMCallbacks(const VMCallbacks* table) {
    VMCallbacks given = table ? *table : VMCallbacks{};
    installed.initVM = orDefault(given.initVM, kDefaults.initVM);
    installed.dispatchEvent = orDefault(given.dispatchEvent, kDefaults.dispatchEvent);
    installed.yield = orDefault(given.yield, kDefaults.yield);
    installed.makeCurrent = orDefault(given.makeCurrent, kDefaults.makeCurrent);
    installed.collect = orDefault(given.collect, kDefaults.collect);
    installed.destroyVM = orDefault(given.destroyVM, kDefaults.destroyVM);
}

const VMCallbacks& HAL_vmCallbacks() { return installed; }

void HAL_callbackCollect() { installed.collect(); }
