// Every graphics scene compared pixel for pixel with its reference picture in golden/ (made
// on purpose by scripts/make-graphics-references.sh).

#include <gtest/gtest.h>

#include "tests/support/ReferencePicture.h"

#include <string>

#include "tests/hal/display/graphics/GraphicsScenes.h"

namespace {

std::vector<uint16_t> reference(const std::string& name, int32_t* width, int32_t* height) {
    return readReferencePicture(std::string(OSTREL_GRAPHICS_GOLDEN_DIR) + "/" + name + ".png", width, height);
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
