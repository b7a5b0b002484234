#include "hal/services/ResourceFiles.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <dirent.h>
#include <fcntl.h>
#include <new>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

#include "hal/base/HALResult.h"
#include "hal/base/Memory.h"
#include "hal/services/ModulePath.h"
#include "hal/services/Utf8.h"

struct HALFile {
    int descriptor;
};

namespace {

// The resource name as a relative path: "\" read as "/", empty and "." parts dropped. False
// for a name that cannot name a file below the folder.
bool relativePathOf(const char16_t* name, int32_t length, std::string* out) {
    std::string text = HAL_utf16ToUtf8(name, size_t(length));
    if (text.find('\0') != std::string::npos) return false;
    std::replace(text.begin(), text.end(), '\\', '/');
    out->clear();
    size_t start = 0;
    while (start <= text.size()) {
        size_t end = text.find('/', start);
        if (end == std::string::npos) end = text.size();
        const std::string part = text.substr(start, end - start);
        start = end + 1;
        if (part.empty() || part == ".") continue;
        if (part == "..") return false;
        if (!out->empty()) *out += '/';
        *out += part;
    }
    return !out->empty();
}

char foldAscii(char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; }

bool equalIgnoringAsciiCase(const std::string& a, const char* b) {
    size_t i = 0;
    for (; i < a.size(); ++i)
        if (b[i] == '\0' || foldAscii(a[i]) != foldAscii(b[i])) return false;
    return b[i] == '\0';
}

bool exists(const std::string& path) {
    struct stat info;
    return stat(path.c_str(), &info) == 0;
}

// The entry of folder whose name equals part without regard to ASCII case; the first in
// byte order when several do. False when there is none.
bool findIgnoringCase(const std::string& folder, const std::string& part, std::string* found) {
    DIR* directory = opendir(folder.c_str());
    if (directory == nullptr) return false;
    std::vector<std::string> matches;
    while (const dirent* entry = readdir(directory)) {
        if (equalIgnoringAsciiCase(part, entry->d_name)) matches.emplace_back(entry->d_name);
    }
    closedir(directory);
    if (matches.empty()) return false;
    *found = *std::min_element(matches.begin(), matches.end());
    return true;
}

// The path of the file below folder that relative names when letter case is ignored; false
// when some part matches nothing.
bool resolveIgnoringCase(const std::string& folder, const std::string& relative, std::string* path) {
    std::string current = folder;
    size_t start = 0;
    while (start < relative.size()) {
        size_t end = relative.find('/', start);
        if (end == std::string::npos) end = relative.size();
        const std::string part = relative.substr(start, end - start);
        start = end + 1;
        std::string candidate = current + "/" + part;
        if (!exists(candidate)) {
            std::string match;
            if (!findIgnoringCase(current, part, &match)) return false;
            candidate = current + "/" + match;
        }
        current = std::move(candidate);
    }
    *path = std::move(current);
    return true;
}

// A descriptor for the regular file at path, or -1.
int openRegularFile(const char* path) {
    const int descriptor = open(path, O_RDONLY | O_CLOEXEC);
    if (descriptor < 0) return -1;
    struct stat info;
    if (fstat(descriptor, &info) != 0 || !S_ISREG(info.st_mode)) {
        close(descriptor);
        return -1;
    }
    return descriptor;
}

}  // namespace

int HAL_openResource(HALFile** out, const char16_t* name, int32_t nameLength) {
    if (out == nullptr || name == nullptr || nameLength <= 0) {
        if (out != nullptr) *out = nullptr;
        return HAL_BAD_ARGUMENT;
    }
    *out = nullptr;
    std::string relative;
    if (!relativePathOf(name, nameLength, &relative)) return HAL_NOT_FOUND;

    char* path = HAL_allocModulePath(kResourceFolder, relative.c_str());
    if (path == nullptr) return HAL_OUT_OF_MEMORY;
    int descriptor = openRegularFile(path);
    HAL_free(path);
    if (descriptor < 0) {
        std::string folder = HAL_getModuleDirectory();
        folder += kResourceFolder;
        folder.pop_back();  // the folder without its trailing slash
        std::string found;
        if (resolveIgnoringCase(folder, relative, &found)) descriptor = openRegularFile(found.c_str());
    }
    if (descriptor < 0) return HAL_NOT_FOUND;

    auto* file = new (std::nothrow) HALFile{descriptor};
    if (file == nullptr) {
        close(descriptor);
        return HAL_OUT_OF_MEMORY;
    }
    *out = file;
    return HAL_OK;
}

int32_t HAL_getResourceSize(HALFile* handle) {
    if (handle == nullptr) return -1;
    struct stat info;
    if (fstat(handle->descriptor, &info) != 0) return -1;
    return info.st_size > INT32_MAX ? INT32_MAX : int32_t(info.st_size);
}

int HAL_readResource(HALFile* handle, void* buffer, int32_t offset, int32_t* count) {
    if (handle == nullptr || buffer == nullptr || count == nullptr || *count < 0) return HAL_BAD_ARGUMENT;
    const int32_t wanted = *count;
    *count = 0;
    if (offset < 0) return HAL_IO_ERROR;
    auto* bytes = static_cast<unsigned char*>(buffer);
    int32_t done = 0;
    // pread may deliver less than asked before the end (a signal); keep reading until the
    // count is reached or the file ends.
    while (done < wanted) {
        const ssize_t got = pread(handle->descriptor, bytes + done, size_t(wanted - done), off_t(offset) + done);
        if (got < 0) {
            if (errno == EINTR) continue;
            return HAL_IO_ERROR;
        }
        if (got == 0) break;
        done += int32_t(got);
    }
    *count = done;
    return HAL_OK;
}

void HAL_closeFile(HALFile* handle) {
    if (handle == nullptr) return;
    close(handle->descriptor);
    delete handle;
}

int HAL_loadResource(const char16_t* name, int32_t nameLength, uint8_t** data, int32_t* size) {
    if (data == nullptr || size == nullptr) return HAL_BAD_ARGUMENT;
    *data = nullptr;
    *size = 0;
    HALFile* file = nullptr;
    if (HAL_openResource(&file, name, nameLength) != HAL_OK) return HAL_NOT_FOUND;
    const int32_t fileSize = HAL_getResourceSize(file);
    int result = HAL_OK;
    uint8_t* block = nullptr;
    if (fileSize < 1) {
        result = HAL_IO_ERROR;
    } else if ((block = static_cast<uint8_t*>(HAL_malloc(size_t(fileSize)))) == nullptr) {
        result = HAL_OUT_OF_MEMORY;
    } else {
        int32_t count = fileSize;
        result = HAL_readResource(file, block, 0, &count);
        // A file that shrank since its size was taken cannot be delivered whole.
        if (result == HAL_OK && count != fileSize) result = HAL_IO_ERROR;
        if (result != HAL_OK) {
            HAL_free(block);
            block = nullptr;
        }
    }
    HAL_closeFile(file);
    if (result == HAL_OK) {
        *data = block;
        *size = fileSize;
    }
    return result;
}
