#pragma once

// The curved and filled primitives of a graphics context: arcs and ellipses, rounded
// rectangles, triangles and gradients. A null context does nothing. Coordinates arrive
// already translated by the profile.
//
// - Arcs (angles in degrees, counter-clockwise from three o'clock, against the box): a box
//   narrower or lower than 2 is a span of w pixels on row y (w >= 2) or a vertical line of
//   max(h, 1) pixels; otherwise an arcAngle of 0 or less draws nothing, more than 360 is the
//   whole ellipse, and start and end are taken modulo 360 (equal: the whole ellipse). An
//   outline covers columns x to x + w and rows y to y + h; a fill covers w by h pixels. Boxes
//   with a side above 2^20 draw nothing.
// - Alpha: outlines and gradients are opaque. Filled ellipses, sectors and rounded
//   rectangles are opaque except the wedges of a sector: the parts of a column of a sector
//   that end at a ray rather than at the curve, which blend by the alpha as triangles do. A
//   filled box one pixel wide or high is a rectangle fill, which honours the alpha.
// - Triangles honour the alpha (below 8 nothing, from 248 opaque).
// - Gradients step each channel by (c2 - c1) / n per line from c1, so the last of the n lines
//   falls short of c2 by one step; a side below 1 draws nothing.

#include <cstdint>

class HALGraphics;

void HAL_drawArc(HALGraphics* graphics, int32_t x, int32_t y, int32_t width, int32_t height, int32_t startAngle,
                 int32_t arcAngle);
void HAL_fillArc(HALGraphics* graphics, int32_t x, int32_t y, int32_t width, int32_t height, int32_t startAngle,
                 int32_t arcAngle);
void HAL_drawRoundRect(HALGraphics* graphics, int32_t x, int32_t y, int32_t width, int32_t height, int32_t arcWidth,
                       int32_t arcHeight);
void HAL_fillRoundRect(HALGraphics* graphics, int32_t x, int32_t y, int32_t width, int32_t height, int32_t arcWidth,
                       int32_t arcHeight);
void HAL_fillTriangle(HALGraphics* graphics, int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t x3, int32_t y3);
void HAL_fillGradient(HALGraphics* graphics, int32_t x, int32_t y, int32_t width, int32_t height, int32_t color1,
                      int32_t color2, bool vertical);
