// Every graphics scene compared pixel for pixel with its reference picture in golden/ (made
// on purpose by scripts/make-graphics-references.sh, which runs this test to write them).

#include <gtest/gtest.h>

#include "tests/hal/display/GoldenCheck.h"
#include "tests/hal/display/graphics/GraphicsScenes.h"

namespace {

TEST(GraphicsGolden, EverySceneMatchesItsReferencePixelForPixel) {
    for (const GraphicsScene& scene : graphicsScenes())
        expectLikeReference(std::string(OSTREL_GRAPHICS_GOLDEN_DIR) + "/" + scene.name + ".png",
                            renderGraphicsScene(scene), scene.width, scene.height);
}

}  // namespace
