#include "lib_src/vm/SystemProperties.h"

#include <cstring>
#include <new>

#include "hal/base/FatalError.h"
#include "hal/base/Locale.h"
#include "hal/base/Memory.h"
#include "hal/services/DeviceIdentity.h"
#include "lib_src/vm/VMHeap.h"
#include "lib_src/vm/VMUtf8.h"

namespace {

constexpr int32_t kUniqueIdWorkUnits = 64;  // a 128-byte work area

char* copyText(const char* text) {
    const size_t size = std::strlen(text) + 1;
    auto* copy = static_cast<char*>(_VM_allocateBytes(size));
    std::memcpy(copy, text, size);
    return copy;
}

}  // namespace

SystemProperties* SystemProperties::getInstance() {
    static SystemProperties* instance = [] {
        void* block = _VM_allocateBytes(sizeof(SystemProperties));
        auto* properties = new (block) SystemProperties();
        properties->addBuiltIns();
        return properties;
    }();
    return instance;
}

const char* SystemProperties::get(const char* key) const {
    if (key == nullptr) return nullptr;
    const VMCString name(key);
    void* value = nullptr;
    return map_.get(name, &value) ? static_cast<const char*>(value) : nullptr;
}

void SystemProperties::add(const char* key, const char* value) {
    const VMCString name(key);
    if (map_.get(name, nullptr)) HAL_fatalError("Duplicate property detected!");
    map_.put(name, value ? copyText(value) : nullptr);
}

void SystemProperties::addBuiltIns() {
    add("microedition.configuration", "CLDC-1.1");
    add("microedition.platform", "KelvaneOstrel/PLATFORM_BRIDGE_VERSION");
    add("microedition.encoding", "UTF-8");
    add("microedition.profiles", "MIDP-2.0");

    char* locale = HAL_getLocale();
    add("microedition.locale", locale);  // without a value when the language cannot be read
    HAL_free(locale);

    add("microedition.commports", "");
    add("microedition.hostname", "");
    add("javax.microedition.io.Connector.protocolpath", "com.kelvane.ostrel.midp.io.protocol");
    add("com.kelvane.ostrel.software.version", "PLATFORM_BRIDGE_VERSION");
    add("com.kelvane.ostrel.hal.platform", HAL_getPlatformName());
    add("com.kelvane.ostrel.hal.version", HAL_getPlatformVersion());

    // Only a device that reports a unique id gets the property.
    char16_t uniqueId[kUniqueIdWorkUnits];
    uint32_t length = 0;
    if (HAL_getUniqueIdText(uniqueId, &length) == 0 && length > 0) {
        uint8_t text[kUniqueIdWorkUnits * 3 + 1];
        int32_t capacity = int32_t(sizeof text);
        _VM_utf16ToUtf8(text, &capacity, uniqueId, int32_t(length), true, true);
        add("com.kelvane.ostrel.hal.uniqueid", reinterpret_cast<const char*>(text));
    }
}
