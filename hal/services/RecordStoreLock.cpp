#include "hal/services/RecordStoreLock.h"

std::recursive_mutex& HAL_recordStoreLock() {
    // Never deleted: threads left parked at exit may still reach it.
    static std::recursive_mutex* const lock = new std::recursive_mutex;
    return *lock;
}

void HAL_createRecordStoreLock() { HAL_recordStoreLock(); }
