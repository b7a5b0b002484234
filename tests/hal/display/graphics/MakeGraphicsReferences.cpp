// Writes the reference pictures of the graphics scenes. Run through
// scripts/make-graphics-references.sh, on purpose only: the golden test compares against what
// this wrote, so look at every picture before committing it.
//
// Usage: make_graphics_references <golden folder>

#include <cstdio>
#include <fstream>
#include <string>

#include "tests/hal/display/graphics/GraphicsScenes.h"
#include "tests/support/PngWriter.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <golden folder>\n", argv[0]);
        return 2;
    }
    for (const GraphicsScene& scene : graphicsScenes()) {
        const std::vector<uint16_t> pixels = renderGraphicsScene(scene);
        const png_writer::Bytes png = png_writer::encodeRgb565(pixels.data(), uint32_t(scene.width), uint32_t(scene.height));
        const std::string path = std::string(argv[1]) + "/" + scene.name + ".png";
        std::ofstream file(path, std::ios::binary);
        file.write(reinterpret_cast<const char*>(png.data()), std::streamsize(png.size()));
        if (pixels.empty() || !file) {
            std::fprintf(stderr, "cannot write %s\n", path.c_str());
            return 1;
        }
        std::printf("%s\n", path.c_str());
    }
    return 0;
}
