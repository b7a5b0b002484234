#pragma once

#include <cstddef>
#include <cstdint>

// The device's unique id for this application: the SHA-1 of the machine id
// (/etc/machine-id) followed by the application data "WinCE_HAL", 20 bytes, so that the
// machine id itself is never exposed.

// Writes the id as lower-case hexadecimal UTF-16 digits (high nibble first), at most
// *length characters, no terminator; *length becomes the number written. 2 when an
// argument is null, 1 when the machine has no id, else 0.
int HAL_getDeviceUniqueId(char16_t* buffer, uint32_t* length);

// The formatting step on its own, for given id bytes.
int HAL_formatDeviceId(const uint8_t* id, size_t idLength, char16_t* buffer, uint32_t* length);

// The id bytes for a machine id text.
void HAL_deriveDeviceId(const char* machineId, size_t machineIdLength, uint8_t out[20]);
