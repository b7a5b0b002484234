#pragma once

// The pictures the golden-image test compares pixel for pixel with the reference PNGs in
// tests/hal/display/golden/ (made by scripts/make-image-references.sh): region blits with
// every transform, clipped on each edge; each surface format at the alpha thresholds; the
// format overrides; RGB data with and without alpha; overlapping area copies; and decoded PNGs
// of each colour type.

#include <cstdint>
#include <vector>

class HALSurface;

struct ImageScene {
    const char* name;
    int32_t width;
    int32_t height;
    void (*draw)(HALSurface& canvas);
};

const std::vector<ImageScene>& imageScenes();
