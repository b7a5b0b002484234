#include "hal/display/SurfaceBlit.h"

#include <algorithm>
#include <cstring>

#include "hal/base/HALResult.h"
#include "hal/display/HALPixelBuffer.h"
#include "hal/display/HALSurface.h"
#include "hal/display/ImagePixels.h"
#include "hal/display/Rgb565.h"

namespace {

// A half-open range [from, to) in 64 bits, so that no coordinate sum overflows.
struct Span {
    int64_t from;
    int64_t to;

    bool empty() const { return to <= from; }
    Span meet(Span other) const { return {std::max(from, other.from), std::min(to, other.to)}; }
    Span shifted(int64_t by) const { return {from + by, to + by}; }
    // Where a range of region positions lands along an axis of length n read mirrored or not.
    Span mirrored(int64_t n, bool mirror) const { return mirror ? Span{n - to, n - from} : *this; }
};

// The visible destination rectangle and how it walks the source.
struct BlitPlan {
    int32_t x0;
    int32_t y0;
    int32_t columns;
    int32_t rows;
    int64_t sourceStart;    // source pixel index of (x0, y0)
    int64_t stepX;          // source index step per destination column
    int64_t stepY;          // source index step per destination row
    bool upward = false;    // rows bottom to top
    bool leftward = false;  // columns right to left
};

int32_t formatToDraw(const HALSurface& source, int32_t flags) {
    const int32_t requested = (flags >> kBlitFormatShift) & 0xFF;
    if (requested == kSurfaceOpaque || requested == kSurfaceColorKey) return requested;
    if (requested == kSurfaceAlpha && source.hasAlphaPlane()) return requested;
    return source.format;
}

int32_t effectiveAlpha(int32_t alpha) { return alpha < 0 || alpha > 255 ? 255 : alpha; }

// The region's columns and rows that exist in the source, in region coordinates.
bool sourcePart(const HALSurface& source, int32_t sourceX, int32_t sourceY, int32_t width, int32_t height,
                Span* columns, Span* rows) {
    *columns = Span{0, width}.meet(Span{0, source.width}.shifted(-int64_t(sourceX)));
    *rows = Span{0, height}.meet(Span{0, source.height}.shifted(-int64_t(sourceY)));
    return !columns->empty() && !rows->empty();
}

bool planBlit(const HALBlitTarget& target, int32_t x, int32_t y, int32_t width, int32_t height,
              const HALSurface& source, int32_t sourceX, int32_t sourceY, int32_t transform, BlitPlan* plan) {
    const bool mirrorRows = transform & kBlitMirrorRows;
    const bool mirrorColumns = transform & kBlitMirrorColumns;
    const bool swap = transform & kBlitSwapAxes;
    Span columns, rows;
    if (!sourcePart(source, sourceX, sourceY, width, height, &columns, &rows)) return false;
    const Span columnsAt = columns.mirrored(width, mirrorColumns);
    const Span rowsAt = rows.mirrored(height, mirrorRows);
    const HALSurface& surface = *target.surface;
    const Span clipX = Span{0, target.clipWidth}.shifted(target.clipX);
    const Span clipY = Span{0, target.clipHeight}.shifted(target.clipY);
    const Span spanX = (swap ? rowsAt : columnsAt).shifted(x).meet(clipX).meet({0, surface.width});
    const Span spanY = (swap ? columnsAt : rowsAt).shifted(y).meet(clipY).meet({0, surface.height});
    if (spanX.empty() || spanY.empty()) return false;

    // The region column and row under the first visible destination pixel.
    const int64_t dx = spanX.from - x;
    const int64_t dy = spanY.from - y;
    const int64_t along = swap ? dy : dx;  // destination offset that walks the region's columns
    const int64_t across = swap ? dx : dy;
    const int64_t column = mirrorColumns ? width - 1 - along : along;
    const int64_t row = mirrorRows ? height - 1 - across : across;
    const int64_t columnStep = mirrorColumns ? -1 : 1;
    const int64_t rowStep = mirrorRows ? -int64_t(source.stride) : int64_t(source.stride);
    plan->x0 = int32_t(spanX.from);
    plan->y0 = int32_t(spanY.from);
    plan->columns = int32_t(spanX.to - spanX.from);
    plan->rows = int32_t(spanY.to - spanY.from);
    plan->sourceStart = (sourceY + row) * source.stride + sourceX + column;
    plan->stepX = swap ? rowStep : columnStep;
    plan->stepY = swap ? columnStep : rowStep;
    return true;
}

// One source pixel as drawn: its colour, alpha level (below 8: nothing) and the blend
// weight (of 32) it takes over an opaque pixel.
struct Dab {
    uint16_t pixel;
    uint32_t level;
    uint32_t weight;
};

inline void put(uint16_t& d, const Dab& dab) {
    if (dab.level >= uint32_t(rgb565::kAlphaOpaqueFrom))
        d = dab.pixel;
    else if (dab.level >= uint32_t(rgb565::kAlphaVisibleFrom))
        d = rgb565::blend(d, dab.pixel, dab.weight);
}

// Draws source(source index) onto every visible pixel in the plan's order; on a target with
// an alpha plane the dab composites over the pixel's alpha.
template <typename Source>
void walk(const BlitPlan& plan, const HALSurface& target, Source source) {
    for (int32_t j = 0; j < plan.rows; ++j) {
        const int32_t r = plan.upward ? plan.rows - 1 - j : j;
        uint16_t* out = target.row(plan.y0 + r) + plan.x0;
        uint8_t* alphas = target.hasAlphaPlane() ? target.alphaRow(plan.y0 + r) + plan.x0 : nullptr;
        const int64_t base = plan.sourceStart + r * plan.stepY;
        for (int32_t k = 0; k < plan.columns; ++k) {
            const int32_t i = plan.leftward ? plan.columns - 1 - k : k;
            const Dab dab = source(base + i * plan.stepX);
            if (alphas == nullptr) put(out[i], dab);
            else if (dab.level >= uint32_t(rgb565::kAlphaVisibleFrom)) rgb565::over(out[i], alphas[i], dab.pixel, dab.level, dab.weight);
        }
    }
}

void copyOpaque(const BlitPlan& plan, const HALSurface& target, const uint16_t* pixels) {
    if (plan.stepX != 1) return walk(plan, target, [pixels](int64_t i) { return Dab{pixels[i], 255, 32}; });
    // Consecutive source pixels: whole rows at once (memmove: a row may overlap itself).
    for (int32_t j = 0; j < plan.rows; ++j) {
        const int32_t r = plan.upward ? plan.rows - 1 - j : j;
        std::memmove(target.row(plan.y0 + r) + plan.x0, pixels + plan.sourceStart + r * plan.stepY,
                     size_t(plan.columns) * sizeof(uint16_t));
        if (target.hasAlphaPlane()) std::memset(target.alphaRow(plan.y0 + r) + plan.x0, 255, size_t(plan.columns));
    }
}

void drawOpaque(const BlitPlan& plan, const HALSurface& target, const uint16_t* pixels, int32_t alpha) {
    if (alpha >= rgb565::kAlphaOpaqueFrom) return copyOpaque(plan, target, pixels);
    const uint32_t level = uint32_t(alpha), weight = rgb565::weightOf(alpha);
    walk(plan, target, [pixels, level, weight](int64_t i) { return Dab{pixels[i], level, weight}; });
}

void drawColorKeyed(const BlitPlan& plan, const HALSurface& target, const uint16_t* pixels, int32_t alpha) {
    const uint32_t level = uint32_t(alpha), weight = alpha >= rgb565::kAlphaOpaqueFrom ? 32 : rgb565::weightOf(alpha);
    walk(plan, target, [pixels, level, weight](int64_t i) {
        return pixels[i] == rgb565::kColorKey ? Dab{0, 0, 0} : Dab{pixels[i], level, weight};
    });
}

void drawAlphaPlane(const BlitPlan& plan, const HALSurface& target, const uint16_t* pixels, const uint8_t* alphas,
                    int32_t alpha) {
    if (alpha >= rgb565::kAlphaOpaqueFrom) {
        return walk(plan, target, [pixels, alphas](int64_t i) {
            const uint32_t s = alphas[i];
            return Dab{pixels[i], s, (s + 1) >> 3};
        });
    }
    const uint32_t context = uint32_t(alpha + 1) & 255;
    walk(plan, target, [pixels, alphas, context](int64_t i) {
        const uint32_t m = (((alphas[i] + 1u) * context) >> 8) & 255;
        return Dab{pixels[i], m, m >> 3};
    });
}

void draw(const BlitPlan& plan, const HALSurface& target, const HALSurface& source, int32_t format, int32_t alpha) {
    switch (format) {
    case kSurfaceColorKey: return drawColorKeyed(plan, target, source.pixels, alpha);
    case kSurfaceAlpha: return drawAlphaPlane(plan, target, source.pixels, source.alphaPlane(), alpha);
    default: return drawOpaque(plan, target, source.pixels, alpha);
    }
}

// A transformed blit of a surface onto itself reads the visible part of its region from a copy.
void blitFromCopy(const HALBlitTarget& target, int32_t x, int32_t y, int32_t width, int32_t height,
                  const HALSurface& source, int32_t sourceX, int32_t sourceY, int32_t flags) {
    Span columns, rows;
    if (!sourcePart(source, sourceX, sourceY, width, height, &columns, &rows)) return;
    const auto left = int32_t(sourceX + columns.from);
    const auto top = int32_t(sourceY + rows.from);
    HALSurface* copy =
        HALSurface::create(int32_t(columns.to - columns.from), int32_t(rows.to - rows.from), source.format);
    if (copy == nullptr) return;  // no memory for the copy: nothing drawn
    for (int32_t r = 0; r < copy->height; ++r) {
        std::memcpy(copy->row(r), source.row(top + r) + left, size_t(copy->width) * sizeof(uint16_t));
        if (copy->hasAlphaPlane()) std::memcpy(copy->alphaRow(r), source.alphaRow(top + r) + left, size_t(copy->width));
    }
    HAL_blitSurface(target, x, y, width, height, *copy, sourceX - left, sourceY - top, flags);
    delete copy;
}

}  // namespace

void HAL_blitSurface(const HALBlitTarget& target, int32_t x, int32_t y, int32_t width, int32_t height,
                     const HALSurface& source, int32_t sourceX, int32_t sourceY, int32_t flags) {
    const int32_t alpha = effectiveAlpha(target.alpha);
    if (target.surface == nullptr || alpha < rgb565::kAlphaVisibleFrom || width < 1 || height < 1) return;
    const int32_t transform = flags & kBlitTransformBits;
    const bool ontoItself = source.pixels == target.surface->pixels;
    if (ontoItself && transform != 0) return blitFromCopy(target, x, y, width, height, source, sourceX, sourceY, flags);
    BlitPlan plan;
    if (!planBlit(target, x, y, width, height, source, sourceX, sourceY, transform, &plan)) return;
    if (ontoItself) {
        // Untransformed onto itself: walk away from the source so no pixel is read after it
        // was overwritten.
        plan.upward = y > sourceY;
        plan.leftward = x > sourceX;
    }
    draw(plan, *target.surface, source, formatToDraw(source, flags), alpha);
}

int HAL_copySurfaceArea(const HALBlitTarget& target, int32_t sourceX, int32_t sourceY, int32_t width, int32_t height,
                        int32_t x, int32_t y) {
    if (target.surface == nullptr) return HAL_BAD_ARGUMENT;
    HAL_blitSurface(target, x, y, width, height, *target.surface, sourceX, sourceY, 0);
    return HAL_OK;
}

int HAL_blitRGB(const HALBlitTarget& target, const int32_t* values, int32_t scanlength, int32_t x, int32_t y,
                int32_t width, int32_t height, bool processAlpha) {
    if (target.surface == nullptr) return HAL_BAD_ARGUMENT;
    int code = HAL_BAD_ARGUMENT;
    HALPixelBuffer* image = HAL_createPixelsFromRGB(values, width, height, scanlength, processAlpha, &code);
    if (image == nullptr) return code;
    HAL_blitSurface(target, x, y, width, height, *image->surface, 0, 0, 0);
    image->release();
    return HAL_OK;
}
