#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

// SHA-1 digest of a byte string (FIPS 180-4). Used to derive the application-specific
// device id, so the machine's own id never leaves the process.
std::array<uint8_t, 20> sha1Digest(const uint8_t* data, size_t length);
