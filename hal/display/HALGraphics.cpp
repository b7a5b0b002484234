#include "hal/display/HALGraphics.h"

#include <algorithm>
#include <new>

#include "hal/display/FontCache.h"
#include "hal/display/HALPixelBuffer.h"
#include "hal/display/HALSurface.h"
#include "hal/display/Rgb565.h"
#include "hal/display/SurfaceBlit.h"
#include "hal/display/TextRenderer.h"

namespace {

// A pixel of a dotted stroke is drawn when its place in the pattern (counted from 0) is in
// the first half of each eight.
bool dotOn(int64_t place) { return (place & 7) < 4; }

// ceil(p / q) for q > 0.
__int128 ceilDiv(__int128 p, __int128 q) { return p >= 0 ? (p + q - 1) / q : p / q; }

// One half of a line's two-ended walk: pixel k of the half lies k steps along the major axis
// from the end it starts at, and m(k) steps along the minor axis, where the error term
// e(k) = -n + 2k * minor - 2n * m(k) stays within [1 - 2n, 0]. So the walk can start at any
// k with m and e computed directly, and go on stepping as the walk from the end would.
struct LineHalf {
    int64_t major0, minor0;        // the end the half starts from
    int64_t majorStep, minorStep;  // +1 or -1 (0 on the minor axis of a straight line)
    int64_t lastStep;              // the half's largest k
    bool farHalf;                  // counts its dotted pattern from the other end
};

struct Line {
    int64_t n;      // major length
    int64_t minor;  // minor length
    bool xMajor;
    bool dotted;
};

}  // namespace

HALGraphics::HALGraphics(HALPixelBuffer* image, HALScreenBuffer* buffer) : image_(image), screenBuffer_(buffer) {
    clip_ = wholeSurface();
}

HALGraphics* HALGraphics::onImage(HALPixelBuffer* image) {
    auto* graphics = new (std::nothrow) HALGraphics(image, nullptr);
    if (graphics) image->addReference();
    return graphics;
}

HALGraphics* HALGraphics::onScreenBuffer(HALScreenBuffer* buffer) {
    auto* graphics = new (std::nothrow) HALGraphics(nullptr, buffer);
    if (graphics && !buffer->addClient(graphics)) {
        graphics->screenBuffer_ = nullptr;
        delete graphics;
        return nullptr;
    }
    return graphics;
}

HALGraphics::~HALGraphics() {
    if (image_) image_->release();
    if (screenBuffer_) screenBuffer_->removeClient(this);
}

void HALGraphics::surfaceResized() { clip_ = wholeSurface(); }

void HALGraphics::screenBufferDeleted() {
    screenBuffer_ = nullptr;
    clip_ = HALRect{};
}

HALSurface* HALGraphics::surface() const {
    if (image_) return image_->surface;
    return screenBuffer_ ? screenBuffer_->surface : nullptr;
}

HALRect HALGraphics::wholeSurface() const {
    const HALSurface* target = surface();
    return target ? HALRect{0, 0, target->width, target->height} : HALRect{};
}

void HALGraphics::setColor(uint32_t argb) {
    color_ = argb;
    alpha_ = int32_t(argb >> 24);
    color565_ = rgb565::fromArgb(argb);
}

void HALGraphics::restoreColor(const ColorState& state) {
    color_ = state.color;
    alpha_ = state.alpha;
    color565_ = state.color565;
}

int32_t HALGraphics::alphaLevel() const { return alpha_ < 0 || alpha_ > 255 ? 255 : alpha_; }

HALFont* HALGraphics::font() const { return font_ ? font_ : HAL_createNativeFont(0, 0, 0); }

void HALGraphics::setClip(int32_t x, int32_t y, int32_t width, int32_t height) {
    HALRect clip = wholeSurface();
    clip.intersect({x, y, width, height});
    clip_ = clip;
}

void HALGraphics::clipRect(int32_t x, int32_t y, int32_t width, int32_t height) {
    clip_.intersect({x, y, width, height});
}

HALGraphics::Box HALGraphics::visible() const {
    const HALSurface* target = surface();
    if (target == nullptr || clip_.empty()) return {};
    return {std::max<int64_t>(clip_.x, 0), std::max<int64_t>(clip_.y, 0),
            std::min<int64_t>(int64_t(clip_.x) + clip_.width, target->width),
            std::min<int64_t>(int64_t(clip_.y) + clip_.height, target->height)};
}

bool HALGraphics::drawable(int64_t x, int64_t y) const {
    const Box box = visible();
    return box.left <= x && x < box.right && box.top <= y && y < box.bottom;
}

void HALGraphics::plot(int64_t x, int64_t y) {
    if (!drawable(x, y)) return;
    surface()->row(int32_t(y))[x] = color565_;
    makeOpaque(x, x, y);
}

void HALGraphics::makeOpaque(int64_t from, int64_t to, int64_t y) {
    const HALSurface* target = surface();
    if (target->hasAlphaPlane()) std::fill(target->alphaRow(int32_t(y)) + from, target->alphaRow(int32_t(y)) + to + 1, 255);
}

bool HALGraphics::spanColumns(int64_t x1, int64_t x2, int64_t y, int64_t* from, int64_t* to) const {
    const Box box = visible();
    if (y < box.top || y >= box.bottom) return false;
    *from = std::max(std::min(x1, x2), box.left);
    *to = std::min(std::max(x1, x2), box.right - 1);
    return *from <= *to;
}

void HALGraphics::fillSpan(int64_t x1, int64_t x2, int64_t y) {
    int64_t from, to;
    if (!spanColumns(x1, x2, y, &from, &to)) return;
    uint16_t* row = surface()->row(int32_t(y));
    std::fill(row + from, row + to + 1, color565_);
    makeOpaque(from, to, y);
}

void HALGraphics::blendSpan(int64_t x1, int64_t x2, int64_t y) {
    const int32_t level = alphaLevel();
    if (level < rgb565::kAlphaVisibleFrom) return;
    if (level >= rgb565::kAlphaOpaqueFrom) return fillSpan(x1, x2, y);
    int64_t from, to;
    if (!spanColumns(x1, x2, y, &from, &to)) return;
    const HALSurface& target = *surface();
    uint16_t* row = target.row(int32_t(y));
    const uint32_t weight = rgb565::weightOf(level);
    if (target.hasAlphaPlane()) {
        uint8_t* alphas = target.alphaRow(int32_t(y));
        for (int64_t x = from; x <= to; ++x) rgb565::over(row[x], alphas[x], color565_, uint32_t(level), weight);
        return;
    }
    for (int64_t x = from; x <= to; ++x) row[x] = rgb565::blend(row[x], color565_, weight);
}

void HALGraphics::dottedSpan(int64_t x1, int64_t x2, int64_t y) {
    int64_t from, to;
    if (!spanColumns(x1, x2, y, &from, &to)) return;
    uint16_t* row = surface()->row(int32_t(y));
    for (int64_t x = from; x <= to; ++x) {
        if (!dotOn(x)) continue;
        row[x] = color565_;
        makeOpaque(x, x, y);
    }
}

void HALGraphics::strokeSpan(int64_t x1, int64_t x2, int64_t y) {
    if (dotted())
        dottedSpan(x1, x2, y);
    else
        fillSpan(x1, x2, y);
}

void HALGraphics::fillColumn(int64_t x, int64_t y1, int64_t y2, bool byAlpha) {
    const Box box = visible();
    const int32_t level = byAlpha ? alphaLevel() : 255;
    if (x < box.left || x >= box.right || level < rgb565::kAlphaVisibleFrom) return;
    const int64_t from = std::max(std::min(y1, y2), box.top), to = std::min(std::max(y1, y2), box.bottom - 1);
    const HALSurface& target = *surface();
    const uint32_t weight = rgb565::weightOf(level);
    const uint32_t solid = level >= rgb565::kAlphaOpaqueFrom ? 32 : weight;
    for (int64_t y = from; y <= to; ++y) {
        uint16_t& pixel = target.row(int32_t(y))[x];
        if (target.hasAlphaPlane())
            rgb565::over(pixel, target.alphaRow(int32_t(y))[x], color565_, uint32_t(level), solid);
        else
            pixel = solid == 32 ? color565_ : rgb565::blend(pixel, color565_, weight);
    }
}

void HALGraphics::drawLine(int64_t x1, int64_t y1, int64_t x2, int64_t y2, bool dottedLine) {
    const Box box = visible();
    if (box.empty() || std::max(x1, x2) < box.left || std::min(x1, x2) >= box.right ||
        std::max(y1, y2) < box.top || std::min(y1, y2) >= box.bottom) {
        return;
    }
    if (y1 == y2) return dottedLine ? dottedSpan(x1, x2, y1) : fillSpan(x1, x2, y1);
    const int64_t dx = x2 - x1, dy = y2 - y1;
    const bool xMajor = (dx < 0 ? -dx : dx) >= (dy < 0 ? -dy : dy);
    const int64_t major1 = xMajor ? x1 : y1, minor1 = xMajor ? y1 : x1;
    const int64_t major2 = xMajor ? x2 : y2, minor2 = xMajor ? y2 : x2;
    const int64_t n = major2 > major1 ? major2 - major1 : major1 - major2;
    const int64_t minor = minor2 > minor1 ? minor2 - minor1 : minor1 - minor2;
    const int64_t majorStep = major2 > major1 ? 1 : -1;
    const int64_t minorStep = minor2 > minor1 ? 1 : minor2 < minor1 ? -1 : 0;
    const Line line{n, minor, xMajor, dottedLine};
    // The near half takes pixels 0 to n/2, the far half the rest, counted from the far end.
    const LineHalf nearHalf{major1, minor1, majorStep, minorStep, n >> 1, false};
    const LineHalf farHalf{major2, minor2, -majorStep, -minorStep, ((n + 1) >> 1) - 1, true};
    for (const LineHalf& half : {nearHalf, farHalf}) {
        const int64_t lo = xMajor ? box.left : box.top, hi = (xMajor ? box.right : box.bottom) - 1;
        const int64_t minorLo = xMajor ? box.top : box.left, minorHi = (xMajor ? box.bottom : box.right) - 1;
        // The steps whose major coordinate lies inside the box.
        int64_t first = half.majorStep > 0 ? lo - half.major0 : half.major0 - hi;
        int64_t last = half.majorStep > 0 ? hi - half.major0 : half.major0 - lo;
        first = std::max<int64_t>(first, 0);
        last = std::min(last, half.lastStep);
        if (first > last) continue;
        const __int128 twoN = __int128(2) * line.n;
        const __int128 advance = __int128(2) * first * line.minor;
        int64_t m = int64_t(ceilDiv(advance - line.n, twoN));
        int64_t error = int64_t(-__int128(line.n) + advance - twoN * m);
        HALSurface& target = *surface();
        for (int64_t k = first; k <= last; ++k) {
            const int64_t majorAt = half.major0 + half.majorStep * k, minorAt = half.minor0 + half.minorStep * m;
            if ((half.minorStep > 0 && minorAt > minorHi) || (half.minorStep < 0 && minorAt < minorLo)) break;
            const bool on = !line.dotted || dotOn(half.farHalf ? line.n - k : k);
            if (on && minorAt >= minorLo && minorAt <= minorHi) {
                const int64_t x = line.xMajor ? majorAt : minorAt, y = line.xMajor ? minorAt : majorAt;
                target.row(int32_t(y))[x] = color565_;
                makeOpaque(x, x, y);
            }
            error += 2 * line.minor;
            if (error >= 1) {
                error -= 2 * line.n;
                ++m;
            }
        }
    }
}

void HALGraphics::fillRect(int64_t x, int64_t y, int64_t width, int64_t height) {
    if (alphaLevel() < rgb565::kAlphaVisibleFrom || width < 1 || height < 1) return;
    const Box box = visible();
    const int64_t top = std::max(y, box.top), bottom = std::min(y + height, box.bottom);
    for (int64_t row = bottom - 1; row >= top; --row) blendSpan(x, x + width - 1, row);
}

void HALGraphics::fillRectSolid(int64_t x, int64_t y, int64_t width, int64_t height) {
    if (width < 1 || height < 1) return;
    const Box box = visible();
    const int64_t top = std::max(y, box.top), bottom = std::min(y + height, box.bottom);
    for (int64_t row = bottom - 1; row >= top; --row) fillSpan(x, x + width - 1, row);
}

void HALGraphics::drawRect(int64_t x, int64_t y, int64_t width, int64_t height) {
    strokeSpan(x, x + width, y);
    strokeSpan(x, x + width, y + height);
    drawLine(x, y, x, y + height, dotted());
    drawLine(x + width, y, x + width, y + height, dotted());
}

void HALGraphics::blit(int32_t x, int32_t y, int32_t width, int32_t height, const HALSurface& source,
                       int32_t sourceX, int32_t sourceY, int32_t flags) {
    HALSurface* target = surface();
    if (target == nullptr) return;
    const HALBlitTarget into{target, clip_.x, clip_.y, clip_.width, clip_.height, alphaLevel()};
    HAL_blitSurface(into, x, y, width, height, source, sourceX, sourceY, flags);
}

int HALGraphics::copyArea(int32_t sourceX, int32_t sourceY, int32_t width, int32_t height, int32_t x, int32_t y) {
    const HALBlitTarget into{surface(), clip_.x, clip_.y, clip_.width, clip_.height, alphaLevel()};
    return HAL_copySurfaceArea(into, sourceX, sourceY, width, height, x, y);
}

int HALGraphics::drawRGB(const int32_t* values, int32_t scanlength, int32_t x, int32_t y, int32_t width,
                         int32_t height, bool processAlpha) {
    const HALBlitTarget into{surface(), clip_.x, clip_.y, clip_.width, clip_.height, alphaLevel()};
    return HAL_blitRGB(into, values, scanlength, x, y, width, height, processAlpha);
}

void HALGraphics::drawChars(const char16_t* chars, int32_t length, int32_t x, int32_t y) {
    HALSurface* target = surface();
    if (target == nullptr) return;
    const uint32_t argb = (color_ & 0x00FFFFFFu) | uint32_t(alphaLevel()) << 24;
    HAL_drawText(target, font(), chars, length, x, y, argb, HALTextClip{clip_.x, clip_.y, clip_.width, clip_.height});
}
