#pragma once

// The pictures the graphics golden test compares pixel for pixel with the reference PNGs in
// tests/hal/display/graphics/golden/ (made by scripts/make-graphics-references.sh): lines,
// rectangles, clipped fills, ellipses, arcs, rounded rectangles, triangles, gradients and
// text, each drawn through a graphics context on a mutable image.

#include <cstdint>
#include <vector>

class HALGraphics;

struct GraphicsScene {
    const char* name;
    int32_t width;
    int32_t height;
    void (*draw)(HALGraphics* g);
};

const std::vector<GraphicsScene>& graphicsScenes();

// A white mutable image of the scene's size with the scene drawn on it, as RGB565 rows.
std::vector<uint16_t> renderGraphicsScene(const GraphicsScene& scene);
