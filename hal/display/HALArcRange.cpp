#include "hal/display/HALArcRange.h"

#include <algorithm>
#include <cmath>

namespace {

using Rows = HALArcRange::Rows;

const std::array<int64_t, 91>& tangentTable() {
    static const std::array<int64_t, 91> table = [] {
        std::array<int64_t, 91> values{};
        for (int32_t degrees = 0; degrees < 90; ++degrees)
            values[size_t(degrees)] = std::llround(std::tan(degrees * 3.14159265358979323846 / 180.0) * 1000.0);
        values[90] = HALArcRange::kVertical;
        return values;
    }();
    return table;
}

int64_t ceilDiv(int64_t p, int64_t q) { return p >= 0 ? (p + q - 1) / q : p / q; }

// The rows 0 to top of column dx whose slope is at least (or at most) the limit.
Rows slopeAtLeast(int64_t limit, int64_t dx, int64_t top) {
    if (dx == 0) return HALArcRange::kVertical >= limit ? Rows{0, top} : Rows{1, 0};
    return {std::max<int64_t>(0, ceilDiv(limit * dx, 1000)), top};
}

Rows slopeAtMost(int64_t limit, int64_t dx, int64_t top) {
    if (dx == 0) return HALArcRange::kVertical <= limit ? Rows{0, top} : Rows{1, 0};
    return {0, std::min(top, ceilDiv((limit + 1) * dx, 1000) - 1)};
}

bool evenQuadrant(int32_t quadrant) { return (quadrant & 1) == 0; }

}  // namespace

HALArcRange::HALArcRange(int32_t start, int32_t end, int64_t boxWidth, int64_t boxHeight)
    : start_(start),
      end_(end),
      startQuadrant_(start / 90),
      endQuadrant_(end / 90),
      startLimit_(slopeLimit(start, boxWidth, boxHeight)),
      endLimit_(slopeLimit(end, boxWidth, boxHeight)) {
    for (int32_t q = 0; q < 4; ++q) {
        if (q == startQuadrant_ || q == endQuadrant_) {
            coverage_[size_t(q)] = kPartly;
        } else if (startQuadrant_ == endQuadrant_) {
            coverage_[size_t(q)] = start_ > end_ ? kInside : kOutside;
        } else {
            // Strictly between the start's and the end's quadrant, going counter-clockwise.
            const bool between = (q - startQuadrant_ + 4) % 4 < (endQuadrant_ - startQuadrant_ + 4) % 4;
            coverage_[size_t(q)] = between ? kInside : kOutside;
        }
    }
}

int64_t HALArcRange::tangent(int32_t degrees) { return tangentTable()[size_t(std::clamp(degrees, 0, 90))]; }

int64_t HALArcRange::slopeLimit(int32_t angle, int64_t boxWidth, int64_t boxHeight) {
    int32_t folded = angle > 180 ? angle - 180 : angle;
    if (folded > 90) folded = 180 - folded;
    const int64_t slope = tangent(folded);
    if (slope == kVertical || boxWidth < 1) return kVertical;
    return slope * boxHeight / boxWidth;
}

bool HALArcRange::afterStart(int32_t quadrant, int64_t slope) const {
    return evenQuadrant(quadrant) ? slope >= startLimit_ : slope <= startLimit_;
}

bool HALArcRange::beforeEnd(int32_t quadrant, int64_t slope) const {
    return evenQuadrant(quadrant) ? slope <= endLimit_ : slope >= endLimit_;
}

bool HALArcRange::passes(int32_t quadrant, int64_t dx, int64_t dy) const {
    const Coverage covered = coverage_[size_t(quadrant)];
    if (covered != kPartly) return covered == kInside;
    const int64_t slope = slopeOf(dx, dy);
    const bool hasStart = quadrant == startQuadrant_, hasEnd = quadrant == endQuadrant_;
    if (hasStart && hasEnd) {
        return start_ < end_ ? afterStart(quadrant, slope) && beforeEnd(quadrant, slope)
                             : afterStart(quadrant, slope) || beforeEnd(quadrant, slope);
    }
    return hasStart ? afterStart(quadrant, slope) : beforeEnd(quadrant, slope);
}

Rows HALArcRange::afterStartRows(int32_t quadrant, int64_t dx, int64_t top) const {
    return evenQuadrant(quadrant) ? slopeAtLeast(startLimit_, dx, top) : slopeAtMost(startLimit_, dx, top);
}

Rows HALArcRange::beforeEndRows(int32_t quadrant, int64_t dx, int64_t top) const {
    return evenQuadrant(quadrant) ? slopeAtMost(endLimit_, dx, top) : slopeAtLeast(endLimit_, dx, top);
}

int32_t HALArcRange::passingRows(int32_t quadrant, int64_t dx, int64_t top, Rows runs[2]) const {
    const Coverage covered = coverage_[size_t(quadrant)];
    if (covered != kPartly || top < 0) {
        runs[0] = {0, top};
        return covered == kInside && top >= 0 ? 1 : 0;
    }
    const bool hasStart = quadrant == startQuadrant_, hasEnd = quadrant == endQuadrant_;
    Rows first = hasStart ? afterStartRows(quadrant, dx, top) : beforeEndRows(quadrant, dx, top);
    if (hasStart && hasEnd) {
        Rows second = beforeEndRows(quadrant, dx, top);
        if (start_ < end_) {
            first = {std::max(first.from, second.from), std::min(first.to, second.to)};
        } else if (first.empty()) {
            first = second;
        } else if (!second.empty()) {
            if (second.from < first.from) std::swap(first, second);
            if (second.from <= first.to + 1) {
                first.to = std::max(first.to, second.to);
            } else {
                runs[0] = first;
                runs[1] = second;
                return 2;
            }
        }
    }
    runs[0] = first;
    return first.empty() ? 0 : 1;
}
