#pragma once

// The native graphics context behind a profile Graphics: software drawing into the RGB565
// surface of a mutable image or of a canvas screen buffer, through a clip, with a colour, an
// alpha, a stroke style and a font.
//
// - State at creation: colour 0xFF000000, alpha -1 (drawn as opaque), solid stroke, the
//   default font, the clip the whole surface. Setting a colour sets the alpha to its top
//   byte. The clip is reset to the whole surface whenever a screen buffer's surface is
//   resized; it never reaches outside the surface.
// - Nothing outside the clip ever changes. Coordinates are taken in 64 bits, so no sum of
//   32-bit coordinates overflows.
// - Alpha: below 8 draws nothing, 248 or more draws opaque, anything between blends with
//   weight (alpha + 1) >> 3 of 32. Rectangle and triangle fills honour it; spans, lines and
//   outlines are always opaque; blits and text combine it with the source's transparency.
// - Dotted strokes are four pixels on, four off. A dotted span's pattern follows the surface
//   columns (column c is drawn when c mod 8 is below 4), so clipping never shifts it; a
//   dotted line's pattern counts pixels from its first end.
// - Lines are drawn from both ends at once, so a line is symmetric about its middle; every
//   pixel from one end to the other is written once. Only the part of a line inside the
//   clip is walked, so far-away end points cost nothing.
// - An image context holds one reference on the image's pixels until it is deleted. A
//   screen-buffer context is in the buffer's client list until it is deleted; when the
//   buffer is deleted first, the context forgets it and draws nothing until it is deleted
//   itself.
//
// Used by one runtime thread at a time, under the runtime lock.

#include <cstdint>

#include "hal/display/HALRect.h"
#include "hal/display/HALScreenBuffer.h"

class HALFont;
class HALPixelBuffer;
class HALSurface;

class HALGraphics final : public HALSurfaceClient {
public:
    static constexpr int32_t kSolid = 0;
    static constexpr int32_t kDotted = 1;

    // The colour state that a gradient saves and restores.
    struct ColorState {
        uint32_t color;
        int32_t alpha;
        uint16_t color565;
    };

    // A context on the image (one more reference on it); null when memory fails.
    static HALGraphics* onImage(HALPixelBuffer* image);
    // A context on the screen buffer, added to its client list; null when memory fails.
    static HALGraphics* onScreenBuffer(HALScreenBuffer* buffer);
    ~HALGraphics();
    HALGraphics(const HALGraphics&) = delete;
    HALGraphics& operator=(const HALGraphics&) = delete;

    void surfaceResized() override;
    void screenBufferDeleted() override;

    // The surface drawn on; null once a screen buffer is gone.
    HALSurface* surface() const;

    void setColor(uint32_t argb);
    uint32_t color() const { return color_; }
    int32_t alpha() const { return alpha_; }
    uint16_t color565() const { return color565_; }
    ColorState colorState() const { return {color_, alpha_, color565_}; }
    void restoreColor(const ColorState& state);
    // The alpha that drawing uses: the initial -1 (or anything outside 0-255) is 255.
    int32_t alphaLevel() const;

    // Null means the default font (face 0, style 0, size 0).
    void setFont(HALFont* font) { font_ = font; }
    // The font text is drawn in; null when no font can be made.
    HALFont* font() const;
    void setStrokeStyle(int32_t style) { strokeStyle_ = style; }
    int32_t strokeStyle() const { return strokeStyle_; }
    bool dotted() const { return strokeStyle_ == kDotted; }

    // clip := the whole surface (or the current clip) intersected with (x, y, w, h).
    void setClip(int32_t x, int32_t y, int32_t width, int32_t height);
    void clipRect(int32_t x, int32_t y, int32_t width, int32_t height);
    const HALRect& clip() const { return clip_; }
    // Whether (x, y) is drawn on: inside the clip of a context that has a surface.
    bool drawable(int64_t x, int64_t y) const;

    // The colour565 at (x, y) when drawable.
    void plot(int64_t x, int64_t y);
    // Sets the alpha of columns from to to of row y to opaque on a surface with an alpha
    // plane (after an opaque write there); nothing otherwise.
    void makeOpaque(int64_t from, int64_t to, int64_t y);
    // Row y from min(x1, x2) to max(x1, x2) inclusive: solid, by the alpha, dotted, or by
    // the stroke style.
    void fillSpan(int64_t x1, int64_t x2, int64_t y);
    void blendSpan(int64_t x1, int64_t x2, int64_t y);
    void dottedSpan(int64_t x1, int64_t x2, int64_t y);
    void strokeSpan(int64_t x1, int64_t x2, int64_t y);
    // Column x from min(y1, y2) to max(y1, y2) inclusive, solid or by the alpha.
    void fillColumn(int64_t x, int64_t y1, int64_t y2, bool byAlpha);
    void drawLine(int64_t x1, int64_t y1, int64_t x2, int64_t y2, bool dottedLine);
    // w by h pixels by the alpha (nothing for a side below 1), or solid whatever the alpha.
    void fillRect(int64_t x, int64_t y, int64_t width, int64_t height);
    void fillRectSolid(int64_t x, int64_t y, int64_t width, int64_t height);
    // The (w + 1) by (h + 1) outline with the stroke style.
    void drawRect(int64_t x, int64_t y, int64_t width, int64_t height);

    // The surface blit (flags: the MIDP transform in bits 0-2, a format override in bits
    // 8-15) through the clip and alpha.
    void blit(int32_t x, int32_t y, int32_t width, int32_t height, const HALSurface& source, int32_t sourceX,
              int32_t sourceY, int32_t flags);
    // Copies an area of the context's own surface as if through a temporary: 0, or 2 when the
    // context has no surface.
    int copyArea(int32_t sourceX, int32_t sourceY, int32_t width, int32_t height, int32_t x, int32_t y);
    // ARGB values drawn through a temporary image: 0, or 2 (bad arguments) and 5 (memory) with
    // nothing drawn.
    int drawRGB(const int32_t* values, int32_t scanlength, int32_t x, int32_t y, int32_t width, int32_t height,
                bool processAlpha);
    // The characters, literally on one line, with the cell's top-left at (x, y).
    void drawChars(const char16_t* chars, int32_t length, int32_t x, int32_t y);

private:
    // Half-open pixel box: the clip within the surface.
    struct Box {
        int64_t left = 0, top = 0, right = 0, bottom = 0;
        bool empty() const { return left >= right || top >= bottom; }
    };

    HALGraphics(HALPixelBuffer* image, HALScreenBuffer* buffer);
    Box visible() const;
    HALRect wholeSurface() const;
    // The visible columns of a span on row y, or false.
    bool spanColumns(int64_t x1, int64_t x2, int64_t y, int64_t* from, int64_t* to) const;

    uint16_t color565_ = 0;
    int32_t alpha_ = -1;
    uint32_t color_ = 0xFF000000u;
    int32_t strokeStyle_ = kSolid;
    HALPixelBuffer* image_;
    HALScreenBuffer* screenBuffer_;
    HALRect clip_;
    HALFont* font_ = nullptr;
};
