#pragma once

// Copies between surfaces: the blit under every image, region, RGB, screen-buffer, area-copy
// and text drawing of a graphics context.
//
// A blit draws the source region (sourceX, sourceY, width, height) with its top-left at
// (x, y), transformed by the flags' bits 0-2: bit 0 reads the source rows from the bottom up,
// bit 1 reads its columns from the right, bit 2 swaps the axes (the destination is height
// wide and width high). Bits 8-15, when not 0, draw the source as if it had that format (1
// opaque, 2 colour key, 3 alpha plane); an override the source cannot honour (3 without an
// alpha plane, or an unknown format) is ignored and the source's own format used.
//
// Only destination pixels inside the clip and the target surface change, and only from source
// pixels that exist: a region reaching outside its source draws just the part inside. A cut
// on a mirrored axis takes the pixels from the other end of the source, so every pixel stays
// where the whole region would have put it.
//
// Pixels combine with the target's alpha a by the source format: opaque copies (a >= 248) or
// blends with weight (a + 1) >> 3; the colour key skips 0xF81F and treats the rest as opaque;
// the alpha plane's s decides alone at a >= 248 (below 8 skipped, 248 up copied, else weight
// (s + 1) >> 3), else m = ((s + 1) * (a + 1)) >> 8 does (below 8 skipped, 248 up copied, else
// weight m >> 3). An alpha below 8 draws nothing. The target's alpha plane never changes.
//
// A blit from a surface onto itself reads every source pixel before anything overwrites it:
// the result is as if the region had been copied to a temporary first.

#include <cstdint>

class HALSurface;

// Where a blit draws: the target surface, the rectangle it may change (a graphics context's
// clip) and the context's alpha, 0 to 255 (any other value, such as a context's initial -1,
// counts as opaque).
struct HALBlitTarget {
    HALSurface* surface;
    int32_t clipX;
    int32_t clipY;
    int32_t clipWidth;
    int32_t clipHeight;
    int32_t alpha;
};

constexpr int32_t kBlitMirrorRows = 1;
constexpr int32_t kBlitMirrorColumns = 2;
constexpr int32_t kBlitSwapAxes = 4;
constexpr int32_t kBlitTransformBits = 7;
constexpr int32_t kBlitFormatShift = 8;

void HAL_blitSurface(const HALBlitTarget& target, int32_t x, int32_t y, int32_t width, int32_t height,
                     const HALSurface& source, int32_t sourceX, int32_t sourceY, int32_t flags);

// Copies (sourceX, sourceY, width, height) of the target surface to (x, y) of the same surface,
// untransformed, through the clip and alpha, overlapping or not. 0, or 2 for a null surface.
int HAL_copySurfaceArea(const HALBlitTarget& target, int32_t sourceX, int32_t sourceY, int32_t width, int32_t height,
                        int32_t x, int32_t y);

// Converts width x height ARGB values (rows scanlength apart) into a temporary image as the
// image factory does, blits it to (x, y) and frees it. 0, or the conversion's code (2, 5) with
// nothing drawn; 2 for a null surface.
int HAL_blitRGB(const HALBlitTarget& target, const int32_t* values, int32_t scanlength, int32_t x, int32_t y,
                int32_t width, int32_t height, bool processAlpha);
