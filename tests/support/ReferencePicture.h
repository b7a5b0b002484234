#pragma once

// Reads a reference picture (PNG) as RGB565 pixels, its channels narrowed back; empty when
// the file is missing or not a PNG.

#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "hal/base/Memory.h"
#include "hal/display/PngDecoder.h"
#include "hal/display/Rgb565.h"

inline std::vector<uint16_t> readReferencePicture(const std::string& path, int32_t* width, int32_t* height) {
    std::ifstream file(path, std::ios::binary);
    const std::vector<uint8_t> bytes{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    HALDecodedPng decoded;
    if (HAL_decodePng(bytes.data(), bytes.size(), &decoded) != 0) return {};
    std::vector<uint16_t> pixels;
    for (int32_t i = 0; i < decoded.width * decoded.height; ++i)
        pixels.push_back(rgb565::fromArgb(uint32_t(decoded.argb[i])));
    HAL_free(decoded.argb);
    *width = decoded.width;
    *height = decoded.height;
    return pixels;
}
