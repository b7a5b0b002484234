// Reads arbitrary bytes as a store's metadata file and checks what every read must give:
// the file is whole exactly at 20 and 24 bytes; each whole word present lands in its field
// (the last-modified time sign-extended without its high half); fields without a word keep
// their values; and writing what was read gives back the bytes of a whole file.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "hal/services/StoreMetadata.h"

namespace {

void check(bool condition) {
    if (!condition) std::abort();
}

uint32_t wordAt(const uint8_t* bytes, size_t index) {
    uint32_t word;
    std::memcpy(&word, bytes + 4 * index, 4);  // the machines are little-endian, as the file is
    return word;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    StoreMetadata initial;
    initial.lastModified = -7;
    initial.version = 11;
    initial.nextRecordId = 13;
    initial.size = 17;
    initial.recordCount = 19;
    StoreMetadata read = initial;
    const bool whole = read.decode(data, size);
    check(whole == (size == StoreMetadata::kFileSize || size == StoreMetadata::kShortFileSize));

    const size_t words = size / 4;
    check(read.version == (words > 1 ? wordAt(data, 1) : initial.version));
    check(read.nextRecordId == (words > 2 ? int32_t(wordAt(data, 2)) : initial.nextRecordId));
    check(read.size == (words > 3 ? wordAt(data, 3) : initial.size));
    check(read.recordCount == (words > 4 ? int32_t(wordAt(data, 4)) : initial.recordCount));
    if (words == 0) check(read.lastModified == initial.lastModified);
    else if (words < 6) check(read.lastModified == int64_t(int32_t(wordAt(data, 0))));
    else check(uint64_t(read.lastModified) == (uint64_t(wordAt(data, 5)) << 32 | wordAt(data, 0)));

    if (whole) {
        uint8_t written[StoreMetadata::kFileSize];
        read.encode(written);
        check(std::memcmp(written, data, StoreMetadata::kShortFileSize) == 0);
        if (size == StoreMetadata::kFileSize) check(std::memcmp(written, data, size) == 0);
        StoreMetadata again;
        check(again.decode(written, sizeof written) && again == read);
    }
    return 0;
}
