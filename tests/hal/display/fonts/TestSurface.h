#pragma once

// An RGB565 surface over a vector of its own, for drawing tests: filled with one colour,
// with pixel reads, rectangle fills and the box of changed pixels.

#include <cstdint>
#include <vector>

#include "hal/display/HALSurface.h"
#include "hal/display/TextRenderer.h"

struct TestSurface {
    TestSurface(int32_t width, int32_t height, uint16_t background)
        : pixels(size_t(width) * size_t(height), background),
          surface(pixels.data(), width, height, width, kSurfaceOpaque) {}
    TestSurface(const TestSurface&) = delete;
    TestSurface& operator=(const TestSurface&) = delete;

    uint16_t at(int32_t x, int32_t y) const { return pixels[size_t(y) * size_t(surface.width) + size_t(x)]; }
    HALTextClip whole() const { return {0, 0, surface.width, surface.height}; }
    void fill(const HALTextClip& box, uint16_t colour) {
        for (int32_t y = box.y; y < box.y + box.height; ++y)
            for (int32_t x = box.x; x < box.x + box.width; ++x) pixels[size_t(y) * size_t(surface.width) + size_t(x)] = colour;
    }
    // The smallest box holding every pixel that differs from `background`; width 0 when none.
    HALTextClip changed(uint16_t background) const {
        int32_t left = surface.width, top = surface.height, right = -1, bottom = -1;
        for (int32_t y = 0; y < surface.height; ++y)
            for (int32_t x = 0; x < surface.width; ++x)
                if (at(x, y) != background) {
                    left = x < left ? x : left;
                    right = x > right ? x : right;
                    top = y < top ? y : top;
                    bottom = y > bottom ? y : bottom;
                }
        if (right < 0) return {0, 0, 0, 0};
        return {left, top, right - left + 1, bottom - top + 1};
    }

    std::vector<uint16_t> pixels;
    HALSurface surface;
};
