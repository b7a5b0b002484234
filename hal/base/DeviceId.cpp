#include "hal/base/DeviceId.h"

#include <cstring>
#include <fstream>
#include <string>
#include <vector>

#include "hal/base/HALResult.h"
#include "hal/base/Sha1.h"

namespace {

constexpr char kApplicationData[] = "WinCE_HAL";
constexpr char kHexDigits[] = "0123456789abcdef";

bool readMachineId(std::string* id) {
    for (const char* path : {"/etc/machine-id", "/var/lib/dbus/machine-id"}) {
        std::ifstream file(path);
        if (file >> *id && !id->empty()) return true;
    }
    return false;
}

}  // namespace

void HAL_deriveDeviceId(const char* machineId, size_t machineIdLength, uint8_t out[20]) {
    std::vector<uint8_t> input(machineId, machineId + machineIdLength);
    input.insert(input.end(), kApplicationData, kApplicationData + std::strlen(kApplicationData));
    const auto digest = sha1Digest(input.data(), input.size());
    std::memcpy(out, digest.data(), digest.size());
}

int HAL_formatDeviceId(const uint8_t* id, size_t idLength, char16_t* buffer, uint32_t* length) {
    if (buffer == nullptr || length == nullptr) return HAL_BAD_ARGUMENT;
    uint32_t written = 0;
    for (size_t i = 0; i < idLength && written < *length; ++i) {
        buffer[written++] = char16_t(kHexDigits[id[i] >> 4]);
        if (written < *length) buffer[written++] = char16_t(kHexDigits[id[i] & 15]);
    }
    *length = written;
    return HAL_OK;
}

int HAL_getDeviceUniqueId(char16_t* buffer, uint32_t* length) {
    if (buffer == nullptr || length == nullptr) return HAL_BAD_ARGUMENT;
    std::string machineId;
    if (!readMachineId(&machineId)) return HAL_NOT_IMPLEMENTED;
    uint8_t id[20];
    HAL_deriveDeviceId(machineId.data(), machineId.size(), id);
    return HAL_formatDeviceId(id, sizeof id, buffer, length);
}
