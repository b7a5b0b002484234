#pragma once

// The counters of one record store and their file "metadata.info": little-endian 32-bit
// words in this order:
//
//   0  last modified, low half (milliseconds since 1970, HAL_currentTimeMillis)
//   4  version (0 at creation; nothing changes it)
//   8  next record id (1 at creation)
//  12  size: bytes of record data in the store
//  16  record count
//  20  last modified, high half
//
// Files are written with all 24 bytes. A file of 20 bytes (without the high half) is read
// with the low half sign-extended, as such files were read before the high half existed.
// decode reads every whole word present and leaves the fields of missing words as they
// were; it reports whether the file had one of the two whole sizes. The record count, the
// size and the next id are checked against the record files when a store is opened
// (RecordStoreFolder), so decode takes any values.

#include <cstddef>
#include <cstdint>

struct StoreMetadata {
    static constexpr size_t kFileSize = 24;
    static constexpr size_t kShortFileSize = 20;

    int64_t lastModified = 0;
    uint32_t version = 0;
    int32_t nextRecordId = 1;
    uint32_t size = 0;
    int32_t recordCount = 0;

    void encode(uint8_t (&bytes)[kFileSize]) const;
    // True when size is kFileSize or kShortFileSize.
    bool decode(const uint8_t* bytes, size_t size);

    bool operator==(const StoreMetadata&) const = default;
};
