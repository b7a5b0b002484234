#include "pb_src/j2me/javax_microedition_rms_RecordStore.h"

#include "hal/base/FatalError.h"
#include "hal/services/RecordStores.h"
#include "lib_src/vm/VMException.h"
#include "lib_src/vm/VMMonitor.h"
#include "pb_src/j2me/java_lang_ArrayIndexOutOfBoundsException.h"
#include "pb_src/j2me/java_lang_IllegalArgumentException.h"
#include "pb_src/j2me/java_lang_NullPointerException.h"
#include "pb_src/j2me/javax_microedition_rms_InvalidRecordIDException.h"
#include "pb_src/j2me/javax_microedition_rms_RecordEnumerationImpl.h"
#include "pb_src/j2me/javax_microedition_rms_RecordStoreNotFoundException.h"
#include "pb_src/j2me/javax_microedition_rms_RecordStoreNotOpenException.h"

namespace javax::microedition::rms {

VM_DEFINE_CLASS(RecordStore, "javax.microedition.rms.RecordStore", "java.lang.Object", VM_NO_CLINIT)

namespace {

constexpr int kNotFound = 4;
constexpr int kBadArgument = 2;
constexpr int32_t kListedNameRoom = 34;

// Record reads, sizes and deletions: 4 is a missing record, anything else a store failure.
void checkRecordResult(int result) {
    if (result == kNotFound) vm::throwNew<InvalidRecordIDException>();
    if (result != 0) vm::throwNew<RecordStoreException>();
}

// Store opening and deletion: 4 is a missing store.
void checkStoreResult(int result) {
    if (result == kNotFound) vm::throwNew<RecordStoreNotFoundException>();
    if (result != 0) vm::throwNew<RecordStoreException>();
}

// A store attribute the platform cannot give ends the process: the store is known open.
template <typename T> T attribute(int (*get)(HALRecordStore*, T*), HALRecordStore* store, const char* failure) {
    T value{};
    if (get(store, &value) != 0) HAL_fatalError(failure);
    return value;
}

}  // namespace

VMPtr<RecordStore> RecordStore::openRecordStore(VMPtr<String> recordStoreName, bool createIfNecessary) {
    if (!recordStoreName) vm::throwNew<java::lang::NullPointerException>();
    const int32_t length = recordStoreName->length();
    if (length < 1 || length > kMaxNameLength) vm::throwNew<java::lang::IllegalArgumentException>();
    HALRecordStore* store = nullptr;
    checkStoreResult(HAL_openRecordStore(&store, recordStoreName->chars(), length, createIfNecessary ? 1 : 0));
    try {
        return RecordStore::_VM_new()->_VM_init(recordStoreName, store);
    } catch (...) {
        HAL_closeRecordStore(store);  // the object could not be made: nobody else would
        throw;
    }
}

void RecordStore::deleteRecordStore(VMPtr<String> recordStoreName) {
    if (!recordStoreName) vm::throwNew<java::lang::NullPointerException>();
    checkStoreResult(HAL_deleteRecordStore(recordStoreName->chars(), recordStoreName->length()));
}

VMPtr<VMArray<java::lang::String*, 1>> RecordStore::listRecordStores() {
    const int32_t count = HAL_getNumRecordStores();
    if (count <= 0) return nullptr;
    VMPtr<VMArray<String*, 1>> names = VMArray<String*, 1>::_VM_new(count);
    for (int32_t n = 1; n <= count; ++n) {
        char16_t buffer[kListedNameRoom];
        int32_t length = kListedNameRoom;
        if (HAL_getNthRecordStoreName(n, buffer, &length) != 0)
            HAL_fatalError("HAL_getNthRecordStoreName() failed in listRecordStores!");
        names->set(n - 1, String::_VM_new()->_VM_init(buffer, length));
    }
    return names;
}

VMPtr<RecordStore> RecordStore::_VM_init(VMPtr<String> storeName, HALRecordStore* store) {
    Object::_VM_init();
    name = storeName;
    nativeStore = store;
    recordListeners = java::util::Vector::_VM_new()->_VM_init(3);
    return this;
}

RecordStore::~RecordStore() {
    if (nativeStore) HAL_closeRecordStore(nativeStore);
}

void RecordStore::_VM_mark(uint32_t flags) {
    vmMarkField(name, flags);
    vmMarkField(recordListeners, flags);
}

void RecordStore::checkOpen() const {
    if (nativeStore == nullptr) vm::throwNew<RecordStoreNotOpenException>();
}

void RecordStore::closeRecordStore() {
    checkOpen();
    HAL_closeRecordStore(nativeStore);
    nativeStore = nullptr;
}

VMPtr<java::lang::String> RecordStore::getName() {
    checkOpen();
    return name;
}

int32_t RecordStore::getVersion() {
    checkOpen();
    return attribute(HAL_getRecordStoreVersion, nativeStore, "HAL_getRecordStoreVersion() failed in getVersion!");
}

int32_t RecordStore::getNumRecords() {
    checkOpen();
    return attribute(HAL_getNumRecords, nativeStore, "HAL_getNumRecords() failed in getNumRecords!");
}

int32_t RecordStore::getSize() {
    checkOpen();
    return attribute(HAL_getRecordStoreSize, nativeStore, "HAL_getRecordStoreSize() failed in getSize!");
}

int32_t RecordStore::getSizeAvailable() {
    checkOpen();
    return attribute(HAL_getRecordStoreSizeAvailable, nativeStore,
                     "HAL_getRecordStoreSizeAvailable() failed in getSizeAvailable!");
}

int64_t RecordStore::getLastModified() {
    checkOpen();
    return attribute(HAL_getRecordStoreLastModified, nativeStore,
                     "HAL_getRecordStoreLastModified() failed in getLastModified!");
}

int32_t RecordStore::getNextRecordID() {
    checkOpen();
    return attribute(HAL_getNextRecordID, nativeStore, "HAL_getNextRecordID() failed in getNextRecordID!");
}

void RecordStore::addRecordListener(VMPtr<RecordListener> listener) {
    VM_SYNCHRONIZED(recordListeners.get());
    if (!recordListeners->contains(listener)) recordListeners->addElement(listener);
}

void RecordStore::removeRecordListener(VMPtr<RecordListener> listener) {
    VM_SYNCHRONIZED(recordListeners.get());
    recordListeners->removeElement(listener);
}

void RecordStore::notifyListeners(Change change, int32_t recordId) {
    VM_SYNCHRONIZED(recordListeners.get());
    VMPtr<RecordStore> self(this);
    const int32_t size = recordListeners->size();
    for (int32_t i = 0; i < size; ++i) {
        VMPtr<Object> element = recordListeners->elementAt(i);
        auto* listener = dynamic_cast<RecordListener*>(element.get());
        if (listener == nullptr) continue;
        if (change == Change::Added) listener->recordAdded(self, recordId);
        else if (change == Change::Changed) listener->recordChanged(self, recordId);
        else listener->recordDeleted(self, recordId);
    }
}

void RecordStore::checkData(const VMPtr<ByteArray>& data, int32_t offset, int32_t numBytes) const {
    if (!data && numBytes != 0) vm::throwNew<java::lang::NullPointerException>();
    checkOpen();
    // Subtraction form: offset + numBytes could pass INT32_MAX.
    if (offset < 0 || numBytes < 0 || (data && numBytes > data->length - offset))
        vm::throwNew<java::lang::ArrayIndexOutOfBoundsException>();
}

int32_t RecordStore::addRecord(VMPtr<ByteArray> data, int32_t offset, int32_t numBytes) {
    checkData(data, offset, numBytes);
    int32_t id = 0;
    const int8_t* bytes = data ? data->elements() + offset : nullptr;
    if (HAL_addRecord(nativeStore, &id, bytes, data ? numBytes : 0) != 0) vm::throwNew<RecordStoreException>();
    notifyListeners(Change::Added, id);
    return id;
}

void RecordStore::setRecord(int32_t recordId, VMPtr<ByteArray> newData, int32_t offset, int32_t numBytes) {
    checkData(newData, offset, numBytes);
    const int8_t* bytes = newData ? newData->elements() + offset : nullptr;
    if (HAL_setRecord(nativeStore, recordId, bytes, newData ? numBytes : 0) != 0) vm::throwNew<RecordStoreException>();
    notifyListeners(Change::Changed, recordId);
}

void RecordStore::deleteRecord(int32_t recordId) {
    checkOpen();
    checkRecordResult(HAL_deleteRecord(nativeStore, recordId));
    notifyListeners(Change::Deleted, recordId);
}

int32_t RecordStore::getRecordSize(int32_t recordId) {
    checkOpen();
    int32_t size = 0;
    checkRecordResult(HAL_getRecordSize(nativeStore, recordId, &size));
    return size;
}

VMPtr<RecordStore::ByteArray> RecordStore::getRecord(int32_t recordId) {
    const int32_t size = getRecordSize(recordId);
    VMPtr<ByteArray> record = ByteArray::_VM_new(size);
    int32_t length = size;
    checkRecordResult(HAL_getRecord(nativeStore, recordId, record->elements(), &length));
    return record;
}

int32_t RecordStore::getRecord(int32_t recordId, VMPtr<ByteArray> buffer, int32_t offset) {
    checkOpen();
    if (!buffer) vm::throwNew<java::lang::NullPointerException>();
    if (offset < 0 || offset > buffer->length) vm::throwNew<java::lang::ArrayIndexOutOfBoundsException>();
    int32_t length = buffer->length - offset;
    const int result = HAL_getRecord(nativeStore, recordId, buffer->elements() + offset, &length);
    // 2 with the room given: the record is longer than the room, and nothing was copied.
    if (result == kBadArgument) vm::throwNew<java::lang::ArrayIndexOutOfBoundsException>();
    checkRecordResult(result);
    return length;
}

VMPtr<RecordEnumeration> RecordStore::enumerateRecords(VMPtr<RecordFilter> filter, VMPtr<RecordComparator> comparator,
                                                        bool keepUpdated) {
    checkOpen();
    return RecordEnumerationImpl::_VM_new()->_VM_init(this, filter, comparator, keepUpdated);
}

VMPtr<RecordStore::IntArray> RecordStore::getRecordIDs() {
    checkOpen();
    int32_t count = 0;
    if (HAL_getNumRecords(nativeStore, &count) != 0) vm::throwNew<RecordStoreException>();
    VMPtr<IntArray> ids = IntArray::_VM_new(count);
    for (int32_t n = 1; n <= count; ++n) {
        int32_t id = 0;
        if (HAL_getNthRecordID(nativeStore, n, &id) != 0) vm::throwNew<RecordStoreException>();
        ids->elements()[n - 1] = id;
    }
    return ids;
}

}  // namespace javax::microedition::rms
