#pragma once

// The database folder, which holds one folder per record store (RecordStoreName.h) and the
// single-instance lock file: OSTREL_DATABASE_DIR when set, else "database" beside the
// executable (ModulePath.h).
//
// Deleting a store first renames its folder to ".deleted-" followed by its folder name and
// flushes the database folder, so the store is gone at once and whole, even if a crash
// comes while its files are removed; such leftovers are removed the first time the process
// opens or deletes a store there. No other entry that is not a store folder is touched.
//
// Callers hold the record-store lock.

#include <string>
#include <vector>

// The folder's path, without a trailing slash.
std::string HAL_databaseDirectory();

class DatabaseFolder {
public:
    DatabaseFolder();

    const std::string& path() const { return path_; }
    std::string storePath(const std::string& storeFolder) const { return path_ + "/" + storeFolder; }

    // The folder exists (as a directory, or a link to one).
    bool exists() const;
    // Makes the folder unless it exists: 0 or an errno value.
    int makeExisting();
    // A store folder of that name exists (a directory, not a link).
    bool hasStore(const std::string& storeFolder) const;
    // Makes a store folder: 0 or an errno value (EEXIST when it exists).
    int createStore(const std::string& storeFolder);
    // Deletes a store folder with everything in it: 0 once it has been renamed away (what
    // is left after a failure to remove its files goes with the next sweep), else an errno
    // value and the store is untouched.
    int deleteStore(const std::string& storeFolder);
    // The names of the stores, in ascending order of their units.
    std::vector<std::u16string> storeNames() const;

private:
    int flush() const;
    void sweepOnce();

    std::string path_;
};
