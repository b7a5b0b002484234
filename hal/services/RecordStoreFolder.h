#pragma once

// One record store's folder and its counters, shared by every handle open on the store
// (so two handles of one store never hand out one id twice), and kept true to the files:
//
// - Opening reconciles the folder with what a crash may have left: stray temporary files
//   are removed, the record count and the size come from the record files, the next id is
//   the larger of the stored one and the highest record id + 1, and a metadata file that
//   differs from that (or is missing or not whole) is rewritten. An entry that has a
//   record's name but is no record file (a folder, a link) is no record, yet its id is
//   never handed out either: a new record could not take its place.
// - Every change first replaces the metadata file crash-safely (CrashSafeFiles.h), then
//   replaces or removes the record file, then flushes the folder. A crash between the two
//   leaves metadata that the next open reconciles; the record file itself is always the old
//   one or the new one, whole.
// - A change that fails is reported (7) and leaves the records as they were; the counters
//   then still match the files. Only a failed flush of the folder after both steps leaves
//   the change in place: it is visible but may not have reached the device.
// - The size is the true number of bytes in the records, lowered by deletes and sets.
//
// Callers hold the record-store lock (RecordStoreLock.h) around every call. Results are HAL
// result codes.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "hal/services/StoreMetadata.h"

class RecordStoreFolder {
public:
    // Opens the existing store folder at path (a symbolic link is refused) and reconciles
    // it. A folder without a metadata file is a new store: its metadata is written, with
    // the last-modified time now. 0, or 7 when the folder cannot be opened or listed, its
    // metadata cannot be read, or a new store's metadata cannot be written.
    static int open(const std::string& path, std::shared_ptr<RecordStoreFolder>* out);

    ~RecordStoreFolder();
    RecordStoreFolder(const RecordStoreFolder&) = delete;
    RecordStoreFolder& operator=(const RecordStoreFolder&) = delete;

    // The counters; recordCount and size always describe the record files.
    const StoreMetadata& metadata() const { return metadata_; }

    // Adds a record under the next id: 0 with *id set, 2 when the ids are used up, 7 when
    // the store was deleted or a write fails.
    int add(const void* data, int32_t size, int32_t* id);
    // Replaces a record's bytes whole: 0, 4 when no record has the id, 7 on a failed write.
    int set(int32_t id, const void* data, int32_t size);
    // 0, 4 when no record has the id, 7 on a failed write.
    int remove(int32_t id);

    // 0, 4 when no record has the id, 7 when its file cannot be read.
    int recordSize(int32_t id, int32_t* size) const;
    // Copies the record into buffer when it fits in *length bytes and sets *length to its
    // size. When it does not fit, nothing is written, *length is set to the size and the
    // result is 2. Otherwise as recordSize.
    int read(int32_t id, void* buffer, int32_t* length) const;
    // The id of the n-th record (from 1) in ascending id order; 4 when there is none.
    int nthRecordId(int32_t n, int32_t* id) const;

    // Bytes free for saving on the store's file system (0 when unknown).
    int64_t spaceAvailable() const;

    // The store's folder was deleted: it holds no records and takes no more.
    void markDeleted();

private:
    struct Record {
        int32_t id;
        uint32_t size;
    };

    explicit RecordStoreFolder(int folder) : folder_(folder) {}

    int reconcile();
    int scanRecords();
    int removeMisplacedMetadata();
    int replaceMetadata(const StoreMetadata& metadata);
    int writeMetadata(const StoreMetadata& metadata);
    int change(const StoreMetadata& next, int32_t id, const void* data, int32_t size, bool removal);
    const Record* find(int32_t id) const;
    StoreMetadata nextMetadata(int32_t countChange, int64_t sizeChange) const;
    void applyChange(const StoreMetadata& next, int32_t id, int32_t size, bool removal);

    int folder_;
    bool deleted_ = false;
    StoreMetadata metadata_;
    std::vector<Record> records_;  // ascending ids
    int32_t highestNamedId_ = 0;   // the highest id of any entry named like a record
    uint64_t totalSize_ = 0;
};
