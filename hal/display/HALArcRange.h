#pragma once

// Which points of an ellipse an arc from a start angle to an end angle covers, decided in
// whole numbers: by quadrant, and inside the quadrants where the arc starts or ends by
// comparing a point's slope with the slopes of the two rays.
//
// Angles are degrees counter-clockwise from three o'clock, measured against the ellipse's
// box (45 degrees points at the box's corner). Quadrant 0 is the top right (0 to 90), 1 the
// top left, 2 the bottom left, 3 the bottom right. A point of a quadrant is given by its
// offsets (dx, dy) from the centre, both 0 or more; its slope is dy * 1000 / dx, or
// 0x7FFFFFFF on the vertical axis. A ray's slope limit is tan(angle) * 1000 from a table of
// whole degrees, scaled by the box's height / width. In quadrants 0 and 2 the slope grows
// with the angle, in 1 and 3 it shrinks, so the comparisons turn round there; every bound
// is inclusive.
//
// When both rays fall in one quadrant, the arc is the part between them when the start angle
// is the smaller one, and everything but that part otherwise, whatever their slopes (two
// angles can round to one slope on a flat ellipse).

#include <array>
#include <cstdint>

class HALArcRange {
public:
    enum Coverage : int32_t { kOutside = 1, kPartly = 2, kInside = 3 };
    static constexpr int64_t kVertical = 0x7FFFFFFF;

    // A range of rows dy, from and to inclusive; empty when from > to.
    struct Rows {
        int64_t from;
        int64_t to;
        bool empty() const { return from > to; }
    };

    // start and end: 0 to 359 and different; the box gives the slope scaling.
    HALArcRange(int32_t start, int32_t end, int64_t boxWidth, int64_t boxHeight);

    // round(tan(degrees) * 1000) for 0 to 89, kVertical for 90.
    static int64_t tangent(int32_t degrees);
    // The slope limit of a ray at the angle (0 to 359) on a box of that size.
    static int64_t slopeLimit(int32_t angle, int64_t boxWidth, int64_t boxHeight);
    static int64_t slopeOf(int64_t dx, int64_t dy) { return dx == 0 ? kVertical : dy * 1000 / dx; }

    Coverage coverage(int32_t quadrant) const { return coverage_[quadrant]; }
    // Whether the point (dx, dy) of the quadrant is on the arc.
    bool passes(int32_t quadrant, int64_t dx, int64_t dy) const;
    // The rows 0 to top of the column dx of the quadrant that are on the arc, as at most two
    // runs (the lower first); returns how many.
    int32_t passingRows(int32_t quadrant, int64_t dx, int64_t top, Rows runs[2]) const;

private:
    bool afterStart(int32_t quadrant, int64_t slope) const;
    bool beforeEnd(int32_t quadrant, int64_t slope) const;
    Rows afterStartRows(int32_t quadrant, int64_t dx, int64_t top) const;
    Rows beforeEndRows(int32_t quadrant, int64_t dx, int64_t top) const;

    int32_t start_;
    int32_t end_;
    int32_t startQuadrant_;
    int32_t endQuadrant_;
    int64_t startLimit_;
    int64_t endLimit_;
    std::array<Coverage, 4> coverage_{};
};
