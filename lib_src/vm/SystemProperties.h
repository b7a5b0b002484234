#pragma once

// The runtime's own system properties: fixed answers of the configuration that a property
// file cannot change. System.getProperty asks them first and the platform's system
// property list (hal/services/Properties.h) only for keys they do not answer.
//
// One process-wide map from modified UTF-8 keys to modified UTF-8 values, made and filled
// on first use (callers hold the VM lock). A key may be present without a value
// ("microedition.locale" when the user's language cannot be read): get then answers null
// and the lookup goes on to the platform's list.

#include "lib_src/vm/VMStringMap.h"

class SystemProperties {
public:
    static SystemProperties* getInstance();

    // The value of key, or null (absent key, key without value, null key).
    const char* get(const char* key) const;
    // Inserts a copy of key and of value (null: no value). A key that is already present ends
    // the process through the fatal exit with "Duplicate property detected!".
    void add(const char* key, const char* value);

    int32_t count() const { return map_.count(); }

    SystemProperties(const SystemProperties&) = delete;
    SystemProperties& operator=(const SystemProperties&) = delete;

private:
    SystemProperties() = default;
    ~SystemProperties() = default;
    void addBuiltIns();

    VMStringMap map_;
};
