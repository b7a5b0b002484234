#include "hal/services/DeviceIdentity.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <sys/utsname.h>

#include "hal/base/DeviceId.h"
#include "hal/base/HALResult.h"
#include "hal/services/Utf8.h"

namespace {

constexpr uint32_t kUniqueIdPrefixUnits = 4;
constexpr uint32_t kUniqueIdDigits = 60;

struct DeviceRow {
    const char16_t* model;
    int32_t id;
};

// Devices whose touch screens need input quirks (selected by id).
constexpr DeviceRow kDeviceTable[] = {
    {u"Microsoft DeviceEmulator", 2},
    {u"HTC Touch Diamond P3700", 3},
    {u"DIAM500", 3},
    {u"HTC-P4600", 4},
    {u"HTC", 5},
    {u"O2 Xda Atom Exec", 6},
    {u"PA10A1", 7},
};
constexpr int32_t kUnknownDevice = 1;
constexpr int32_t kModelCompareUnits = 64;

// One identity text, read on first use and kept.
struct IdentityText {
    char16_t units[kSystemTextUnits + 1] = {};
};

struct Uname {
    bool valid;
    utsname names;
};

const Uname& systemNames() {
    static const Uname result = [] {
        Uname u{};
        u.valid = uname(&u.names) == 0;
        return u;
    }();
    return result;
}

std::string firstLineOf(const char* path) {
    std::ifstream file(path);
    std::string line;
    if (file) std::getline(file, line);
    while (!line.empty() && (line.back() == ' ' || line.back() == '\r')) line.pop_back();
    return line;
}

bool equalOver(const char16_t* a, const char16_t* b, int32_t units) {
    for (int32_t i = 0; i < units; ++i) {
        if (a[i] != b[i]) return false;
        if (a[i] == 0) return true;
    }
    return true;
}

}  // namespace

void HAL_identityText(const char* utf8, char16_t* out, int32_t maxUnits) {
    const std::u16string text = utf8 ? HAL_utf8ToUtf16(utf8, std::strlen(utf8)) : std::u16string();
    int32_t count = int32_t(text.size() < size_t(maxUnits) ? text.size() : size_t(maxUnits));
    if (count > 0 && count < int32_t(text.size()) && text[count - 1] >= 0xD800 && text[count - 1] <= 0xDBFF)
        --count;  // the high half of a pair whose low half did not fit
    std::memcpy(out, text.data(), size_t(count) * sizeof(char16_t));
    out[count] = 0;
}

void HAL_formatOSVersion(const char* release, char16_t out[kSystemTextUnits + 1]) {
    char text[kSystemTextUnits * 4 + 1];
    const char* r = release ? release : "";
    if (*r >= '0' && *r <= '9') {
        char* end = nullptr;
        const long major = std::strtol(r, &end, 10);
        long minor = 0;
        if (*end == '.' && end[1] >= '0' && end[1] <= '9') minor = std::strtol(end + 1, nullptr, 10);
        std::snprintf(text, sizeof text, "%ld.%ld", major, minor);
        r = text;
    }
    HAL_identityText(r, out, kSystemTextUnits);
}

const char16_t* HAL_getDeviceManufacturer() {
    static const IdentityText text = [] {
        IdentityText t;
        HAL_identityText(firstLineOf("/sys/class/dmi/id/sys_vendor").c_str(), t.units, kIdentityTextUnits);
        return t;
    }();
    return text.units;
}

const char16_t* HAL_getDeviceModel() {
    static const IdentityText text = [] {
        IdentityText t;
        HAL_identityText(systemNames().valid ? systemNames().names.machine : nullptr, t.units, kIdentityTextUnits);
        return t;
    }();
    return text.units;
}

const char16_t* HAL_getDeviceName() {
    static const IdentityText text = [] {
        IdentityText t;
        HAL_identityText(systemNames().valid ? systemNames().names.nodename : nullptr, t.units, kIdentityTextUnits);
        return t;
    }();
    return text.units;
}

const char16_t* HAL_getOSName() {
    static const IdentityText text = [] {
        IdentityText t;
        HAL_identityText(systemNames().valid ? systemNames().names.sysname : nullptr, t.units, kSystemTextUnits);
        return t;
    }();
    return text.units;
}

const char16_t* HAL_getOSVersion() {
    static const IdentityText text = [] {
        IdentityText t;
        if (systemNames().valid) HAL_formatOSVersion(systemNames().names.release, t.units);
        return t;
    }();
    return text.units;
}

const char16_t* HAL_getOSArch() {
    static const IdentityText text = [] {
        IdentityText t;
        HAL_identityText(systemNames().valid ? systemNames().names.machine : nullptr, t.units, kSystemTextUnits);
        return t;
    }();
    return text.units;
}

const char* HAL_getPlatformName() { return "WindowsMobile"; }
const char* HAL_getPlatformVersion() { return "1"; }

int32_t HAL_deviceIdForModel(const char16_t* model) {
    const char16_t* text = model ? model : u"";
    for (const DeviceRow& row : kDeviceTable)
        if (equalOver(text, row.model, kModelCompareUnits)) return row.id;
    return kUnknownDevice;
}

int32_t HAL_getDeviceId() {
    static const int32_t id = HAL_deviceIdForModel(HAL_getDeviceModel());
    return id;
}

int HAL_formatUniqueIdText(const char* platformName, int (*idSource)(char16_t* digits, uint32_t* count),
                           char16_t* buffer, uint32_t* length) {
    if (platformName == nullptr || idSource == nullptr || buffer == nullptr || length == nullptr)
        return HAL_BAD_ARGUMENT;
    *length = 0;
    bool nameEnded = false;
    for (uint32_t i = 0; i < kUniqueIdPrefixUnits; ++i) {
        nameEnded = nameEnded || platformName[i] == '\0';
        buffer[i] = nameEnded ? u'_' : char16_t(static_cast<unsigned char>(platformName[i]));
    }
    uint32_t digits = kUniqueIdDigits;
    if (idSource(buffer + kUniqueIdPrefixUnits, &digits) != HAL_OK || digits == 0) return HAL_NOT_IMPLEMENTED;
    if (digits > kUniqueIdDigits) digits = kUniqueIdDigits;
    *length = kUniqueIdPrefixUnits + digits;
    return HAL_OK;
}

int HAL_getUniqueIdText(char16_t* buffer, uint32_t* length) {
    return HAL_formatUniqueIdText(HAL_getPlatformName(), &HAL_getDeviceUniqueId, buffer, length);
}
