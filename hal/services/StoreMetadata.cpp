#include "hal/services/StoreMetadata.h"

namespace {

void putWord(uint8_t* at, uint32_t value) {
    for (int i = 0; i < 4; ++i) at[i] = uint8_t(value >> (8 * i));
}

uint32_t wordAt(const uint8_t* bytes, size_t index) {
    const uint8_t* at = bytes + 4 * index;
    return uint32_t(at[0]) | uint32_t(at[1]) << 8 | uint32_t(at[2]) << 16 | uint32_t(at[3]) << 24;
}

}  // namespace

void StoreMetadata::encode(uint8_t (&bytes)[kFileSize]) const {
    const uint64_t time = uint64_t(lastModified);
    putWord(bytes + 0, uint32_t(time));
    putWord(bytes + 4, version);
    putWord(bytes + 8, uint32_t(nextRecordId));
    putWord(bytes + 12, size);
    putWord(bytes + 16, uint32_t(recordCount));
    putWord(bytes + 20, uint32_t(time >> 32));
}

bool StoreMetadata::decode(const uint8_t* bytes, size_t byteCount) {
    const size_t words = (bytes == nullptr ? 0 : byteCount / 4);
    if (words > 0) lastModified = int64_t(int32_t(wordAt(bytes, 0)));
    if (words > 1) version = wordAt(bytes, 1);
    if (words > 2) nextRecordId = int32_t(wordAt(bytes, 2));
    if (words > 3) size = wordAt(bytes, 3);
    if (words > 4) recordCount = int32_t(wordAt(bytes, 4));
    if (words > 5) lastModified = int64_t(uint64_t(wordAt(bytes, 5)) << 32 | wordAt(bytes, 0));
    return bytes != nullptr && (byteCount == kFileSize || byteCount == kShortFileSize);
}
