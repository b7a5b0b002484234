// Every image scene compared pixel for pixel with its reference picture in golden/ (made on
// purpose by scripts/make-image-references.sh).

#include <gtest/gtest.h>

#include <memory>

#include "hal/display/HALSurface.h"
#include "tests/hal/display/GoldenCheck.h"
#include "tests/hal/display/ImageScenes.h"

namespace {

TEST(GoldenImages, EverySceneMatchesItsReferencePixelForPixel) {
    for (const ImageScene& scene : imageScenes()) {
        std::unique_ptr<HALSurface> canvas(HAL_createOpaqueSurface(scene.width, scene.height));
        scene.draw(*canvas);
        const std::vector<uint16_t> drawn(canvas->pixels, canvas->pixels + scene.width * scene.height);
        expectLikeReference(std::string(OSTREL_IMAGE_GOLDEN_DIR) + "/" + scene.name + ".png", drawn, scene.width,
                            scene.height);
    }
}

}  // namespace
