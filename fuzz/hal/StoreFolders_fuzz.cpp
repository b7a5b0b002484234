// Builds a database folder from arbitrary input (store folders, record files of any size,
// metadata files of any bytes, temporary files, files of other names, folders and links
// named like records, folders named almost like stores) and checks what opening and
// listing the stores must give: the listing names exactly the folders that decode to a
// store name, in order; each opens; its counters and records agree with its record files
// (regular files only); its next id is above the id of every entry named like a record
// and not below the one stored; temporary files are gone and the metadata file is whole
// and says what the store says; other files are left alone; a record added takes the next
// id and survives a reopen.
//
// Input: a list of commands, each a byte (its value modulo 6 picks the command) followed
// by its operands; see build().

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <string>
#include <unistd.h>
#include <vector>

#include "hal/base/HALResult.h"
#include "hal/services/RecordStoreName.h"
#include "hal/services/RecordStores.h"
#include "hal/services/StoreFileNames.h"
#include "hal/services/StoreMetadata.h"

namespace {

namespace fs = std::filesystem;

void check(bool condition) {
    if (!condition) std::abort();
}

// What the input put into one folder of the database folder.
struct Folder {
    std::map<int32_t, std::string> records;  // record files (regular files) by id
    std::vector<uint8_t> metadata;
    bool hasMetadata = false;
    std::set<std::string> others;  // entries that are neither records, metadata nor temporary
};

class Input {
public:
    Input(const uint8_t* data, size_t size) : data_(data), size_(size) {}
    bool empty() const { return at_ >= size_; }
    uint8_t byte() { return at_ < size_ ? data_[at_++] : 0; }
    std::string bytes(size_t count) {
        std::string text;
        while (count-- > 0 && !empty()) text += char(byte());
        return text;
    }

private:
    const uint8_t* data_;
    size_t size_;
    size_t at_ = 0;
};

std::string database() {
    static const std::string path = [] {
        const std::string base = access("/dev/shm", W_OK) == 0 ? "/dev/shm" : fs::temp_directory_path().string();
        std::string pattern = base + "/ostrel-store-folders-XXXXXX";
        check(mkdtemp(pattern.data()) != nullptr);
        return pattern;
    }();
    return path;
}

// A name for a file of the folder: no '/' or NUL, not "." or "..", none of the names the
// store reads itself.
std::string plainName(std::string name) {
    std::replace(name.begin(), name.end(), '/', '_');
    std::replace(name.begin(), name.end(), '\0', '_');
    if (name.empty() || name == "." || name == ".." || name == StoreFileNames::kMetadata) name += "x";
    return name;
}

void write(const fs::path& path, const std::string& bytes) { std::ofstream(path, std::ios::binary) << bytes; }

// Takes away whatever the folder holds under that name (a link goes, not what it names).
void clear(const fs::path& folderPath, Folder& folder, const std::string& name) {
    std::error_code ignored;
    fs::remove_all(folderPath / name, ignored);
    folder.others.erase(name);
    int32_t id = 0;
    if (StoreFileNames::recordId(name, &id)) folder.records.erase(id);
}

std::string recordBytes(int32_t id, size_t size) {
    std::string bytes(size, '\0');
    for (size_t i = 0; i < size; ++i) bytes[i] = char(uint32_t(id) * 31 + i);
    return bytes;
}

// Commands: 0 a store folder named by the store name of the next n units (n from the
// next byte, a unit per byte); 1 a folder of any name; 2 a record file (id from one byte,
// or four when the byte is 0xFF; size from the next byte) in the last folder; 3 a metadata
// file of the next n bytes; 4 a file of any name and size (temporary and record names
// included); 5 a folder or a link (to a file outside) named like a record.
std::map<std::string, Folder> build(Input& input) {
    const fs::path root = database();
    std::map<std::string, Folder> folders;
    std::string current;
    auto ensureFolder = [&](const std::string& name) {
        if (folders.count(name) == 0) fs::create_directory(root / name);
        current = name;
        return &folders[name];
    };
    while (!input.empty()) {
        const int command = input.byte() % 6;
        if (command == 0) {
            std::u16string name;
            for (const char c : input.bytes(input.byte() % 6 + 1)) name += char16_t(uint8_t(c));
            ensureFolder(RecordStoreName::folderName(name.data(), int32_t(name.size())));
            continue;
        }
        if (command == 1) {
            ensureFolder(plainName(input.bytes(input.byte() % 16)));
            continue;
        }
        if (current.empty()) ensureFolder("store-a");
        Folder& folder = folders[current];
        const fs::path here = root / current;
        if (command == 2) {
            int32_t id = input.byte();
            if (id == 0xFF) id = int32_t(uint32_t(input.byte()) << 24 | uint32_t(input.byte()) << 16 |
                                         uint32_t(input.byte()) << 8 | input.byte());
            if (id < 1) id = 1;
            const std::string bytes = recordBytes(id, input.byte());
            clear(here, folder, StoreFileNames::record(id));
            write(here / StoreFileNames::record(id), bytes);
            folder.records[id] = bytes;
        } else if (command == 3) {
            const std::string bytes = input.bytes(input.byte() % 80);
            write(here / StoreFileNames::kMetadata, bytes);
            folder.metadata.assign(bytes.begin(), bytes.end());
            folder.hasMetadata = true;
        } else if (command == 4) {
            const std::string name = plainName(input.bytes(input.byte() % 24));
            const std::string bytes = recordBytes(7, input.byte());
            clear(here, folder, name);
            int32_t id = 0;
            if (StoreFileNames::recordId(name, &id)) {
                folder.records[id] = recordBytes(id, bytes.size());
                write(here / name, folder.records[id]);
            } else {
                write(here / name, bytes);
                if (!StoreFileNames::isTemporary(name)) folder.others.insert(name);
            }
        } else {
            const std::string name = StoreFileNames::record(input.byte() + 1);
            clear(here, folder, name);
            if (input.byte() % 2 == 0) fs::create_directory(here / name);
            else fs::create_symlink(root / "outside", here / name);
            folder.others.insert(name);
        }
    }
    write(root / "outside", "outside");
    return folders;
}

int32_t counter(int (*read)(HALRecordStore*, int32_t*), HALRecordStore* store) {
    int32_t value = -1;
    check(read(store, &value) == HAL_OK);
    return value;
}

void checkCounters(HALRecordStore* store, const Folder& folder, int32_t nextId) {
    check(counter(HAL_getNumRecords, store) == int32_t(folder.records.size()));
    uint64_t size = 0;
    for (const auto& [id, bytes] : folder.records) size += bytes.size();
    check(counter(HAL_getRecordStoreSize, store) == int32_t(size));
    check(counter(HAL_getNextRecordID, store) == nextId);
    int32_t n = 1;
    for (const auto& [id, bytes] : folder.records) {
        int32_t nth = 0;
        check(HAL_getNthRecordID(store, n++, &nth) == HAL_OK && nth == id);
        std::string read(bytes.size() + 1, '\0');
        int32_t length = int32_t(read.size());
        check(HAL_getRecord(store, id, read.data(), &length) == HAL_OK && length == int32_t(bytes.size()));
        check(read.substr(0, bytes.size()) == bytes);
    }
    int32_t none = 0;
    check(HAL_getNthRecordID(store, n, &none) == HAL_NOT_FOUND);
}

// The metadata file on disk: whole (in the long form, or the short one that was already
// right), and saying what the open store says.
void checkMetadataFile(const fs::path& folder, HALRecordStore* store) {
    std::ifstream file(folder / StoreFileNames::kMetadata, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    StoreMetadata stored;
    check(stored.decode(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size()));
    check(stored.recordCount == counter(HAL_getNumRecords, store));
    check(int32_t(stored.size) == counter(HAL_getRecordStoreSize, store));
    check(stored.nextRecordId == counter(HAL_getNextRecordID, store));
    check(int32_t(stored.version) == counter(HAL_getRecordStoreVersion, store));
}

void checkStore(const std::u16string& name, const std::string& folderName, Folder& folder) {
    const fs::path path = fs::path(database()) / folderName;
    StoreMetadata stored;
    const size_t readable = std::min<size_t>(folder.metadata.size(), 64);
    if (folder.hasMetadata) stored.decode(folder.metadata.data(), readable);
    // Entries named like records that are none (folders, links) hold their ids too.
    int32_t highest = folder.records.empty() ? 0 : folder.records.rbegin()->first;
    for (const std::string& other : folder.others) {
        int32_t id = 0;
        if (StoreFileNames::recordId(other, &id)) highest = std::max(highest, id);
    }
    // A stored next id above the highest is kept; one at the limit is damage and rebuilt.
    int32_t nextId = std::max(stored.nextRecordId, 1);
    if (nextId == INT32_MAX || nextId <= highest) nextId = highest == INT32_MAX ? INT32_MAX : highest + 1;

    HALRecordStore* store = nullptr;
    check(HAL_openRecordStore(&store, name.data(), int32_t(name.size()), 0) == HAL_OK);
    checkCounters(store, folder, nextId);
    check(counter(HAL_getRecordStoreVersion, store) == int32_t(stored.version));
    checkMetadataFile(path, store);
    size_t entries = 0;
    for (const auto& entry : fs::directory_iterator(path)) {
        check(!StoreFileNames::isTemporary(entry.path().filename().string()));
        ++entries;
    }
    check(entries == folder.records.size() + 1 + folder.others.size());

    int32_t id = 0;
    const std::string added = "added";
    const int result = HAL_addRecord(store, &id, added.data(), int32_t(added.size()));
    if (nextId == INT32_MAX) {
        check(result == HAL_BAD_ARGUMENT);  // every id has been given
    } else {
        check(result == HAL_OK && id == nextId);
        folder.records[id] = added;
        ++nextId;
    }
    HAL_closeRecordStore(store);
    check(HAL_openRecordStore(&store, name.data(), int32_t(name.size()), 0) == HAL_OK);
    checkCounters(store, folder, nextId);
    HAL_closeRecordStore(store);
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    setenv("OSTREL_DATABASE_DIR", database().c_str(), 1);
    std::atexit([] {
        std::error_code ignored;
        fs::remove_all(database(), ignored);
    });
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size > 4096) return 0;
    Input input(data, size);
    std::map<std::string, Folder> folders = build(input);

    std::map<std::u16string, std::string> stores;  // store name to folder name
    for (const auto& [folderName, folder] : folders) {
        std::u16string name;
        if (RecordStoreName::fromFolderName(folderName, &name)) stores[name] = folderName;
    }
    check(HAL_getNumRecordStores() == int32_t(stores.size()));
    int32_t n = 1;
    for (auto& [name, folderName] : stores) {
        char16_t buffer[RecordStoreName::kMaxLength + 1];
        int32_t length = RecordStoreName::kMaxLength + 1;
        check(HAL_getNthRecordStoreName(n++, buffer, &length) == HAL_OK);
        check(std::u16string(buffer, size_t(length)) == name);
        checkStore(name, folderName, folders[folderName]);
    }
    char16_t buffer[RecordStoreName::kMaxLength + 1];
    int32_t length = RecordStoreName::kMaxLength + 1;
    check(HAL_getNthRecordStoreName(n, buffer, &length) == HAL_NOT_FOUND);

    for (const auto& entry : fs::directory_iterator(database())) fs::remove_all(entry.path());
    return 0;
}
