#pragma once

// javax::microedition::rms::RecordStore: a named store of records (byte arrays with int
// ids) over the platform's crash-safe record stores. Each open makes a new object with a
// handle of its own; the platform shares one store per name, so two objects open on one
// store see one set of records and one id counter. An object is open exactly while it has
// its handle; a collected object that was never closed lets its handle go.
//
// Record-store exceptions carry no message. A failed change leaves the store as it was and
// tells no listener; a successful one is told to every listener once, on the changing
// thread, with the listener list's monitor held. Nothing is ever written beyond a caller's
// array.

#include <cstdint>

#include "lib_src/vm/VMArray.h"
#include "pb_src/j2me/java_lang_String.h"
#include "pb_src/j2me/java_util_Vector.h"
#include "pb_src/j2me/javax_microedition_rms_RecordComparator.h"
#include "pb_src/j2me/javax_microedition_rms_RecordEnumeration.h"
#include "pb_src/j2me/javax_microedition_rms_RecordFilter.h"
#include "pb_src/j2me/javax_microedition_rms_RecordListener.h"

struct HALRecordStore;

namespace javax::microedition::rms {

class RecordStore : public virtual ::java::lang::Object {
    VM_CLASS(RecordStore, ::java::lang::Object)
    using String = ::java::lang::String;
    using ByteArray = VMArray<int8_t, 1>;
    using IntArray = VMArray<int32_t, 1>;

    static constexpr int32_t kMaxNameLength = 32;

    // A new open object. NullPointerException for a null name, IllegalArgumentException for
    // an empty one or one longer than 32 characters; RecordStoreNotFoundException when the
    // store does not exist and create is false.
    static VMPtr<RecordStore> openRecordStore(VMPtr<String> recordStoreName, bool createIfNecessary);
    // RecordStoreNotFoundException when there is no such store. Open objects of the store
    // are not looked at.
    static void deleteRecordStore(VMPtr<String> recordStoreName);
    // The names of every store, or null when there is none.
    static VMPtr<VMArray<String*, 1>> listRecordStores();

    VMPtr<RecordStore> _VM_init(VMPtr<String> name, HALRecordStore* store);
    ~RecordStore() override;

    virtual void setMode(int32_t authmode, bool writable) {}
    virtual void closeRecordStore();
    virtual VMPtr<String> getName();
    virtual int32_t getVersion();
    virtual int32_t getNumRecords();
    virtual int32_t getSize();
    virtual int32_t getSizeAvailable();
    virtual int64_t getLastModified();
    // A listener already registered is not added twice. Works on a closed store too.
    virtual void addRecordListener(VMPtr<RecordListener> listener);
    virtual void removeRecordListener(VMPtr<RecordListener> listener);
    virtual int32_t getNextRecordID();
    // data may be null only with numBytes 0 (an empty record); the range is checked
    // without overflow (ArrayIndexOutOfBoundsException).
    virtual int32_t addRecord(VMPtr<ByteArray> data, int32_t offset, int32_t numBytes);
    virtual void deleteRecord(int32_t recordId);
    virtual int32_t getRecordSize(int32_t recordId);
    // A new array of exactly the record's length (never null).
    virtual VMPtr<ByteArray> getRecord(int32_t recordId);
    // Copies the record into buffer from offset and returns its length. NullPointerException
    // for a null buffer, ArrayIndexOutOfBoundsException for an offset outside it or a
    // record longer than the room from offset to the end (nothing is written then).
    virtual int32_t getRecord(int32_t recordId, VMPtr<ByteArray> buffer, int32_t offset);
    virtual void setRecord(int32_t recordId, VMPtr<ByteArray> newData, int32_t offset, int32_t numBytes);
    virtual VMPtr<RecordEnumeration> enumerateRecords(VMPtr<RecordFilter> filter, VMPtr<RecordComparator> comparator,
                                                      bool keepUpdated);
    virtual bool isOpen() { return nativeStore != nullptr; }
    // Every record id, in the platform's listing order (ascending).
    virtual VMPtr<IntArray> getRecordIDs();

    void _VM_mark(uint32_t flags) override;

    VMPtr<String> name{vmField()};
    HALRecordStore* nativeStore = nullptr;
    VMPtr<::java::util::Vector> recordListeners{vmField()};

private:
    enum class Change { Added, Changed, Deleted };

    void checkOpen() const;
    // The checks addRecord and setRecord share, in their order.
    void checkData(const VMPtr<ByteArray>& data, int32_t offset, int32_t numBytes) const;
    void notifyListeners(Change change, int32_t recordId);
};

}  // namespace javax::microedition::rms
