#pragma once

// A rectangle of 32-bit signed position and size, as graphics contexts keep their clip.
//
// intersect(b) narrows the rectangle to its common part with b. Rectangles that only touch
// meet (the result then has a zero side); a rectangle with a negative side meets nothing. The
// arithmetic is done in 64 bits, so no coordinate sum overflows, and the result always lies
// within the rectangle it started as.

#include <algorithm>
#include <cstdint>

struct HALRect {
    int32_t x = 0;
    int32_t y = 0;
    int32_t width = 0;
    int32_t height = 0;

    // This rectangle becomes its intersection with b; false (and a zero size) when they do not
    // meet.
    bool intersect(const HALRect& b) {
        const int64_t dx = int64_t(b.x) - x, dy = int64_t(b.y) - y;
        const bool meet = width >= 0 && height >= 0 && b.width >= 0 && b.height >= 0 && b.width + dx >= 0 &&
                          b.height + dy >= 0 && dx <= width && dy <= height;
        if (!meet) {
            width = 0;
            height = 0;
            return false;
        }
        narrow(&x, &width, b.x, b.width, dx);
        narrow(&y, &height, b.y, b.height, dy);
        return true;
    }

    bool contains(int64_t px, int64_t py) const {
        return x <= px && px < int64_t(x) + width && y <= py && py < int64_t(y) + height;
    }

    bool empty() const { return width <= 0 || height <= 0; }

private:
    // One axis: the start moves to b's when b starts inside, and the end is the nearer one.
    static void narrow(int32_t* start, int32_t* size, int32_t bStart, int32_t bSize, int64_t offset) {
        if (offset >= 0) {
            const int64_t oldEnd = int64_t(*start) + *size;
            *start = bStart;
            *size = int32_t(std::min<int64_t>(bSize, oldEnd - bStart));
        } else {
            *size = int32_t(std::min<int64_t>(*size, bSize + offset));
        }
    }
};
