// Opens resources by arbitrary names over a fixed resource folder and checks each answer
// against a model of the naming rules: "\" is "/", empty and "." parts are dropped, a ".."
// part or a U+0000 names nothing, and each part is the entry of that exact name, else the
// first in byte order of the entries equal to it regardless of ASCII case. A name opens
// exactly the file the model finds (each file holds its own path, so the bytes tell which
// file was opened), its size and whole contents read back, and nothing outside the folder
// is ever opened.
//
// Input: byte 0 says how the rest becomes UTF-16 units: a unit per byte (even) or per
// byte pair (odd).

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <string>
#include <sys/stat.h>
#include <vector>

#include "hal/base/HALResult.h"
#include "hal/base/Memory.h"
#include "hal/services/ModulePath.h"
#include "hal/services/ResourceFiles.h"
#include "hal/services/Utf8.h"

namespace {

void check(bool condition) {
    if (!condition) std::abort();
}

// The resource folder's tree: a folder's entries by name; a file holds no entries.
struct Entry {
    bool folder = false;
    std::map<std::string, std::unique_ptr<Entry>> entries;
};

// Files below "rsc" (each holding its own path), an empty folder, and a file beside "rsc".
constexpr const char* kFiles[] = {"a.txt", "A.TXT", "Sub/Inner.bin", "sub/other.bin", "Sub/deeper/z", "b"};
constexpr const char* kEmptyFolder = "folder";

Entry& tree() {
    static Entry root{true, {}};
    return root;
}

void addPath(const std::string& path, bool folder) {
    Entry* at = &tree();
    size_t start = 0;
    for (size_t end; (end = path.find('/', start)) != std::string::npos; start = end + 1) {
        auto& next = at->entries[path.substr(start, end - start)];
        if (!next) next = std::make_unique<Entry>(Entry{true, {}});
        at = next.get();
    }
    at->entries[path.substr(start)] = std::make_unique<Entry>(Entry{folder, {}});
}

void makeFolder(const std::string& base) {
    const std::string rsc = base + "/rsc";
    mkdir(rsc.c_str(), 0755);
    std::ofstream(base + "/secret") << "secret";
    mkdir((rsc + "/" + kEmptyFolder).c_str(), 0755);
    addPath(kEmptyFolder, true);
    for (const char* file : kFiles) {
        const std::string path(file);
        for (size_t slash = 0; (slash = path.find('/', slash)) != std::string::npos; ++slash)
            mkdir((rsc + "/" + path.substr(0, slash)).c_str(), 0755);
        std::ofstream(rsc + "/" + path) << path;
        addPath(path, false);
    }
}

bool sameIgnoringAsciiCase(const std::string& a, const std::string& b) {
    auto fold = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [&](char x, char y) {
               return fold(x) == fold(y);
           });
}

// The path of the file the name opens, or "" when it opens none.
std::string resolveModel(const std::u16string& name) {
    std::string text = HAL_utf16ToUtf8(name.data(), name.size());
    if (text.find('\0') != std::string::npos) return "";
    std::replace(text.begin(), text.end(), '\\', '/');
    const Entry* at = &tree();
    std::string path;
    size_t start = 0;
    while (start <= text.size()) {
        size_t end = text.find('/', start);
        if (end == std::string::npos) end = text.size();
        const std::string part = text.substr(start, end - start);
        start = end + 1;
        if (part.empty() || part == ".") continue;
        if (part == ".." || !at->folder) return "";
        auto found = at->entries.find(part);
        if (found == at->entries.end()) {
            found = std::find_if(at->entries.begin(), at->entries.end(),
                                 [&](const auto& entry) { return sameIgnoringAsciiCase(entry.first, part); });
            if (found == at->entries.end()) return "";
        }
        path += (path.empty() ? "" : "/") + found->first;
        at = found->second.get();
    }
    return path.empty() || at->folder ? "" : path;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    static char base[] = "/tmp/ostrel-resource-names-XXXXXX";
    check(mkdtemp(base) != nullptr);
    makeFolder(base);
    HAL_setModuleDirectory(base);
    std::atexit([] {
        std::error_code ignored;
        std::filesystem::remove_all(base, ignored);
    });
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    std::u16string name;
    if (data[0] % 2 == 0) {
        for (size_t i = 1; i < size; ++i) name += char16_t(data[i]);
    } else {
        for (size_t i = 1; i + 1 < size; i += 2) name += char16_t(data[i] | data[i + 1] << 8);
    }
    const uint64_t before = HAL_getAllocatedBytes();
    HALFile* file = nullptr;
    const int result = HAL_openResource(&file, name.data(), int32_t(name.size()));
    if (name.empty()) {
        check(result == HAL_BAD_ARGUMENT && file == nullptr);
        return 0;
    }
    const std::string expected = resolveModel(name);
    if (expected.empty()) {
        check(result == HAL_NOT_FOUND && file == nullptr);
        return 0;
    }
    check(result == HAL_OK && file != nullptr);
    check(HAL_getResourceSize(file) == int32_t(expected.size()));
    std::string contents(expected.size() + 4, '\0');
    int32_t count = int32_t(contents.size());
    check(HAL_readResource(file, contents.data(), 0, &count) == HAL_OK && count == int32_t(expected.size()));
    contents.resize(size_t(count));
    check(contents == expected);
    HAL_closeFile(file);

    uint8_t* block = nullptr;
    int32_t blockSize = 0;
    check(HAL_loadResource(name.data(), int32_t(name.size()), &block, &blockSize) == HAL_OK);
    check(std::string(reinterpret_cast<char*>(block), size_t(blockSize)) == expected);
    HAL_free(block);
    check(HAL_getAllocatedBytes() == before);
    return 0;
}
