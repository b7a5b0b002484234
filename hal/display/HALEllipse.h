#pragma once

// The ellipse in a box (x, y, w, h) and its two integer walks over one quadrant.
//
// Semi-axes a = w >> 1 and b = h >> 1; an odd width or height shifts the left or the lower
// half by one pixel, so the curve spans columns x to x + w and rows y to y + h. A walk visits
// offsets (dx, dy) from the centre, dx growing from 0 and dy falling from b to 0; each visit
// stands for one point in each quadrant (column() and row() place it).
//
// - The midpoint walk tells at each visit whether it is the last one on its row, where the
//   row is at its widest (what a fill needs).
// - The arc walk steps to whichever of the three neighbours stays nearest the curve; a fill
//   takes each column at its first visit, where the curve is highest.
//
// The decision terms are 64-bit; boxes with a side above kMaxSide are not walked (their
// terms would not fit), see drawable().

#include <cstdint>

class HALEllipse {
public:
    static constexpr int64_t kMaxSide = int64_t(1) << 20;

    HALEllipse(int64_t x, int64_t y, int64_t width, int64_t height)
        : a(width >> 1), b(height >> 1), oddW(width & 1), oddH(height & 1), cx(x + a + oddW), cy(y + b) {}

    // Sides from 1 to kMaxSide.
    static bool drawable(int64_t width, int64_t height) {
        return width >= 1 && height >= 1 && width <= kMaxSide && height <= kMaxSide;
    }

    // Where the point (dx, dy) of a quadrant (0 top right, 1 top left, 2 bottom left, 3
    // bottom right) lies.
    int64_t column(int32_t quadrant, int64_t dx) const { return quadrant == 0 || quadrant == 3 ? cx + dx : cx - dx - oddW; }
    int64_t row(int32_t quadrant, int64_t dy) const { return quadrant < 2 ? cy - dy : cy + dy + oddH; }

    // visit(dx, dy, widest)
    template <class Visit>
    void midpointWalk(Visit visit) const;
    // visit(dx, dy)
    template <class Visit>
    void arcWalk(Visit visit) const;
    int64_t arcPointCount() const;

    const int64_t a;
    const int64_t b;
    const int64_t oddW;
    const int64_t oddH;
    const int64_t cx;
    const int64_t cy;
};

template <class Visit>
void HALEllipse::midpointWalk(Visit visit) const {
    const int64_t a2 = a * a, b2 = b * b;
    int64_t px = 4 * b2, py = 4 * a2 * (b - 1);
    int64_t dx = 0, dy = b;
    int64_t d = 2 * b2 - (py >> 1) - (a2 >> 1) - a2;
    while (py >= d) {
        const bool rowEnds = d > 0;
        visit(dx, dy, rowEnds);
        if (rowEnds) {
            d -= py;
            py -= 4 * a2;
            --dy;
        }
        d += px + 2 * b2;
        px += 4 * b2;
        ++dx;
    }
    int64_t d2 = d + ((b2 - (b2 >> 1) - px - py - a2 + (a2 >> 1)) >> 1);
    while (dy >= 0) {
        visit(dx, dy, true);
        if (d2 < 1) {
            d2 += px;
            px += 4 * b2;
            ++dx;
        }
        d2 += 2 * a2 - py;
        py -= 4 * a2;
        --dy;
    }
}

template <class Visit>
void HALEllipse::arcWalk(Visit visit) const {
    const int64_t a2 = a * a, b2 = b * b;
    int64_t dx = 0, dy = b;
    int64_t d = (1 - 2 * b) * a2 + 2 * b2;
    int64_t e = b2 - (2 * b - 1) * 2 * a2;
    while (dy >= 0) {
        visit(dx, dy);
        if (d < 0) {
            d += (2 * dx + 3) * 2 * b2;
            e += (dx + 1) * 4 * b2;
            ++dx;
        } else if (e < 0) {
            d += (2 * dx + 3) * 2 * b2 - (dy - 1) * 4 * a2;
            e += (dx + 1) * 4 * b2 - (2 * dy - 3) * 2 * a2;
            ++dx;
            --dy;
        } else {
            d -= (dy - 1) * 4 * a2;
            e -= (2 * dy - 3) * 2 * a2;
            --dy;
        }
    }
}

inline int64_t HALEllipse::arcPointCount() const {
    int64_t count = 0;
    arcWalk([&count](int64_t, int64_t) { ++count; });
    return count;
}
