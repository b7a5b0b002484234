#include "tests/hal/display/fonts/GoldenPng.h"

#include <cstring>
#include <png.h>

namespace {

void widen(uint16_t pixel, uint8_t* rgb) {
    const uint32_t r = pixel >> 11, g = (pixel >> 5) & 0x3F, b = pixel & 0x1F;
    rgb[0] = uint8_t((r << 3) | (r >> 2));
    rgb[1] = uint8_t((g << 2) | (g >> 4));
    rgb[2] = uint8_t((b << 3) | (b >> 2));
}

uint16_t narrow(const uint8_t* rgb) { return uint16_t(((rgb[0] >> 3) << 11) | ((rgb[1] >> 2) << 5) | (rgb[2] >> 3)); }

}  // namespace

bool writeGoldenPng(const std::string& path, const GoldenPicture& picture) {
    std::vector<uint8_t> rgb(picture.pixels.size() * 3);
    for (size_t i = 0; i < picture.pixels.size(); ++i) widen(picture.pixels[i], &rgb[i * 3]);
    png_image image;
    std::memset(&image, 0, sizeof image);
    image.version = PNG_IMAGE_VERSION;
    image.width = png_uint_32(picture.width);
    image.height = png_uint_32(picture.height);
    image.format = PNG_FORMAT_RGB;
    return png_image_write_to_file(&image, path.c_str(), 0, rgb.data(), 0, nullptr) != 0;
}

bool readGoldenPng(const std::string& path, GoldenPicture* picture) {
    png_image image;
    std::memset(&image, 0, sizeof image);
    image.version = PNG_IMAGE_VERSION;
    if (png_image_begin_read_from_file(&image, path.c_str()) == 0) return false;
    image.format = PNG_FORMAT_RGB;
    std::vector<uint8_t> rgb(PNG_IMAGE_SIZE(image));
    if (png_image_finish_read(&image, nullptr, rgb.data(), 0, nullptr) == 0) return false;
    picture->width = int32_t(image.width);
    picture->height = int32_t(image.height);
    picture->pixels.resize(size_t(image.width) * image.height);
    for (size_t i = 0; i < picture->pixels.size(); ++i) picture->pixels[i] = narrow(&rgb[i * 3]);
    return true;
}
