#include "hal/services/CrashSafeFiles.h"

#include <cerrno>
#include <cstdio>
#include <dirent.h>
#include <fcntl.h>
#include <string_view>
#include <sys/stat.h>
#include <unistd.h>

#include "hal/services/RecordStoreFaults.h"

namespace {

constexpr int kDeepestRemoval = 8;  // a store folder has no subfolders of its own

int writeAll(int file, const uint8_t* bytes, size_t size) {
    while (size > 0) {
        const ssize_t written = ::write(file, bytes, size);
        if (written < 0) {
            if (errno == EINTR) continue;
            return errno;
        }
        bytes += written;
        size -= size_t(written);
    }
    return 0;
}

int fillTemporary(int file, const char* name, const void* data, size_t size) {
    if (int failure = HAL_recordStoreStep(RecordStoreStep::kWriteFile, name)) return failure;
    if (int failure = writeAll(file, static_cast<const uint8_t*>(data), size)) return failure;
    if (int failure = HAL_recordStoreStep(RecordStoreStep::kFlushFile, name)) return failure;
    return ::fsync(file) == 0 ? 0 : errno;
}

}  // namespace

int CrashSafeFiles::writeTemporary(int folder, const char* name, const void* data, size_t size) {
    const int file = ::openat(folder, name, O_WRONLY | O_CREAT | O_TRUNC | O_NOFOLLOW | O_CLOEXEC, 0644);
    if (file < 0) return errno;
    int failure = fillTemporary(file, name, data, size);
    if (::close(file) != 0 && failure == 0) failure = errno;
    if (failure != 0) ::unlinkat(folder, name, 0);
    return failure;
}

int CrashSafeFiles::replace(int folder, const char* temporary, const char* final) {
    if (int failure = HAL_recordStoreStep(RecordStoreStep::kRenameFile, final)) return failure;
    return ::renameat(folder, temporary, folder, final) == 0 ? 0 : errno;
}

int CrashSafeFiles::remove(int folder, const char* name) {
    if (int failure = HAL_recordStoreStep(RecordStoreStep::kRemoveFile, name)) return failure;
    return ::unlinkat(folder, name, 0) == 0 ? 0 : errno;
}

int CrashSafeFiles::flush(int folder) {
    if (int failure = HAL_recordStoreStep(RecordStoreStep::kFlushFolder, ".")) return failure;
    if (::fsync(folder) == 0 || errno == EINVAL || errno == ENOTSUP) return 0;
    return errno;
}

int CrashSafeFiles::readSmall(int folder, const char* name, size_t limit, std::vector<uint8_t>* bytes) {
    const int file = ::openat(folder, name, O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
    if (file < 0) return errno;
    bytes->assign(limit, 0);
    size_t total = 0;
    int failure = 0;
    while (total < limit) {
        const ssize_t count = ::read(file, bytes->data() + total, limit - total);
        if (count < 0 && errno == EINTR) continue;
        if (count < 0) failure = errno;
        if (count <= 0) break;
        total += size_t(count);
    }
    ::close(file);
    bytes->resize(total);
    return failure;
}

std::vector<std::string> CrashSafeFiles::entriesOf(int folder) {
    std::vector<std::string> names;
    const int listing = ::dup(folder);
    DIR* directory = listing < 0 ? nullptr : ::fdopendir(listing);
    if (directory == nullptr) {
        if (listing >= 0) ::close(listing);
        return names;
    }
    while (const dirent* entry = ::readdir(directory)) {
        const std::string_view name = entry->d_name;
        if (name != "." && name != "..") names.emplace_back(name);
    }
    ::closedir(directory);
    return names;
}

bool CrashSafeFiles::isFolder(int parent, const char* name) {
    struct stat info;
    return ::fstatat(parent, name, &info, AT_SYMLINK_NOFOLLOW) == 0 && S_ISDIR(info.st_mode);
}

int CrashSafeFiles::removeTree(int parent, const char* name) { return removeTreeAt(parent, name, 0); }

int CrashSafeFiles::removeTreeAt(int parent, const char* name, int depth) {
    const int folder = ::openat(parent, name, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (folder < 0) return errno;
    int failure = 0;
    for (const std::string& entry : entriesOf(folder)) {
        const int result = !isFolder(folder, entry.c_str()) ? remove(folder, entry.c_str())
                           : depth < kDeepestRemoval        ? removeTreeAt(folder, entry.c_str(), depth + 1)
                                                            : ELOOP;
        if (result != 0 && result != ENOENT) failure = result;
    }
    ::close(folder);
    if (failure != 0) return failure;
    if (int refused = HAL_recordStoreStep(RecordStoreStep::kRemoveFolder, name)) return refused;
    return ::unlinkat(parent, name, AT_REMOVEDIR) == 0 ? 0 : errno;
}
