#pragma once

// javax::microedition::rms::RecordEnumeration: a two-way cursor over the ids of a store's
// records (RecordEnumerationImpl is the one implementation).

#include <cstdint>

#include "lib_src/vm/VMArray.h"

namespace javax::microedition::rms {

class RecordEnumeration : public virtual ::java::lang::Object {
    VM_INTERFACE(RecordEnumeration)
    virtual int32_t numRecords() = 0;
    virtual VMPtr<VMArray<int8_t, 1>> nextRecord() = 0;
    virtual int32_t nextRecordId() = 0;
    virtual VMPtr<VMArray<int8_t, 1>> previousRecord() = 0;
    virtual int32_t previousRecordId() = 0;
    virtual bool hasNextElement() = 0;
    virtual bool hasPreviousElement() = 0;
    virtual void reset() = 0;
    virtual void rebuild() = 0;
    virtual void keepUpdated(bool keepUpdated) = 0;
    virtual bool isKeptUpdated() = 0;
    virtual void destroy() = 0;
};

}  // namespace javax::microedition::rms
