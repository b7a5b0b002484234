#pragma once

// The names of the files inside a store folder:
// - "record-<id>.bin" for each record, the id in decimal without sign or leading zeros,
//   1 to INT32_MAX; no other name is a record file;
// - "metadata.info" for the store's counters (StoreMetadata.h);
// - ".tmp-" followed by one of those names for a file being written: it never matches a
//   record name or the metadata name, and one left by a crash is removed when the store is
//   next opened.
// Any other entry of the folder is ignored.

#include <cstdint>
#include <string>
#include <string_view>

class StoreFileNames {
public:
    static constexpr char kMetadata[] = "metadata.info";
    static constexpr char kTemporaryMetadata[] = ".tmp-metadata.info";

    static std::string record(int32_t id);
    static std::string temporary(std::string_view name);
    static bool isTemporary(std::string_view name);
    // The id of a record file name; false for any other name.
    static bool recordId(std::string_view name, int32_t* id);
};
