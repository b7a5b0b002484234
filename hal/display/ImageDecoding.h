#pragma once

// Encoded image bytes to an image: decoded to 32-bit ARGB once, then stored in the cheapest
// surface format its alpha values allow. Result codes: 0, 5 when memory runs out, 6 for every
// other failure (the profile treats any other code as fatal).

#include <cstdint>

class HALPixelBuffer;

// The image, or null with *code 5 or 6 (*code is 0 on success).
HALPixelBuffer* HAL_decodeImage(const uint8_t* bytes, int32_t length, int* code);

// HAL_decodeImage; when memory ran out, one collection of the runtime heap (under the VM lock,
// after making the calling thread current) and one more decode, whose result stands.
HALPixelBuffer* HAL_decodeImageRetrying(const uint8_t* bytes, int32_t length, int* code);
