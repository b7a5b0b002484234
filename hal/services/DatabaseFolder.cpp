#include "hal/services/DatabaseFolder.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <dirent.h>
#include <fcntl.h>
#include <set>
#include <string_view>
#include <sys/stat.h>
#include <unistd.h>

#include "hal/services/CrashSafeFiles.h"
#include "hal/services/ModulePath.h"
#include "hal/services/RecordStoreFaults.h"
#include "hal/services/RecordStoreName.h"

namespace {

constexpr std::string_view kDeletedPrefix = ".deleted-";
constexpr int kDeepestRemoval = 8;  // a store folder has no subfolders of its own

std::vector<std::string> entriesOf(int folder) {
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

bool isFolder(int parent, const std::string& name) {
    struct stat info;
    return ::fstatat(parent, name.c_str(), &info, AT_SYMLINK_NOFOLLOW) == 0 && S_ISDIR(info.st_mode);
}

// Removes the folder name of parent with its files and folders (links are removed, never
// followed): 0 or an errno value.
int removeTree(int parent, const std::string& name, int depth) {
    const int folder = ::openat(parent, name.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (folder < 0) return errno;
    int failure = 0;
    for (const std::string& entry : entriesOf(folder)) {
        const int result = isFolder(folder, entry) ? (depth < kDeepestRemoval ? removeTree(folder, entry, depth + 1) : ELOOP)
                                                   : CrashSafeFiles::remove(folder, entry.c_str());
        if (result != 0 && result != ENOENT) failure = result;
    }
    ::close(folder);
    if (failure != 0) return failure;
    if (int refused = HAL_recordStoreStep(RecordStoreStep::kRemoveFolder, name.c_str())) return refused;
    return ::unlinkat(parent, name.c_str(), AT_REMOVEDIR) == 0 ? 0 : errno;
}

}  // namespace

std::string HAL_databaseDirectory() {
    std::string path;
    if (const char* redirected = std::getenv("OSTREL_DATABASE_DIR"); redirected && *redirected) path = redirected;
    else path = std::string(HAL_getModuleDirectory()) + "/database";
    while (path.size() > 1 && path.back() == '/') path.pop_back();
    return path;
}

DatabaseFolder::DatabaseFolder() : path_(HAL_databaseDirectory()) {}

bool DatabaseFolder::exists() const {
    struct stat info;
    return ::stat(path_.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

int DatabaseFolder::makeExisting() {
    if (!exists()) {
        if (int refused = HAL_recordStoreStep(RecordStoreStep::kMakeFolder, path_.c_str())) return refused;
        if (::mkdir(path_.c_str(), 0755) != 0 && errno != EEXIST) return errno;
        if (!exists()) return ENOTDIR;
    }
    sweepOnce();
    return 0;
}

bool DatabaseFolder::hasStore(const std::string& storeFolder) const {
    struct stat info;
    return ::lstat(storePath(storeFolder).c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

int DatabaseFolder::createStore(const std::string& storeFolder) {
    if (int refused = HAL_recordStoreStep(RecordStoreStep::kMakeFolder, storeFolder.c_str())) return refused;
    if (::mkdir(storePath(storeFolder).c_str(), 0755) != 0) return errno;
    return flush();
}

int DatabaseFolder::deleteStore(const std::string& storeFolder) {
    sweepOnce();
    const int folder = ::open(path_.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder < 0) return errno;
    std::string away = std::string(kDeletedPrefix) + storeFolder;
    int failure = HAL_recordStoreStep(RecordStoreStep::kRenameFolder, storeFolder.c_str());
    // A leftover of an earlier deletion may hold the name: take another.
    for (int attempt = 1; failure == 0; ++attempt) {
        if (::renameat(folder, storeFolder.c_str(), folder, away.c_str()) == 0) break;
        failure = errno;
        if ((failure == EEXIST || failure == ENOTEMPTY) && attempt < 100) {
            away = std::string(kDeletedPrefix) + storeFolder + "." + std::to_string(attempt);
            failure = 0;
        }
    }
    if (failure == 0) {
        CrashSafeFiles::flush(folder);  // the store is gone; its files are only litter now
        removeTree(folder, away, 0);
    }
    ::close(folder);
    return failure;
}

std::vector<std::u16string> DatabaseFolder::storeNames() const {
    std::vector<std::u16string> names;
    const int folder = ::open(path_.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder < 0) return names;
    for (const std::string& entry : entriesOf(folder)) {
        std::u16string name;
        if (RecordStoreName::fromFolderName(entry, &name) && isFolder(folder, entry)) names.push_back(std::move(name));
    }
    ::close(folder);
    std::sort(names.begin(), names.end());
    return names;
}

int DatabaseFolder::flush() const {
    const int folder = ::open(path_.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder < 0) return errno;
    const int failure = CrashSafeFiles::flush(folder);
    ::close(folder);
    return failure;
}

// Removes what deletions interrupted by a crash left, once per folder and process.
void DatabaseFolder::sweepOnce() {
    static auto* const swept = new std::set<std::string>;
    if (!swept->insert(path_).second) return;
    const int folder = ::open(path_.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder < 0) return;
    for (const std::string& entry : entriesOf(folder))
        if (std::string_view(entry).substr(0, kDeletedPrefix.size()) == kDeletedPrefix && isFolder(folder, entry))
            removeTree(folder, entry, 0);
    ::close(folder);
}
