#pragma once

// A mutable image with a graphics context on it, for drawing tests: filled with one colour,
// with pixel reads and the set of pixels that differ from a colour.

#include <cstdint>
#include <set>
#include <utility>
#include <vector>

#include "hal/display/GraphicsContext.h"
#include "hal/display/HALGraphics.h"
#include "hal/display/HALPixelBuffer.h"
#include "hal/display/HALSurface.h"
#include "hal/display/Images.h"

using PixelSet = std::set<std::pair<int32_t, int32_t>>;

struct TestCanvas {
    TestCanvas(int32_t width, int32_t height, uint16_t background = 0xFFFF) {
        int code = 0;
        image = HAL_newMutableImage(width, height, &code);
        HAL_createGraphicsWithImage(&g, image);
        fill(background);
    }
    ~TestCanvas() {
        HAL_deleteGraphics(g);
        HAL_deleteImage(image);
    }
    TestCanvas(const TestCanvas&) = delete;
    TestCanvas& operator=(const TestCanvas&) = delete;

    HALSurface& surface() const { return *image->surface; }
    int32_t width() const { return image->width; }
    int32_t height() const { return image->height; }
    uint16_t at(int32_t x, int32_t y) const { return surface().row(y)[x]; }
    void fill(uint16_t colour) {
        for (int32_t y = 0; y < height(); ++y)
            for (int32_t x = 0; x < width(); ++x) surface().row(y)[x] = colour;
    }
    std::vector<uint16_t> pixels() const {
        std::vector<uint16_t> out;
        for (int32_t y = 0; y < height(); ++y) out.insert(out.end(), surface().row(y), surface().row(y) + width());
        return out;
    }
    // Every pixel that is not `background`.
    PixelSet changed(uint16_t background = 0xFFFF) const {
        PixelSet out;
        for (int32_t y = 0; y < height(); ++y)
            for (int32_t x = 0; x < width(); ++x)
                if (at(x, y) != background) out.insert({x, y});
        return out;
    }

    HALPixelBuffer* image = nullptr;
    HALGraphics* g = nullptr;
};
