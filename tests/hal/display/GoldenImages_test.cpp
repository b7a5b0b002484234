#include <gtest/gtest.h>

#include "tests/support/ReferencePicture.h"

#include <memory>

#include "hal/display/HALSurface.h"
#include "tests/hal/display/ImageScenes.h"

namespace {

std::vector<uint16_t> reference(const std::string& name, int32_t* width, int32_t* height) {
    return readReferencePicture(std::string(OSTREL_IMAGE_GOLDEN_DIR) + "/" + name + ".png", width, height);
}

TEST(GoldenImages, EverySceneMatchesItsReferencePixelForPixel) {
    for (const ImageScene& scene : imageScenes()) {
        std::unique_ptr<HALSurface> canvas(HAL_createOpaqueSurface(scene.width, scene.height));
        scene.draw(*canvas);
        int32_t width = 0, height = 0;
        const std::vector<uint16_t> expected = reference(scene.name, &width, &height);
        ASSERT_FALSE(expected.empty()) << scene.name << ": no reference (scripts/make-image-references.sh)";
        ASSERT_EQ(width, scene.width) << scene.name;
        ASSERT_EQ(height, scene.height) << scene.name;
        int mismatches = 0;
        for (int32_t y = 0; y < height; ++y) {
            for (int32_t x = 0; x < width; ++x) {
                const uint16_t want = expected[size_t(y) * width + x], got = canvas->row(y)[x];
                if (want != got && ++mismatches <= 5)
                    ADD_FAILURE() << scene.name << " (" << x << ", " << y << "): " << std::hex << got << " not "
                                  << want;
            }
        }
        EXPECT_EQ(mismatches, 0) << scene.name;
    }
}

}  // namespace
