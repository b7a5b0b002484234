#include "hal/services/RecordStoreFaults.h"

#include <atomic>

namespace {

std::atomic<RecordStoreFaultHook> installedHook{nullptr};

}  // namespace

void HAL_setRecordStoreFaultHook(RecordStoreFaultHook hook) { installedHook.store(hook); }

int HAL_recordStoreStep(RecordStoreStep step, const char* name) {
    const RecordStoreFaultHook hook = installedHook.load();
    return hook == nullptr ? 0 : hook(step, name);
}
