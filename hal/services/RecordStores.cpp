#include "hal/services/RecordStores.h"

#include <climits>
#include <memory>
#include <new>
#include <string>
#include <sys/statvfs.h>

#include "hal/base/HALResult.h"
#include "hal/services/DatabaseFolder.h"
#include "hal/services/OpenStoreTable.h"
#include "hal/services/RecordStoreFolder.h"
#include "hal/services/RecordStoreLock.h"
#include "hal/services/RecordStoreName.h"

struct HALRecordStore {
    std::shared_ptr<RecordStoreFolder> folder;
};

namespace {

using Guard = std::lock_guard<std::recursive_mutex>;

int64_t freeSpaceAt(const std::string& path) {
    struct statvfs info;
    return ::statvfs(path.c_str(), &info) == 0 ? int64_t(info.f_bavail) * int64_t(info.f_frsize) : 0;
}

bool badData(const void* data, int32_t size) { return size < 0 || (data == nullptr && size > 0); }

// The shared folder of the store, opening it (and making it when create is set) when no
// handle has it open yet.
int openFolder(DatabaseFolder& database, const std::string& storeFolder, bool create,
               std::shared_ptr<RecordStoreFolder>* folder) {
    const std::string path = database.storePath(storeFolder);
    if ((*folder = OpenStoreTable::find(path))) return HAL_OK;
    if (!database.hasStore(storeFolder)) {
        if (!create) return HAL_NOT_FOUND;
        if (database.createStore(storeFolder) != 0) return HAL_IO_ERROR;
    }
    if (const int result = RecordStoreFolder::open(path, folder)) return result;
    OpenStoreTable::add(path, *folder);
    return HAL_OK;
}

// Reads one counter of an open store.
template <typename Value, typename Read>
int counter(HALRecordStore* store, Value* out, Read read) {
    if (store == nullptr) return HAL_NOT_FOUND;
    if (out == nullptr) return HAL_BAD_ARGUMENT;
    Guard guard(HAL_recordStoreLock());
    *out = read(store->folder->metadata());
    return HAL_OK;
}

}  // namespace

int HAL_openRecordStore(HALRecordStore** out, const char16_t* name, int32_t nameLength, int32_t create) {
    if (out == nullptr) return HAL_BAD_ARGUMENT;
    *out = nullptr;
    if (name == nullptr || nameLength <= 0) return HAL_NOT_FOUND;
    Guard guard(HAL_recordStoreLock());
    DatabaseFolder database;
    if (database.makeExisting() != 0) return HAL_NOT_FOUND;
    if (!RecordStoreName::isValid(name, nameLength)) return create ? HAL_BAD_ARGUMENT : HAL_NOT_FOUND;
    std::shared_ptr<RecordStoreFolder> folder;
    const int result = openFolder(database, RecordStoreName::folderName(name, nameLength), create != 0, &folder);
    if (result != HAL_OK) return result;
    *out = new (std::nothrow) HALRecordStore{std::move(folder)};
    return *out == nullptr ? HAL_OUT_OF_MEMORY : HAL_OK;
}

void HAL_closeRecordStore(HALRecordStore* store) {
    Guard guard(HAL_recordStoreLock());
    delete store;
}

int HAL_deleteRecordStore(const char16_t* name, int32_t nameLength) {
    if (!RecordStoreName::isValid(name, nameLength)) return HAL_NOT_FOUND;
    Guard guard(HAL_recordStoreLock());
    DatabaseFolder database;
    const std::string storeFolder = RecordStoreName::folderName(name, nameLength);
    if (!database.exists() || !database.hasStore(storeFolder)) return HAL_NOT_FOUND;
    if (database.deleteStore(storeFolder) != 0) return HAL_IO_ERROR;
    if (std::shared_ptr<RecordStoreFolder> open = OpenStoreTable::take(database.storePath(storeFolder)))
        open->markDeleted();
    return HAL_OK;
}

int32_t HAL_getNumRecordStores() {
    Guard guard(HAL_recordStoreLock());
    return int32_t(DatabaseFolder().storeNames().size());
}

int HAL_getNthRecordStoreName(int32_t n, char16_t* buffer, int32_t* length) {
    if (n < 1 || length == nullptr) return HAL_BAD_ARGUMENT;
    Guard guard(HAL_recordStoreLock());
    const std::vector<std::u16string> names = DatabaseFolder().storeNames();
    if (size_t(n) > names.size()) return HAL_NOT_FOUND;
    const std::u16string& name = names[size_t(n) - 1];
    const int32_t room = *length;
    *length = int32_t(name.size());
    if (buffer == nullptr || room < *length) return HAL_BAD_ARGUMENT;
    name.copy(buffer, name.size());
    if (room > *length) buffer[name.size()] = u'\0';
    return HAL_OK;
}

int HAL_getRecordStoreVersion(HALRecordStore* store, int32_t* version) {
    return counter(store, version, [](const StoreMetadata& m) { return int32_t(m.version); });
}

int HAL_getNumRecords(HALRecordStore* store, int32_t* count) {
    return counter(store, count, [](const StoreMetadata& m) { return m.recordCount; });
}

int HAL_getRecordStoreSize(HALRecordStore* store, int32_t* size) {
    return counter(store, size, [](const StoreMetadata& m) { return m.size > INT32_MAX ? INT32_MAX : int32_t(m.size); });
}

int HAL_getRecordStoreLastModified(HALRecordStore* store, int64_t* millis) {
    return counter(store, millis, [](const StoreMetadata& m) { return m.lastModified; });
}

int HAL_getNextRecordID(HALRecordStore* store, int32_t* id) {
    if (store == nullptr) return HAL_BAD_ARGUMENT;
    return counter(store, id, [](const StoreMetadata& m) { return m.nextRecordId; });
}

int HAL_getRecordStoreSizeAvailable(HALRecordStore* store, int32_t* size) {
    if (size == nullptr) return HAL_OK;
    Guard guard(HAL_recordStoreLock());
    const int64_t available = store != nullptr ? store->folder->spaceAvailable() : freeSpaceAt(HAL_databaseDirectory());
    *size = available > INT32_MAX ? INT32_MAX : int32_t(available);
    return HAL_OK;
}

int HAL_addRecord(HALRecordStore* store, int32_t* id, const void* data, int32_t size) {
    if (store == nullptr || id == nullptr || badData(data, size)) return HAL_BAD_ARGUMENT;
    Guard guard(HAL_recordStoreLock());
    return store->folder->add(data, size, id);
}

int HAL_setRecord(HALRecordStore* store, int32_t id, const void* data, int32_t size) {
    if (store == nullptr || badData(data, size)) return HAL_BAD_ARGUMENT;
    Guard guard(HAL_recordStoreLock());
    return store->folder->set(id, data, size);
}

int HAL_deleteRecord(HALRecordStore* store, int32_t id) {
    if (store == nullptr) return HAL_BAD_ARGUMENT;
    Guard guard(HAL_recordStoreLock());
    return store->folder->remove(id);
}

int HAL_getRecordSize(HALRecordStore* store, int32_t id, int32_t* size) {
    if (store == nullptr || size == nullptr) return HAL_BAD_ARGUMENT;
    Guard guard(HAL_recordStoreLock());
    return store->folder->recordSize(id, size);
}

int HAL_getRecord(HALRecordStore* store, int32_t id, void* buffer, int32_t* length) {
    if (store == nullptr || length == nullptr) return HAL_BAD_ARGUMENT;
    Guard guard(HAL_recordStoreLock());
    return store->folder->read(id, buffer, length);
}

int HAL_getNthRecordID(HALRecordStore* store, int32_t n, int32_t* id) {
    if (store == nullptr || n < 1) return HAL_NOT_FOUND;
    if (id == nullptr) return HAL_BAD_ARGUMENT;
    Guard guard(HAL_recordStoreLock());
    return store->folder->nthRecordId(n, id);
}
