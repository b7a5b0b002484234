#pragma once

// Who the device is: the texts of the platform properties ("device.manufacturer",
// "device.model", "device.name", "os.name", "os.version", "os.arch"), the platform's own
// name and version, the unique-id text and the device id that selects input quirks.
//
// Here the device is the Linux machine: the model and the architecture are uname's machine
// ("x86_64"), the device name its node name, the operating system uname's system name and
// the major and minor numbers of its release; the manufacturer is the firmware's vendor
// text where the system shows it (/sys/class/dmi/id/sys_vendor). Each text is read once
// and kept for the life of the process; a text that cannot be read is empty. The
// manufacturer, model and name keep at most 63 UTF-16 units, the other texts at most 64.

#include <cstdint>

constexpr int32_t kIdentityTextUnits = 63;
constexpr int32_t kSystemTextUnits = 64;

const char16_t* HAL_getDeviceManufacturer();
const char16_t* HAL_getDeviceModel();
const char16_t* HAL_getDeviceName();
const char16_t* HAL_getOSName();
const char16_t* HAL_getOSVersion();
const char16_t* HAL_getOSArch();

// The platform layer's name and version, as the built-in system properties give them.
const char* HAL_getPlatformName();     // "WindowsMobile"
const char* HAL_getPlatformVersion();  // "1"

// The device id of the model text, cached after the first call: the row of the device table
// equal to the model text (compared over at most 64 units), 1 (unknown device) when none is.
int32_t HAL_getDeviceId();
// The same lookup for a given model text (null counts as empty), without the cache.
int32_t HAL_deviceIdForModel(const char16_t* model);

// "%d.%d" of the major and minor numbers at the start of a release text ("6.1.0-18-amd64"
// gives "6.1", "5" gives "5.0"); a text that does not start with a number is kept as it is.
// At most 64 units and a terminator go to out.
void HAL_formatOSVersion(const char* release, char16_t out[kSystemTextUnits + 1]);

// UTF-8 text as at most maxUnits UTF-16 units and a terminator (a surrogate pair is never
// cut in half); null gives the empty text.
void HAL_identityText(const char* utf8, char16_t* out, int32_t maxUnits);

// The unique-id text: the first four characters of the platform name (padded with "_" when
// shorter) followed by at most 60 hexadecimal digits from the id source. buffer holds at
// least 64 units; *length becomes the number written. 1 with *length 0 when the source fails
// or writes no digit; 2 for null arguments; else 0.
int HAL_formatUniqueIdText(const char* platformName, int (*idSource)(char16_t* digits, uint32_t* count),
                           char16_t* buffer, uint32_t* length);
// The same with this platform's name and HAL_getDeviceUniqueId.
int HAL_getUniqueIdText(char16_t* buffer, uint32_t* length);
