#include "pb_src/j2me/javax_microedition_rms_RecordEnumerationImpl.h"

#include "lib_src/vm/VMException.h"
#include "lib_src/vm/VMMonitor.h"
#include "pb_src/j2me/java_lang_IllegalStateException.h"
#include "pb_src/j2me/java_lang_System.h"
#include "pb_src/j2me/javax_microedition_rms_InvalidRecordIDException.h"

namespace javax::microedition::rms {

VM_DEFINE_CLASS(RecordEnumerationImpl, "javax.microedition.rms.RecordEnumerationImpl", "java.lang.Object",
                VM_NO_CLINIT)
VM_IMPLEMENTS(RecordEnumerationImpl, "javax.microedition.rms.RecordEnumeration")
VM_IMPLEMENTS(RecordEnumerationImpl, "javax.microedition.rms.RecordListener")

VMPtr<RecordEnumerationImpl> RecordEnumerationImpl::_VM_init(VMPtr<RecordStore> store, VMPtr<RecordFilter> recordFilter,
                                                             VMPtr<RecordComparator> recordComparator, bool keep) {
    Object::_VM_init();
    recordStore = store;
    filter = recordFilter;
    comparator = recordComparator;
    keptUpdated = keep;
    index = 0;
    if (keep) recordStore->addRecordListener(this);
    rebuild();
    return this;
}

void RecordEnumerationImpl::_VM_mark(uint32_t flags) {
    vmMarkField(recordStore, flags);
    vmMarkField(comparator, flags);
    vmMarkField(filter, flags);
    vmMarkField(records, flags);
}

void RecordEnumerationImpl::checkLive() const {
    if (!recordStore) vm::throwNew<java::lang::IllegalStateException>();
}

VMPtr<RecordEnumerationImpl::ByteArray> RecordEnumerationImpl::recordAt(int32_t position) {
    return recordStore->getRecord(records->at(position));
}

bool RecordEnumerationImpl::accepts(int32_t recordId) {
    if (!filter) return true;
    try {
        return filter->matches(recordStore->getRecord(recordId));
    } catch (RecordStoreException* unreadable) {
        VMPtr<RecordStoreException> held(unreadable);
        return false;
    }
}

void RecordEnumerationImpl::rebuild() {
    checkLive();
    VMPtr<IntArray> ids = recordStore->getRecordIDs();
    if (filter) {
        int32_t kept = 0;
        for (int32_t i = 0; i < ids->length; ++i)
            if (accepts(ids->at(i))) ids->elements()[kept++] = ids->at(i);
        VMPtr<IntArray> filtered = IntArray::_VM_new(kept);
        java::lang::System::arraycopy(ids, 0, filtered, 0, kept);
        ids = filtered;
    }
    records = ids;
    if (comparator) {
        try {
            quickSort(0, records->length - 1);
        } catch (RecordStoreException* unreadable) {
            VMPtr<RecordStoreException> held(unreadable);  // the sort stops where it stands
        }
    }
    reset();
}

bool RecordEnumerationImpl::isBefore(int32_t position, const VMPtr<ByteArray>& pivot) {
    return comparator->compare(recordAt(position), pivot) == RecordComparator::PRECEDES;
}

bool RecordEnumerationImpl::isAfter(int32_t position, const VMPtr<ByteArray>& pivot) {
    return comparator->compare(recordAt(position), pivot) == RecordComparator::FOLLOWS;
}

void RecordEnumerationImpl::swap(int32_t a, int32_t b) {
    int32_t* ids = records->elements();
    const int32_t kept = ids[a];
    ids[a] = ids[b];
    ids[b] = kept;
}

void RecordEnumerationImpl::quickSort(int32_t lo, int32_t hi) {
    if (lo >= hi) return;
    VMPtr<ByteArray> pivot = recordAt(lo + (hi - lo) / 2);
    int32_t i = lo, j = hi;
    do {
        while (i < hi && isBefore(i, pivot)) ++i;
        while (j > lo && isAfter(j, pivot)) --j;
        if (j < i) break;
        swap(i++, j--);
    } while (i <= j);
    if (lo < j) quickSort(lo, j);
    if (i < hi) quickSort(i, hi);
}

void RecordEnumerationImpl::filterAdd(int32_t recordId) {
    if (!accepts(recordId)) return;
    const int32_t length = records->length;
    VMPtr<IntArray> grown = IntArray::_VM_new(length + 1);
    grown->elements()[0] = recordId;
    java::lang::System::arraycopy(records, 0, grown, 1, length);
    records = grown;
    int32_t position = -1;
    if (comparator) {
        try {
            position = sortAdd();
        } catch (RecordStoreException* unreadable) {
            VMPtr<RecordStoreException> held(unreadable);
        }
    }
    if (index != -1 && position <= index) ++index;
}

// Moves the id at position 0 forward past every record it follows: among equivalent
// records a new one comes first.
int32_t RecordEnumerationImpl::sortAdd() {
    int32_t i = 0;
    while (i < records->length - 1) {
        VMPtr<ByteArray> next = recordAt(i + 1);
        if (comparator->compare(recordAt(i), next) != RecordComparator::FOLLOWS) break;
        swap(i, i + 1);
        ++i;
    }
    return i;
}

int32_t RecordEnumerationImpl::findIndex(int32_t recordId) const {
    for (int32_t i = records->length - 1; i >= 0; --i)
        if (records->at(i) == recordId) return i;
    return -1;
}

void RecordEnumerationImpl::removeIndex(int32_t position) {
    const int32_t length = records->length;
    VMPtr<IntArray> shrunk = IntArray::_VM_new(length - 1);
    java::lang::System::arraycopy(records, 0, shrunk, 0, position);
    java::lang::System::arraycopy(records, position + 1, shrunk, position, length - position - 1);
    records = shrunk;
    if (index != -1 && position <= index) --index;
}

void RecordEnumerationImpl::recordAdded(VMPtr<RecordStore>, int32_t recordId) {
    VM_SYNCHRONIZED(this);
    checkLive();
    filterAdd(recordId);
}

void RecordEnumerationImpl::recordChanged(VMPtr<RecordStore>, int32_t recordId) {
    VM_SYNCHRONIZED(this);
    checkLive();
    const int32_t position = findIndex(recordId);
    if (position >= 0) removeIndex(position);
    filterAdd(recordId);
}

void RecordEnumerationImpl::recordDeleted(VMPtr<RecordStore>, int32_t recordId) {
    VM_SYNCHRONIZED(this);
    checkLive();
    const int32_t position = findIndex(recordId);
    if (position >= 0) removeIndex(position);
}

int32_t RecordEnumerationImpl::numRecords() {
    VM_SYNCHRONIZED(this);
    checkLive();
    return records->length;
}

int32_t RecordEnumerationImpl::nextRecordId() {
    VM_SYNCHRONIZED(this);
    checkLive();
    if (index == records->length - 1) vm::throwNew<InvalidRecordIDException>();
    return records->at(++index);
}

int32_t RecordEnumerationImpl::previousRecordId() {
    VM_SYNCHRONIZED(this);
    checkLive();
    if (index == 0 || records->length == 0) vm::throwNew<InvalidRecordIDException>();
    index = index == -1 ? records->length - 1 : index - 1;
    return records->at(index);
}

VMPtr<RecordEnumerationImpl::ByteArray> RecordEnumerationImpl::nextRecord() {
    VM_SYNCHRONIZED(this);
    const int32_t id = nextRecordId();
    return recordStore->getRecord(id);
}

VMPtr<RecordEnumerationImpl::ByteArray> RecordEnumerationImpl::previousRecord() {
    VM_SYNCHRONIZED(this);
    const int32_t id = previousRecordId();
    return recordStore->getRecord(id);
}

bool RecordEnumerationImpl::hasNextElement() {
    checkLive();
    if (records->length == 0 || index == records->length - 1) return false;
    return recordStore->isOpen();
}

bool RecordEnumerationImpl::hasPreviousElement() {
    checkLive();
    if (records->length == 0 || index == 0) return false;
    return recordStore->isOpen();
}

void RecordEnumerationImpl::reset() {
    checkLive();
    index = -1;
}

void RecordEnumerationImpl::keepUpdated(bool keep) {
    checkLive();
    if (keep == keptUpdated) return;
    keptUpdated = keep;
    if (keep) {
        recordStore->addRecordListener(this);
        rebuild();
    } else {
        recordStore->removeRecordListener(this);
    }
}

bool RecordEnumerationImpl::isKeptUpdated() {
    checkLive();
    return keptUpdated;
}

void RecordEnumerationImpl::destroy() {
    VM_SYNCHRONIZED(this);
    checkLive();
    if (keptUpdated) recordStore->removeRecordListener(this);
    recordStore = nullptr;
    comparator = nullptr;
    filter = nullptr;
    records = nullptr;
}

}  // namespace javax::microedition::rms
