#include "hal/services/OpenStoreTable.h"

#include <map>

#include "hal/services/RecordStoreFolder.h"

namespace {

std::map<std::string, std::weak_ptr<RecordStoreFolder>>& table() {
    static auto* const stores = new std::map<std::string, std::weak_ptr<RecordStoreFolder>>;
    return *stores;
}

// Entries whose last handle has been closed.
void dropClosed() {
    std::erase_if(table(), [](const auto& entry) { return entry.second.expired(); });
}

}  // namespace

std::shared_ptr<RecordStoreFolder> OpenStoreTable::find(const std::string& path) {
    const auto at = table().find(path);
    return at == table().end() ? nullptr : at->second.lock();
}

void OpenStoreTable::add(const std::string& path, const std::shared_ptr<RecordStoreFolder>& folder) {
    dropClosed();
    table()[path] = folder;
}

std::shared_ptr<RecordStoreFolder> OpenStoreTable::take(const std::string& path) {
    const auto at = table().find(path);
    if (at == table().end()) return nullptr;
    std::shared_ptr<RecordStoreFolder> folder = at->second.lock();
    table().erase(at);
    return folder;
}
