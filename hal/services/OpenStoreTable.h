#pragma once

// The stores open in this process, by folder path: every handle opened on one store shares
// its RecordStoreFolder, which lives while a handle has it. Callers hold the record-store
// lock.

#include <memory>
#include <string>

class RecordStoreFolder;

class OpenStoreTable {
public:
    // The store open at path, or null.
    static std::shared_ptr<RecordStoreFolder> find(const std::string& path);
    static void add(const std::string& path, const std::shared_ptr<RecordStoreFolder>& folder);
    // Forgets the store at path (its folder is being deleted) and returns it, or null.
    static std::shared_ptr<RecordStoreFolder> take(const std::string& path);
};
