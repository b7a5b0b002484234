// Writes the seed corpus of the image-decoding fuzz target: small files of every colour type
// and depth. Run through scripts/make-image-references.sh. Usage: make_image_references <seed folder>

#include <cstdio>
#include <fstream>
#include <string>

#include "tests/support/PngWriter.h"

namespace {

bool save(const std::string& path, const png_writer::Bytes& bytes) {
    std::ofstream file(path, std::ios::binary);
    file.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    return bool(file);
}

png_writer::Picture seedPicture(uint32_t width, uint32_t height, uint8_t bitDepth, uint8_t colorType, bool interlaced) {
    png_writer::Picture picture;
    picture.width = width;
    picture.height = height;
    picture.bitDepth = bitDepth;
    picture.colorType = colorType;
    picture.interlaced = interlaced;
    const uint32_t top = (1u << bitDepth) - 1;
    const int channels = png_writer::channelsOf(colorType);
    for (uint32_t i = 0; i < width * height * uint32_t(channels); ++i)
        picture.samples.push_back(uint16_t((i * 37 + i / 5) % (top + 1)));
    if (colorType == png_writer::kPalette) {
        for (uint32_t i = 0; i <= top; ++i)
            picture.palette.insert(picture.palette.end(), {uint8_t(i * 40), uint8_t(255 - i * 9), uint8_t(i * 3)});
    }
    return picture;
}

// Small files of every colour type and depth, with and without tRNS and interlacing.
bool writeSeeds(const std::string& folder) {
    struct Kind {
        const char* name;
        uint8_t depth;
        uint8_t type;
    };
    const Kind kinds[] = {{"palette1", 1, png_writer::kPalette},
                          {"palette4", 4, png_writer::kPalette},
                          {"palette8", 8, png_writer::kPalette},
                          {"grey1", 1, png_writer::kGrey},
                          {"grey2", 2, png_writer::kGrey},
                          {"grey8", 8, png_writer::kGrey},
                          {"grey16", 16, png_writer::kGrey},
                          {"greyalpha8", 8, png_writer::kGreyAlpha},
                          {"greyalpha16", 16, png_writer::kGreyAlpha},
                          {"rgb8", 8, png_writer::kRgb},
                          {"rgb16", 16, png_writer::kRgb},
                          {"rgba8", 8, png_writer::kRgba},
                          {"rgba16", 16, png_writer::kRgba}};
    bool ok = true;
    for (const Kind& kind : kinds) {
        png_writer::Picture picture = seedPicture(7, 5, kind.depth, kind.type, false);
        ok &= save(folder + "/" + kind.name + ".png", png_writer::encode(picture));
        picture.interlaced = true;
        ok &= save(folder + "/" + kind.name + "_interlaced.png", png_writer::encode(picture));
        if (kind.type == png_writer::kPalette) picture.transparency = {0, 128, 255, 7};
        if (kind.type == png_writer::kGrey) picture.transparency = {0, 1};
        if (kind.type == png_writer::kRgb) picture.transparency = {0, 1, 0, 2, 0, 3};
        if (!picture.transparency.empty())
            ok &= save(folder + "/" + kind.name + "_trns.png", png_writer::encode(picture));
    }
    ok &= save(folder + "/single_pixel.png", png_writer::encode(seedPicture(1, 1, 8, png_writer::kRgba, false)));
    return ok;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <seed folder>\n", argv[0]);
        return 2;
    }
    if (!writeSeeds(argv[1])) {
        std::fprintf(stderr, "cannot write the seeds into %s\n", argv[1]);
        return 1;
    }
    std::printf("seeds in %s\n", argv[1]);
    return 0;
}
