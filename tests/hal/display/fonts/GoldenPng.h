#pragma once

// Reference pictures for drawing tests: RGB565 pixels written to and read from 8-bit RGB
// PNG files (libpng). Each channel is widened by repeating its top bits, so reading back
// gives the same RGB565 values.

#include <cstdint>
#include <string>
#include <vector>

struct GoldenPicture {
    int32_t width = 0;
    int32_t height = 0;
    std::vector<uint16_t> pixels;  // rows of width pixels
};

bool writeGoldenPng(const std::string& path, const GoldenPicture& picture);
// False when the file is missing or not a PNG.
bool readGoldenPng(const std::string& path, GoldenPicture* picture);
