#pragma once

// javax::microedition::rms::RecordEnumerationImpl: the enumeration enumerateRecords gives.
// It holds only record ids, in enumeration order, and reads each record from the store
// whenever the filter, the comparator or the caller needs it. Kept updated, it listens to
// its store and places added and changed records at once; otherwise it sees the store as at
// its last rebuild. index -1 stands before the first id (for next) and after the last (for
// previous). A destroyed enumeration (no store) refuses every operation with
// IllegalStateException.
//
// Cursor steps, numRecords, destroy and the listener callbacks hold the enumeration's
// monitor; store notifications arrive with the store's listener monitor held, so the lock
// order is the store's list first, then the enumeration.

#include <cstdint>

#include "pb_src/j2me/javax_microedition_rms_RecordEnumeration.h"
#include "pb_src/j2me/javax_microedition_rms_RecordListener.h"
#include "pb_src/j2me/javax_microedition_rms_RecordStore.h"

namespace javax::microedition::rms {

class RecordEnumerationImpl : public virtual ::java::lang::Object,
                              public virtual RecordEnumeration,
                              public virtual RecordListener {
    VM_CLASS(RecordEnumerationImpl, ::java::lang::Object)
    using ByteArray = VMArray<int8_t, 1>;
    using IntArray = VMArray<int32_t, 1>;

    // Registers with the store when kept updated, then rebuilds.
    VMPtr<RecordEnumerationImpl> _VM_init(VMPtr<RecordStore> store, VMPtr<RecordFilter> filter,
                                          VMPtr<RecordComparator> comparator, bool keepUpdated);

    int32_t numRecords() override;
    // InvalidRecordIDException past the end; the store's exceptions pass through
    // nextRecord and previousRecord with the cursor moved all the same.
    VMPtr<ByteArray> nextRecord() override;
    int32_t nextRecordId() override;
    VMPtr<ByteArray> previousRecord() override;
    int32_t previousRecordId() override;
    bool hasNextElement() override;
    bool hasPreviousElement() override;
    void reset() override;
    // Filters and sorts the store's ids anew, then resets. The store's exceptions from
    // listing its ids pass through and leave the enumeration as it was.
    void rebuild() override;
    void keepUpdated(bool keepUpdated) override;
    bool isKeptUpdated() override;
    void destroy() override;

    void recordAdded(VMPtr<RecordStore> recordStore, int32_t recordId) override;
    void recordChanged(VMPtr<RecordStore> recordStore, int32_t recordId) override;
    void recordDeleted(VMPtr<RecordStore> recordStore, int32_t recordId) override;

    void _VM_mark(uint32_t flags) override;

    VMPtr<RecordStore> recordStore{vmField()};
    VMPtr<RecordComparator> comparator{vmField()};
    VMPtr<RecordFilter> filter{vmField()};
    VMPtr<IntArray> records{vmField()};
    bool keptUpdated = false;
    int32_t index = 0;

private:
    void checkLive() const;
    VMPtr<ByteArray> recordAt(int32_t position);
    // Whether the filter (if any) takes the record; false when it cannot be read.
    bool accepts(int32_t recordId);
    // Sorts positions lo..hi inclusive by the comparator (not stable).
    void quickSort(int32_t lo, int32_t hi);
    bool isBefore(int32_t position, const VMPtr<ByteArray>& pivot);
    bool isAfter(int32_t position, const VMPtr<ByteArray>& pivot);
    void swap(int32_t a, int32_t b);
    // Adds a filtered id at the front, then moves it into order.
    void filterAdd(int32_t recordId);
    int32_t sortAdd();
    int32_t findIndex(int32_t recordId) const;
    void removeIndex(int32_t position);
};

}  // namespace javax::microedition::rms
