#include "hal/services/ModulePath.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <mutex>
#include <string>
#include <unistd.h>

#include "hal/base/FatalError.h"
#include "hal/base/Memory.h"

namespace {

std::mutex directoryMutex;
std::string directory;
bool directoryKnown = false;

std::string executableDirectory() {
    std::string path(256, '\0');
    for (;;) {
        const ssize_t length = readlink("/proc/self/exe", path.data(), path.size());
        if (length < 0) {
            char message[96];
            std::snprintf(message, sizeof message, "Cannot read the executable's path: error %d", errno);
            HAL_fatalError(message);
        }
        if (size_t(length) < path.size()) {
            path.resize(size_t(length));
            break;
        }
        path.resize(path.size() * 2);  // the path may have been cut: try again with more room
    }
    const size_t slash = path.rfind('/');
    return slash == std::string::npos ? std::string(".") : path.substr(0, slash);
}

std::string joined(const char* subfolder, const char* name) {
    std::string path = HAL_getModuleDirectory();
    path += subfolder;
    path += name;
    return path;
}

}  // namespace

const char* HAL_getModuleDirectory() {
    std::lock_guard<std::mutex> guard(directoryMutex);
    if (!directoryKnown) {
        directory = executableDirectory();
        directoryKnown = true;
    }
    return directory.c_str();
}

void HAL_setModuleDirectory(const char* newDirectory) {
    std::lock_guard<std::mutex> guard(directoryMutex);
    if (newDirectory == nullptr) {
        directoryKnown = false;
        directory.clear();
        return;
    }
    directory = newDirectory;
    while (directory.size() > 1 && directory.back() == '/') directory.pop_back();
    directoryKnown = true;
}

char* HAL_allocModulePath(const char* subfolder, const char* name) {
    if (subfolder == nullptr || name == nullptr) return nullptr;
    const std::string path = joined(subfolder, name);
    auto* block = static_cast<char*>(HAL_malloc(path.size() + 1));
    if (block != nullptr) std::memcpy(block, path.c_str(), path.size() + 1);
    return block;
}

int HAL_formatModulePath(char* buffer, size_t capacity, const char* subfolder, const char* name) {
    if (buffer == nullptr || subfolder == nullptr || name == nullptr) return 0;
    const std::string path = joined(subfolder, name);
    if (path.size() + 1 > capacity) return 0;
    std::memcpy(buffer, path.c_str(), path.size() + 1);
    return 1;
}
