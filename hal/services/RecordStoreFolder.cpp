#include "hal/services/RecordStoreFolder.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

#include "hal/base/HALResult.h"
#include "hal/base/SystemClock.h"
#include "hal/services/CrashSafeFiles.h"
#include "hal/services/StoreFileNames.h"

namespace {

constexpr size_t kMetadataReadLimit = 64;  // more than any whole file: a longer one is not whole

uint32_t clampedSize(uint64_t size) { return size > UINT32_MAX ? UINT32_MAX : uint32_t(size); }

// Reads exactly size bytes from the start of file.
bool readFully(int file, uint8_t* bytes, size_t size) {
    size_t total = 0;
    while (total < size) {
        const ssize_t count = ::read(file, bytes + total, size - total);
        if (count < 0 && errno == EINTR) continue;
        if (count <= 0) return false;
        total += size_t(count);
    }
    return true;
}

}  // namespace

int RecordStoreFolder::open(const std::string& path, std::shared_ptr<RecordStoreFolder>* out) {
    const int folder = ::open(path.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (folder < 0) return HAL_IO_ERROR;
    std::shared_ptr<RecordStoreFolder> store(new RecordStoreFolder(folder));
    if (const int result = store->reconcile()) return result;
    *out = std::move(store);
    return HAL_OK;
}

RecordStoreFolder::~RecordStoreFolder() { ::close(folder_); }

int RecordStoreFolder::reconcile() {
    std::vector<uint8_t> bytes;
    int failure = CrashSafeFiles::readSmall(folder_, StoreFileNames::kMetadata, kMetadataReadLimit, &bytes);
    // A folder or a link in the metadata file's place is no metadata: it goes, and the
    // store's counters are rebuilt from its records like those of a damaged file.
    if ((failure == EISDIR || failure == ELOOP) && removeMisplacedMetadata() == 0) failure = EINVAL;
    const bool fresh = failure == ENOENT;
    if (failure != 0 && !fresh && failure != EINVAL) return HAL_IO_ERROR;
    bool whole = false;
    if (fresh) metadata_.lastModified = HAL_currentTimeMillis();
    else whole = metadata_.decode(bytes.data(), bytes.size());
    if (const int result = scanRecords()) return result;

    StoreMetadata reconciled = metadata_;
    reconciled.recordCount = int32_t(records_.size());
    reconciled.size = clampedSize(totalSize_);
    const int32_t highest = highestNamedId_;
    if (reconciled.nextRecordId < 1) reconciled.nextRecordId = 1;
    // Ids of deleted records are never given again, so a next id above the highest record
    // stays; only the limit itself, which would refuse every add, is taken as damage.
    if (reconciled.nextRecordId == INT32_MAX || reconciled.nextRecordId <= highest)
        reconciled.nextRecordId = highest == INT32_MAX ? INT32_MAX : highest + 1;
    const bool stale = fresh || !whole || !(reconciled == metadata_);
    metadata_ = reconciled;
    // A store whose metadata cannot be brought up to date still opens with true counters;
    // the next change writes the file again. Only a new store must have its file.
    if (stale && writeMetadata(metadata_) != 0 && fresh) return HAL_IO_ERROR;
    return HAL_OK;
}

int RecordStoreFolder::removeMisplacedMetadata() {
    if (CrashSafeFiles::isFolder(folder_, StoreFileNames::kMetadata))
        return CrashSafeFiles::removeTree(folder_, StoreFileNames::kMetadata);
    return CrashSafeFiles::remove(folder_, StoreFileNames::kMetadata);
}

// Lists the record files (ascending ids) and removes stray temporary files.
int RecordStoreFolder::scanRecords() {
    const int listing = ::dup(folder_);
    DIR* directory = listing < 0 ? nullptr : ::fdopendir(listing);
    if (directory == nullptr) {
        if (listing >= 0) ::close(listing);
        return HAL_IO_ERROR;
    }
    records_.clear();
    totalSize_ = 0;
    highestNamedId_ = 0;
    std::vector<std::string> strays;
    while (const dirent* entry = ::readdir(directory)) {
        int32_t id;
        struct stat info;
        if (StoreFileNames::isTemporary(entry->d_name)) {
            strays.emplace_back(entry->d_name);
        } else if (StoreFileNames::recordId(entry->d_name, &id)) {
            highestNamedId_ = std::max(highestNamedId_, id);
            if (::fstatat(folder_, entry->d_name, &info, AT_SYMLINK_NOFOLLOW) == 0 && S_ISREG(info.st_mode)) {
                records_.push_back({id, clampedSize(uint64_t(info.st_size))});
                totalSize_ += uint64_t(info.st_size);
            }
        }
    }
    ::closedir(directory);
    for (const std::string& stray : strays) CrashSafeFiles::remove(folder_, stray.c_str());
    std::sort(records_.begin(), records_.end(), [](const Record& a, const Record& b) { return a.id < b.id; });
    return HAL_OK;
}

int RecordStoreFolder::replaceMetadata(const StoreMetadata& metadata) {
    uint8_t bytes[StoreMetadata::kFileSize];
    metadata.encode(bytes);
    if (CrashSafeFiles::writeTemporary(folder_, StoreFileNames::kTemporaryMetadata, bytes, sizeof bytes) != 0)
        return HAL_IO_ERROR;
    if (CrashSafeFiles::replace(folder_, StoreFileNames::kTemporaryMetadata, StoreFileNames::kMetadata) != 0) {
        ::unlinkat(folder_, StoreFileNames::kTemporaryMetadata, 0);
        return HAL_IO_ERROR;
    }
    return HAL_OK;
}

int RecordStoreFolder::writeMetadata(const StoreMetadata& metadata) {
    if (replaceMetadata(metadata) != HAL_OK) return HAL_IO_ERROR;
    return CrashSafeFiles::flush(folder_) == 0 ? HAL_OK : HAL_IO_ERROR;
}

const RecordStoreFolder::Record* RecordStoreFolder::find(int32_t id) const {
    const auto at = std::lower_bound(records_.begin(), records_.end(), id,
                                     [](const Record& record, int32_t wanted) { return record.id < wanted; });
    return at != records_.end() && at->id == id ? &*at : nullptr;
}

StoreMetadata RecordStoreFolder::nextMetadata(int32_t countChange, int64_t sizeChange) const {
    StoreMetadata next = metadata_;
    next.recordCount = int32_t(records_.size()) + countChange;
    next.size = clampedSize(uint64_t(int64_t(totalSize_) + sizeChange));
    next.lastModified = HAL_currentTimeMillis();
    return next;
}

// The one path of every change: the new record bytes (unless removing) and the new metadata
// go to temporary files; the metadata is replaced, then the record file is replaced or
// removed, then the folder is flushed.
int RecordStoreFolder::change(const StoreMetadata& next, int32_t id, const void* data, int32_t size, bool removal) {
    const std::string record = StoreFileNames::record(id);
    const std::string temporary = StoreFileNames::temporary(record);
    if (!removal && CrashSafeFiles::writeTemporary(folder_, temporary.c_str(), data, size_t(size)) != 0)
        return HAL_IO_ERROR;
    if (replaceMetadata(next) != HAL_OK) {
        if (!removal) ::unlinkat(folder_, temporary.c_str(), 0);
        return HAL_IO_ERROR;  // nothing has changed
    }
    int failure = removal ? CrashSafeFiles::remove(folder_, record.c_str())
                          : CrashSafeFiles::replace(folder_, temporary.c_str(), record.c_str());
    if (removal && failure == ENOENT) failure = 0;  // the file is gone already: so is the record
    if (failure != 0) {
        if (!removal) ::unlinkat(folder_, temporary.c_str(), 0);
        // The records are as they were; the metadata file already holds the new next id
        // and time (its count and size are corrected by the next change or open).
        metadata_.nextRecordId = next.nextRecordId;
        metadata_.lastModified = next.lastModified;
        return HAL_IO_ERROR;
    }
    applyChange(next, id, size, removal);
    return CrashSafeFiles::flush(folder_) == 0 ? HAL_OK : HAL_IO_ERROR;
}

void RecordStoreFolder::applyChange(const StoreMetadata& next, int32_t id, int32_t size, bool removal) {
    metadata_ = next;
    const auto at = std::lower_bound(records_.begin(), records_.end(), id,
                                     [](const Record& record, int32_t wanted) { return record.id < wanted; });
    const bool existing = at != records_.end() && at->id == id;
    if (existing) totalSize_ -= at->size;
    if (removal) {
        if (existing) records_.erase(at);
        return;
    }
    totalSize_ += uint32_t(size);
    if (existing) at->size = uint32_t(size);
    else records_.insert(at, Record{id, uint32_t(size)});
}

int RecordStoreFolder::add(const void* data, int32_t size, int32_t* id) {
    if (deleted_) return HAL_IO_ERROR;
    if (metadata_.nextRecordId == INT32_MAX) return HAL_BAD_ARGUMENT;  // every id has been given
    const int32_t newId = metadata_.nextRecordId;
    StoreMetadata next = nextMetadata(1, size);
    next.nextRecordId = newId + 1;
    const int result = change(next, newId, data, size, false);
    if (find(newId) != nullptr) *id = newId;  // also when only the final flush failed
    return result;
}

int RecordStoreFolder::set(int32_t id, const void* data, int32_t size) {
    const Record* record = find(id);
    if (record == nullptr) return HAL_NOT_FOUND;
    return change(nextMetadata(0, int64_t(size) - int64_t(record->size)), id, data, size, false);
}

int RecordStoreFolder::remove(int32_t id) {
    const Record* record = find(id);
    if (record == nullptr) return HAL_NOT_FOUND;
    return change(nextMetadata(-1, -int64_t(record->size)), id, nullptr, 0, true);
}

int RecordStoreFolder::recordSize(int32_t id, int32_t* size) const {
    if (find(id) == nullptr) return HAL_NOT_FOUND;
    struct stat info;
    const std::string name = StoreFileNames::record(id);
    if (::fstatat(folder_, name.c_str(), &info, AT_SYMLINK_NOFOLLOW) != 0)
        return errno == ENOENT ? HAL_NOT_FOUND : HAL_IO_ERROR;
    if (!S_ISREG(info.st_mode) || info.st_size > INT32_MAX) return HAL_IO_ERROR;
    *size = int32_t(info.st_size);
    return HAL_OK;
}

int RecordStoreFolder::read(int32_t id, void* buffer, int32_t* length) const {
    if (find(id) == nullptr) return HAL_NOT_FOUND;
    const std::string name = StoreFileNames::record(id);
    const int file = ::openat(folder_, name.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
    if (file < 0) return errno == ENOENT ? HAL_NOT_FOUND : HAL_IO_ERROR;
    struct stat info;
    int result = HAL_OK;
    if (::fstat(file, &info) != 0 || !S_ISREG(info.st_mode) || info.st_size > INT32_MAX) {
        result = HAL_IO_ERROR;
    } else if (info.st_size > *length || (buffer == nullptr && info.st_size > 0)) {
        *length = int32_t(info.st_size);  // the room given is too small: nothing is written
        result = HAL_BAD_ARGUMENT;
    } else if (!readFully(file, static_cast<uint8_t*>(buffer), size_t(info.st_size))) {
        result = HAL_IO_ERROR;
    } else {
        *length = int32_t(info.st_size);
    }
    ::close(file);
    return result;
}

int RecordStoreFolder::nthRecordId(int32_t n, int32_t* id) const {
    if (n < 1 || size_t(n) > records_.size()) return HAL_NOT_FOUND;
    *id = records_[size_t(n) - 1].id;
    return HAL_OK;
}

int64_t RecordStoreFolder::spaceAvailable() const {
    struct statvfs info;
    if (::fstatvfs(folder_, &info) != 0) return 0;
    return int64_t(info.f_bavail) * int64_t(info.f_frsize);
}

void RecordStoreFolder::markDeleted() {
    deleted_ = true;
    records_.clear();
    totalSize_ = 0;
    metadata_.recordCount = 0;
    metadata_.size = 0;
}
