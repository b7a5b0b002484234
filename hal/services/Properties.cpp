#include "hal/services/Properties.h"

#include <cstring>
#include <fstream>
#include <iterator>
#include <new>
#include <string>

#include "hal/base/HALResult.h"
#include "hal/base/Memory.h"
#include "hal/services/DeviceIdentity.h"
#include "hal/services/HALPtrArray.h"
#include "hal/services/ModulePath.h"
#include "hal/services/Utf8.h"

const char16_t kDefaultMIDletName[] = u"_KV_set_your_MIDlet-Name";

namespace {

constexpr const char* kPropertyFiles[2] = {"sys.prop", "app.prop"};

HALPtrArray* lists[2] = {nullptr, nullptr};

// The lists exist before anything of the shell runs.
struct PropertyListsAtStartUp {
    PropertyListsAtStartUp() { HAL_initPropertyLists(); }
} propertyListsAtStartUp;

bool validList(int list) { return list == kSystemPropertyList || list == kApplicationPropertyList; }

int32_t unitCount(const char16_t* text) {
    int32_t count = 0;
    while (text[count] != 0) ++count;
    return count;
}

HALPropertyEntry* makeEntry(const char16_t* key, int32_t keyLength, const char16_t* value, int32_t valueLength) {
    const size_t units = size_t(keyLength) + 1 + size_t(valueLength) + 1;
    void* block = HAL_malloc(sizeof(HALPropertyEntry) + units * sizeof(char16_t));
    if (block == nullptr) return nullptr;
    auto* keyUnits = reinterpret_cast<char16_t*>(static_cast<char*>(block) + sizeof(HALPropertyEntry));
    char16_t* valueUnits = keyUnits + keyLength + 1;
    std::memcpy(keyUnits, key, size_t(keyLength) * sizeof(char16_t));
    keyUnits[keyLength] = 0;
    if (valueLength > 0) std::memcpy(valueUnits, value, size_t(valueLength) * sizeof(char16_t));
    valueUnits[valueLength] = 0;
    return new (block) HALPropertyEntry{keyUnits, keyLength, valueUnits, valueLength};
}

bool isBlank(char16_t c) { return c == u' ' || c == u'\t'; }

bool isLineEnd(char c) { return c == '\n' || c == '\r'; }

void appendPlatformProperty(const char16_t* key, const char16_t* value) {
    HAL_addProperty(kSystemPropertyList, key, value);
}

}  // namespace

void HAL_initPropertyLists() {
    for (HALPtrArray*& list : lists)
        if (list == nullptr) list = HALPtrArray::create(HALPtrArray::kDefaultCapacity, HALPtrArray::kDefaultGrowthFactor);
}

HALPtrArray* HAL_getPropertyList(int list) { return validList(list) ? lists[list] : nullptr; }

HALPropertyEntry* HAL_parsePropertyLine(const char16_t* line, int32_t length) {
    if (line == nullptr || length <= 0 || line[0] == u'#') return nullptr;
    int32_t colon = 0;
    while (colon < length && line[colon] != u':') ++colon;
    // An empty key, no colon, or a colon without the blank after it: not a property.
    if (colon == 0 || colon + 1 >= length || !isBlank(line[colon + 1])) return nullptr;
    return makeEntry(line, colon, line + colon + 2, length - colon - 2);
}

int HAL_readPropertyText(HALPtrArray* list, const char* bytes, size_t size) {
    if (list == nullptr || (bytes == nullptr && size > 0)) return HAL_BAD_ARGUMENT;
    size_t position = 0;
    if (size >= 3 && std::memcmp(bytes, "\xEF\xBB\xBF", 3) == 0) position = 3;
    while (position < size) {
        size_t end = position;
        while (end < size && !isLineEnd(bytes[end])) ++end;
        const std::u16string line = HAL_utf8ToUtf16(bytes + position, end - position);
        if (end < size && bytes[end] == '\r' && end + 1 < size && bytes[end + 1] == '\n') ++end;
        position = end + 1;
        if (line.size() > size_t(INT32_MAX)) continue;
        HALPropertyEntry* entry = HAL_parsePropertyLine(line.data(), int32_t(line.size()));
        if (entry == nullptr) continue;
        if (list->append(entry) != HAL_OK) {
            HAL_free(entry);
            return HAL_OUT_OF_MEMORY;
        }
    }
    return HAL_OK;
}

void HAL_loadPropertyFile(int list) {
    HALPtrArray* target = HAL_getPropertyList(list);
    if (target == nullptr) return;
    char* path = HAL_allocModulePath(kPropertiesFolder, kPropertyFiles[list]);
    if (path == nullptr) return;
    std::ifstream file(path, std::ios::binary);
    HAL_free(path);
    if (!file) return;
    const std::string text{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    HAL_readPropertyText(target, text.data(), text.size());
}

void HAL_addPlatformProperties() {
    HAL_loadPropertyFile(kSystemPropertyList);
    HAL_loadPropertyFile(kApplicationPropertyList);
    if (lists[kSystemPropertyList] == nullptr) return;
    appendPlatformProperty(u"device.manufacturer", HAL_getDeviceManufacturer());
    appendPlatformProperty(u"device.model", HAL_getDeviceModel());
    appendPlatformProperty(u"device.name", HAL_getDeviceName());
    appendPlatformProperty(u"os.name", HAL_getOSName());
    appendPlatformProperty(u"os.version", HAL_getOSVersion());
    appendPlatformProperty(u"os.arch", HAL_getOSArch());
}

void HAL_addProperty(int list, const char16_t* key, const char16_t* value) {
    HALPtrArray* target = HAL_getPropertyList(list);
    if (target == nullptr || key == nullptr || value == nullptr || key[0] == 0) return;
    HALPropertyEntry* entry = makeEntry(key, unitCount(key), value, unitCount(value));
    if (entry != nullptr && target->append(entry) != HAL_OK) HAL_free(entry);
}

const HALPropertyEntry* HAL_findPropertyIn(const HALPtrArray* list, const char16_t* key, int32_t keyLength) {
    if (list == nullptr || keyLength <= 0 || key == nullptr) return nullptr;
    for (int32_t i = list->size() - 1; i >= 0; --i) {
        const auto* entry = static_cast<const HALPropertyEntry*>(list->at(i));
        if (entry->keyLength == keyLength && std::memcmp(entry->key, key, size_t(keyLength) * sizeof(char16_t)) == 0)
            return entry;
    }
    return nullptr;
}

const HALPropertyEntry* HAL_findProperty(int list, const char16_t* key, int32_t keyLength) {
    return HAL_findPropertyIn(HAL_getPropertyList(list), key, keyLength);
}

int32_t HAL_getPropertyLength(int list, const char16_t* key, int32_t keyLength) {
    const HALPropertyEntry* entry = HAL_findProperty(list, key, keyLength);
    return entry ? entry->valueLength : -1;
}

int HAL_getProperty(int list, const char16_t* key, int32_t keyLength, char16_t* buffer, int32_t* length) {
    if (keyLength < 0 || (keyLength >= 1 && key == nullptr)) return HAL_BAD_ARGUMENT;
    if (buffer != nullptr && (length == nullptr || *length < 0)) return HAL_BAD_ARGUMENT;
    const HALPropertyEntry* entry = HAL_findProperty(list, key, keyLength);
    if (entry == nullptr) return HAL_NOT_FOUND;
    if (buffer == nullptr) {
        // Asked for the length only.
        if (length != nullptr) *length = entry->valueLength;
        return HAL_OK;
    }
    const int32_t count = entry->valueLength < *length ? entry->valueLength : *length;
    std::memcpy(buffer, entry->value, size_t(count) * sizeof(char16_t));
    *length = count;
    return HAL_OK;
}

int32_t HAL_getSystemPropertyLength(const char16_t* key, int32_t keyLength) {
    return HAL_getPropertyLength(kSystemPropertyList, key, keyLength);
}

int HAL_getSystemProperty(const char16_t* key, int32_t keyLength, char16_t* buffer, int32_t* length) {
    return HAL_getProperty(kSystemPropertyList, key, keyLength, buffer, length);
}

int32_t HAL_getApplicationPropertyLength(const char16_t* key, int32_t keyLength) {
    return HAL_getPropertyLength(kApplicationPropertyList, key, keyLength);
}

int HAL_getApplicationProperty(const char16_t* key, int32_t keyLength, char16_t* buffer, int32_t* length) {
    return HAL_getProperty(kApplicationPropertyList, key, keyLength, buffer, length);
}

void HAL_freePropertyList(int list) {
    if (!validList(list) || lists[list] == nullptr) return;
    HALPtrArray* target = lists[list];
    for (int32_t i = target->size() - 1; i >= 0; --i) HAL_free(target->at(i));
    HALPtrArray::destroy(target);
    lists[list] = nullptr;
}

void HAL_freeProperties() {
    HAL_freePropertyList(kApplicationPropertyList);
    HAL_freePropertyList(kSystemPropertyList);
}

const char16_t* HAL_getMIDletName() {
    static constexpr char16_t key[] = u"MIDlet-Name";
    const HALPropertyEntry* entry = HAL_findProperty(kApplicationPropertyList, key, int32_t(std::size(key) - 1));
    if (entry == nullptr || entry->valueLength < 1) return kDefaultMIDletName;
    auto* name = static_cast<char16_t*>(HAL_malloc((size_t(entry->valueLength) + 1) * sizeof(char16_t)));
    if (name == nullptr) return kDefaultMIDletName;
    std::memcpy(name, entry->value, (size_t(entry->valueLength) + 1) * sizeof(char16_t));
    return name;
}

void HAL_releaseMIDletName(const char16_t* name) {
    if (name != kDefaultMIDletName) HAL_free(const_cast<char16_t*>(name));
}
