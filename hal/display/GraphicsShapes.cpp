#include "hal/display/GraphicsShapes.h"

#include <algorithm>
#include <array>

#include "hal/display/HALArcRange.h"
#include "hal/display/HALEllipse.h"
#include "hal/display/HALGraphics.h"
#include "hal/display/Rgb565.h"

namespace {

// Four pixels on, four off, counted from 0.
bool dotOn(int64_t place) { return (place & 7) < 4; }

// The arc's start and end in 0 to 359 (equal for the whole ellipse); false when it draws
// nothing.
bool normaliseArc(int64_t startAngle, int64_t arcAngle, int32_t* start, int32_t* end) {
    if (arcAngle <= 0) return false;
    if (arcAngle > 360) {
        *start = *end = 0;
        return true;
    }
    *start = int32_t((startAngle % 360 + 360) % 360);
    *end = int32_t(((startAngle + arcAngle) % 360 + 360) % 360);
    return true;
}

// A box narrower or lower than 2 is a span on its top row or a line down its left column;
// false for any other box.
bool degenerateArc(HALGraphics& g, int64_t x, int64_t y, int64_t width, int64_t height, bool dotted) {
    if (width >= 2 && height >= 2) return false;
    if (width >= 2) {
        if (dotted)
            g.dottedSpan(x, x + width - 1, y);
        else
            g.fillSpan(x, x + width - 1, y);
    } else {
        g.drawLine(x, y, x, y + std::max<int64_t>(height - 1, 0), dotted);
    }
    return true;
}

void ellipseOutline(HALGraphics& g, int64_t x, int64_t y, int64_t width, int64_t height) {
    if (!HALEllipse::drawable(width, height)) return;
    const HALEllipse e(x, y, width, height);
    const bool dotted = g.dotted();
    int64_t place = 0;
    e.midpointWalk([&](int64_t dx, int64_t dy, bool) {
        if (!dotted || dotOn(place)) {
            for (int32_t q : {1, 0, 3, 2}) g.plot(e.column(q, dx), e.row(q, dy));
        }
        ++place;
    });
}

// Each quadrant's dotted pattern goes on from where the previous quadrant's would end.
void arcOutline(HALGraphics& g, int64_t x, int64_t y, int64_t width, int64_t height, int32_t start, int32_t end) {
    if (!HALEllipse::drawable(width, height)) return;
    const HALEllipse e(x, y, width, height);
    const HALArcRange range(start, end, width, height);
    const bool dotted = g.dotted();
    const int64_t count = e.arcPointCount();
    int64_t place = 0;
    e.arcWalk([&](int64_t dx, int64_t dy) {
        for (int32_t q = 0; q < 4; ++q) {
            if (dotted && !dotOn(q * count + place)) continue;
            if (range.passes(q, dx, dy)) g.plot(e.column(q, dx), e.row(q, dy));
        }
        ++place;
    });
}

// The whole ellipse filled on the box one smaller each way, so that it covers w by h pixels.
void filledEllipse(HALGraphics& g, int64_t x, int64_t y, int64_t width, int64_t height) {
    const int64_t boxWidth = width - 1, boxHeight = height - 1;
    if (boxWidth < 1 || boxHeight < 1) return;
    if (boxWidth == 1 && boxHeight == 1) return g.plot(x, y);
    if (boxWidth == 1 || boxHeight == 1) return g.fillRect(x, y, width, height);
    if (!HALEllipse::drawable(boxWidth, boxHeight)) return;
    const HALEllipse e(x, y, boxWidth, boxHeight);
    e.midpointWalk([&](int64_t dx, int64_t dy, bool widest) {
        if (!widest) return;
        g.fillSpan(e.column(1, dx), e.column(0, dx), e.row(0, dy));
        g.fillSpan(e.column(1, dx), e.column(0, dx), e.row(3, dy));
    });
}

// One column of a sector in a quadrant, from the curve (dy = top) to the centre row: the
// runs on the arc that reach the curve are solid; those that end at a ray below the curve
// are the sector's wedge and blend by the alpha.
void sectorColumn(HALGraphics& g, const HALEllipse& e, const HALArcRange& range, int32_t quadrant, int64_t dx,
                  int64_t top) {
    const int64_t column = e.column(quadrant, dx);
    const HALRect& clip = g.clip();
    if (column < clip.x || column >= int64_t(clip.x) + clip.width) return;
    HALArcRange::Rows runs[2];
    const int32_t count = range.passingRows(quadrant, dx, top, runs);
    for (int32_t i = 0; i < count; ++i)
        g.fillColumn(column, e.row(quadrant, runs[i].from), e.row(quadrant, runs[i].to), runs[i].to != top);
}

void filledSector(HALGraphics& g, int64_t x, int64_t y, int64_t width, int64_t height, int32_t start, int32_t end) {
    const int64_t boxWidth = width - 1, boxHeight = height - 1;
    if (!HALEllipse::drawable(boxWidth, boxHeight)) return;
    const HALEllipse e(x, y, boxWidth, boxHeight);
    const HALArcRange range(start, end, boxWidth, boxHeight);
    int64_t lastColumn = -1;
    e.arcWalk([&](int64_t dx, int64_t dy) {
        if (dx == lastColumn) return;  // the column's first visit is its highest
        lastColumn = dx;
        for (int32_t q = 0; q < 4; ++q) sectorColumn(g, e, range, q, dx, dy);
    });
}

void drawArc(HALGraphics& g, int64_t x, int64_t y, int64_t width, int64_t height, int64_t startAngle,
             int64_t arcAngle) {
    if (degenerateArc(g, x, y, width, height, g.dotted())) return;
    int32_t start = 0, end = 0;
    if (!normaliseArc(startAngle, arcAngle, &start, &end)) return;
    if (start == end)
        ellipseOutline(g, x, y, width, height);
    else
        arcOutline(g, x, y, width, height, start, end);
}

void fillArc(HALGraphics& g, int64_t x, int64_t y, int64_t width, int64_t height, int64_t startAngle,
             int64_t arcAngle) {
    if (degenerateArc(g, x, y, width, height, false)) return;
    int32_t start = 0, end = 0;
    if (!normaliseArc(startAngle, arcAngle, &start, &end)) return;
    if (start == end)
        filledEllipse(g, x, y, width, height);
    else
        filledSector(g, x, y, width, height, start, end);
}

// A corner of a rounded outline: a quarter arc, or for arcs under 4 pixels one line across
// the corner's box.
void roundCorner(HALGraphics& g, int32_t quadrant, int64_t x, int64_t y, int64_t arcWidth, int64_t arcHeight) {
    if (arcWidth >= 4 && arcHeight >= 4) return drawArc(g, x, y, arcWidth, arcHeight, 90 * quadrant, 90);
    const int64_t halfW = arcWidth >> 1, halfH = arcHeight >> 1;
    const bool dotted = g.dotted();
    switch (quadrant) {
    case 0: return g.drawLine(x + halfW, y, x + arcWidth, y + halfH, dotted);
    case 1: return g.drawLine(x, y + halfH, x + halfW, y, dotted);
    case 2: return g.drawLine(x, y + halfH, x + halfW, y + arcHeight, dotted);
    default: return g.drawLine(x + halfW, y + arcHeight, x + arcWidth, y + halfH, dotted);
    }
}

struct Point {
    int64_t x;
    int64_t y;
};

// The 16.16 step of the edge from a to b per row, computed in single precision.
int64_t edgeSlope(const Point& a, const Point& b) {
    if (a.y == b.y) return 0;  // a flat edge is never stepped along
    return int64_t(float(b.x - a.x) / float(b.y - a.y) * 65536.0f);
}

// Fills rows from *row up to lastRow between the two 16.16 edge positions, stepping them back
// by their slopes. Rows below the clip are skipped in one step; rows above it end the fill.
void triangleRows(HALGraphics& g, int64_t* row, int64_t lastRow, int64_t* left, int64_t* right, int64_t leftSlope,
                  int64_t rightSlope) {
    const HALRect& clip = g.clip();
    const int64_t clipBottom = int64_t(clip.y) + clip.height - 1;
    if (*row > clipBottom) {
        const int64_t skip = std::min(*row - clipBottom, *row - lastRow + 1);
        if (skip > 0) {
            *left -= leftSlope * skip;
            *right -= rightSlope * skip;
            *row -= skip;
        }
    }
    for (; *row >= lastRow; --*row) {
        if (*row < clip.y) {
            *row = lastRow - 1;
            return;
        }
        g.blendSpan(*left >> 16, *right >> 16, *row);
        *left -= leftSlope;
        *right -= rightSlope;
    }
}

void fillTriangle(HALGraphics& g, Point p0, Point p1, Point p2) {
    if (g.alphaLevel() < rgb565::kAlphaVisibleFrom) return;
    std::array<Point, 3> points{p0, p1, p2};
    std::stable_sort(points.begin(), points.end(), [](const Point& a, const Point& b) { return a.y < b.y; });
    const Point &top = points[0], &middle = points[1], &bottom = points[2];
    const HALRect& clip = g.clip();
    if (top.y >= int64_t(clip.y) + clip.height || bottom.y < clip.y) return;
    const int64_t longSlope = edgeSlope(top, bottom);
    int64_t row = bottom.y;
    int64_t left = bottom.x * 65536, right = bottom.x * 65536;
    triangleRows(g, &row, middle.y + 1, &left, &right, longSlope, edgeSlope(middle, bottom));
    right = middle.x * 65536;
    triangleRows(g, &row, top.y, &left, &right, longSlope, edgeSlope(top, middle));
}

int32_t channel(int32_t color, int32_t shift) { return (color >> shift) & 0xFF; }

void fillGradient(HALGraphics& g, int64_t x, int64_t y, int64_t width, int64_t height, int32_t color1,
                  int32_t color2, bool vertical) {
    if (width < 1 || height < 1) return;
    const HALGraphics::ColorState saved = g.colorState();
    const int64_t lines = vertical ? width : height;
    const float step = 1.0f / float(lines);
    float value[3], increment[3];
    for (int32_t i = 0; i < 3; ++i) {
        value[i] = float(channel(color1, 16 - 8 * i));
        increment[i] = float(channel(color2, 16 - 8 * i) - channel(color1, 16 - 8 * i)) * step;
    }
    const HALRect& clip = g.clip();
    const int64_t clipEnd = vertical ? int64_t(clip.x) + clip.width : int64_t(clip.y) + clip.height;
    for (int64_t i = 0; i < lines && (vertical ? x : y) + i < clipEnd; ++i) {
        g.setColor(uint32_t((int32_t(value[0]) & 0xFF) << 16 | (int32_t(value[1]) & 0xFF) << 8 |
                            (int32_t(value[2]) & 0xFF)));
        if (vertical)
            g.drawLine(x + i, y, x + i, y + height - 1, false);
        else
            g.fillSpan(x, x + width - 1, y + i);
        for (int32_t c = 0; c < 3; ++c) value[c] += increment[c];
    }
    g.restoreColor(saved);
}

}  // namespace

void HAL_drawArc(HALGraphics* graphics, int32_t x, int32_t y, int32_t width, int32_t height, int32_t startAngle,
                 int32_t arcAngle) {
    if (graphics) drawArc(*graphics, x, y, width, height, startAngle, arcAngle);
}

void HAL_fillArc(HALGraphics* graphics, int32_t x, int32_t y, int32_t width, int32_t height, int32_t startAngle,
                 int32_t arcAngle) {
    if (graphics) fillArc(*graphics, x, y, width, height, startAngle, arcAngle);
}

void HAL_drawRoundRect(HALGraphics* graphics, int32_t x32, int32_t y32, int32_t width32, int32_t height32,
                       int32_t arcWidth, int32_t arcHeight) {
    if (graphics == nullptr || width32 < 0 || height32 < 0) return;
    HALGraphics& g = *graphics;
    const int64_t x = x32, y = y32, w = width32, h = height32, aw = arcWidth, ah = arcHeight;
    const int64_t halfW = aw >> 1, halfH = ah >> 1;
    g.drawLine(x, y + halfH, x, y + h - halfH, g.dotted());
    roundCorner(g, 1, x, y, aw, ah);
    g.strokeSpan(x + halfW, x + w - halfW, y);
    roundCorner(g, 0, x + w - aw, y, aw, ah);
    g.drawLine(x + w, y + halfH, x + w, y + h - halfH, g.dotted());
    roundCorner(g, 2, x, y + h - ah, aw, ah);
    g.strokeSpan(x + halfW, x + w - halfW, y + h);
    roundCorner(g, 3, x + w - aw, y + h - ah, aw, ah);
}

void HAL_fillRoundRect(HALGraphics* graphics, int32_t x32, int32_t y32, int32_t width32, int32_t height32,
                       int32_t arcWidth, int32_t arcHeight) {
    if (graphics == nullptr || width32 <= 0 || height32 <= 0) return;
    HALGraphics& g = *graphics;
    const int64_t x = x32, y = y32, w = width32, h = height32, aw = arcWidth, ah = arcHeight;
    const int64_t halfW = aw >> 1, halfH = ah >> 1;
    fillArc(g, x, y, aw, ah, 90, 90);
    g.fillRectSolid(x + halfW, y, w - aw, halfH);
    fillArc(g, x + w - aw, y, aw, ah, 0, 90);
    g.fillRectSolid(x, y + halfH, w, h - ah + 1);
    fillArc(g, x, y + h - ah, aw, ah - 1, 180, 90);
    g.fillRectSolid(x + halfW, y + h - halfH, w - aw, halfH);
    fillArc(g, x + w - aw, y + h - ah, aw, ah - 1, 270, 90);
}

void HAL_fillTriangle(HALGraphics* graphics, int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t x3, int32_t y3) {
    if (graphics) fillTriangle(*graphics, {x1, y1}, {x2, y2}, {x3, y3});
}

void HAL_fillGradient(HALGraphics* graphics, int32_t x, int32_t y, int32_t width, int32_t height, int32_t color1,
                      int32_t color2, bool vertical) {
    if (graphics) fillGradient(*graphics, x, y, width, height, color1, color2, vertical);
}
