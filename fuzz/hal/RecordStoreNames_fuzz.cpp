// Reads arbitrary bytes as the names found in the database folder and in a store folder,
// and as a store name given by the application, and checks the naming rules: a folder name
// that decodes is exactly the encoding of the name it gives; every valid store name has a
// folder name that is one plain file name and decodes back to it; a file name read as a
// record's is exactly the name of that record.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

#include "hal/services/RecordStoreName.h"
#include "hal/services/StoreFileNames.h"

namespace {

void check(bool condition) {
    if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);

    std::u16string name;
    if (RecordStoreName::fromFolderName(text, &name)) {
        check(RecordStoreName::isValid(name.data(), int32_t(name.size())));
        check(RecordStoreName::folderName(name.data(), int32_t(name.size())) == text);
    }

    int32_t id = 0;
    if (StoreFileNames::recordId(text, &id)) {
        check(id >= 1);
        check(StoreFileNames::record(id) == text);
    }
    check(!(StoreFileNames::isTemporary(text) && StoreFileNames::recordId(text, &id)));

    std::u16string units(size / 2, u'\0');
    std::memcpy(units.data(), data, units.size() * 2);
    if (RecordStoreName::isValid(units.data(), int32_t(units.size()))) {
        const std::string folder = RecordStoreName::folderName(units.data(), int32_t(units.size()));
        check(folder.size() <= 6 + 5 * size_t(RecordStoreName::kMaxLength));
        check(folder.find('/') == std::string::npos && folder.find('\0') == std::string::npos);
        std::u16string back;
        check(RecordStoreName::fromFolderName(folder, &back) && back == units);
    }
    return 0;
}
