#pragma once

// Record-store names as folder names, reversibly: the folder of a store is "store-"
// followed by its name with every UTF-16 unit other than an ASCII letter, a digit, '-',
// '_', '.' or a space written as '%' and four upper-case hexadecimal digits. "/", "\",
// "%" and every other unit thus become plain characters of one file name, so no name
// reaches outside the database folder, and each name has exactly one folder name.
//
// Only folder names that encoding a valid name gives back decode: each other name is
// not a store's, so listing and opening always agree on which stores exist. A valid name
// has 1 to kMaxLength units (any units, the profile's longest names included); its folder
// name then stays well within a file name's 255 bytes.

#include <cstdint>
#include <string>
#include <string_view>

class RecordStoreName {
public:
    static constexpr int32_t kMaxLength = 32;

    static bool isValid(const char16_t* name, int32_t length);

    // The folder name of a valid name.
    static std::string folderName(const char16_t* name, int32_t length);

    // The name that folder encodes; false when it is no store folder name.
    static bool fromFolderName(std::string_view folder, std::u16string* name);
};
