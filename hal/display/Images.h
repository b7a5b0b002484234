#pragma once

// The profile's image operations: decoded, RGB-built, mutable and transparent mutable images,
// their release, their pixels read back as ARGB and their alpha question.
//
// Result codes: 0 ok, 2 bad argument, 4 resource not found, 5 out of memory, 6 undecodable
// data, 7 resource read failure. Sides of every image are 1 to 32767. On failure the output
// image is null and nothing stays allocated.

#include <cstdint>

class HALPixelBuffer;

// Decodes length bytes (5 and a retry after a collection when memory runs out; 6 for anything
// undecodable, empty or null input included; 2 for a null out). The size outputs may be null.
int HAL_createImageWithData(HALPixelBuffer** out, const uint8_t* bytes, int32_t length, int32_t* width,
                            int32_t* height);
// Loads the named resource whole (its code on failure: 4 not found, 5, 7) and decodes it as
// above.
int HAL_createImageWithResource(HALPixelBuffer** out, const char16_t* name, int32_t nameLength, int32_t* width,
                                int32_t* height);
// An image of width x height ARGB values, rows width apart. 2 for a null out or values, fewer
// than one value, a side outside 1 to 32767, or fewer values than width x height.
int HAL_createImageWithRGB(HALPixelBuffer** out, const int32_t* values, int32_t count, int32_t width, int32_t height,
                           bool processAlpha);
// An opaque white image (2 for a null out or a bad size).
int HAL_createMutableImage(HALPixelBuffer** out, int32_t width, int32_t height);
// A format-3 image with every pixel 0 and every alpha 0 (2 for a null out or a bad size).
int HAL_createTransparentMutableImage(HALPixelBuffer** out, int32_t width, int32_t height);
// Releases the image's reference (nothing for null); 0.
int HAL_deleteImage(HALPixelBuffer* image);
// The region (x, y, width, height) as ARGB values into out, rows scanlength apart. Nothing
// for a width or height below 1. 2 for a null image or out, a region not inside the image, or
// rows that would run past the available values after out; else 0.
int HAL_getImmutableRGB(HALPixelBuffer* image, int32_t* out, int32_t available, int32_t scanlength, int32_t x,
                        int32_t y, int32_t width, int32_t height);
// Whether the image has transparency (any format but opaque); 2 for null arguments.
int HAL_getImmutableHasAlpha(HALPixelBuffer* image, bool* hasAlpha);

// The builders behind the mutable factories: the image, or null with *code 2 or 5.
HALPixelBuffer* HAL_newMutableImage(int32_t width, int32_t height, int* code);
HALPixelBuffer* HAL_newTransparentMutableImage(int32_t width, int32_t height, int* code);
