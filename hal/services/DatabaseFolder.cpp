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
        CrashSafeFiles::removeTree(folder, away.c_str());
    }
    ::close(folder);
    return failure;
}

std::vector<std::u16string> DatabaseFolder::storeNames() const {
    std::vector<std::u16string> names;
    const int folder = ::open(path_.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder < 0) return names;
    for (const std::string& entry : CrashSafeFiles::entriesOf(folder)) {
        std::u16string name;
        if (RecordStoreName::fromFolderName(entry, &name) && CrashSafeFiles::isFolder(folder, entry.c_str())) names.push_back(std::move(name));
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
    for (const std::string& entry : CrashSafeFiles::entriesOf(folder))
        if (std::string_view(entry).substr(0, kDeletedPrefix.size()) == kDeletedPrefix && CrashSafeFiles::isFolder(folder, entry.c_str()))
            CrashSafeFiles::removeTree(folder, entry.c_str());
    ::close(folder);
}
