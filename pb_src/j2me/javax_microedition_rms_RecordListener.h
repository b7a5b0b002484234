#pragma once

// javax::microedition::rms::RecordListener: told of each successful change of a store it
// is registered with, on the thread that made the change.

#include <cstdint>

#include "lib_src/vm/VMClass.h"

namespace javax::microedition::rms {

class RecordStore;

class RecordListener : public virtual ::java::lang::Object {
    VM_INTERFACE(RecordListener)
    virtual void recordAdded(VMPtr<RecordStore> recordStore, int32_t recordId) = 0;
    virtual void recordChanged(VMPtr<RecordStore> recordStore, int32_t recordId) = 0;
    virtual void recordDeleted(VMPtr<RecordStore> recordStore, int32_t recordId) = 0;
};

}  // namespace javax::microedition::rms
