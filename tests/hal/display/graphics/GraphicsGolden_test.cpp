// Every graphics scene compared pixel for pixel with its reference picture in golden/ (made
// on purpose by scripts/make-graphics-references.sh).

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>

#include "hal/base/Memory.h"
#include "hal/display/PngDecoder.h"
#include "hal/display/Rgb565.h"
#include "tests/hal/display/graphics/GraphicsScenes.h"

namespace {

// The reference picture as RGB565 pixels (its channels narrowed back), empty when missing.
std::vector<uint16_t> reference(const std::string& name, int32_t* width, int32_t* height) {
    std::ifstream file(std::string(OSTREL_GRAPHICS_GOLDEN_DIR) + "/" + name + ".png", std::ios::binary);
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

TEST(GraphicsGolden, EverySceneMatchesItsReferencePixelForPixel) {
    for (const GraphicsScene& scene : graphicsScenes()) {
        const std::vector<uint16_t> drawn = renderGraphicsScene(scene);
        int32_t width = 0, height = 0;
        const std::vector<uint16_t> expected = reference(scene.name, &width, &height);
        ASSERT_FALSE(expected.empty()) << scene.name << ": no reference (scripts/make-graphics-references.sh)";
        ASSERT_EQ(width, scene.width) << scene.name;
        ASSERT_EQ(height, scene.height) << scene.name;
        ASSERT_EQ(drawn.size(), expected.size()) << scene.name;
        int mismatches = 0;
        for (size_t i = 0; i < expected.size(); ++i) {
            if (drawn[i] != expected[i] && ++mismatches <= 5)
                ADD_FAILURE() << scene.name << " (" << i % size_t(width) << ", " << i / size_t(width) << "): " << std::hex
                              << drawn[i] << " not " << expected[i];
        }
        EXPECT_EQ(mismatches, 0) << scene.name;
    }
}

}  // namespace
