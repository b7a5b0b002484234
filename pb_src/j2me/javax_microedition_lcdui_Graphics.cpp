#include "pb_src/j2me/javax_microedition_lcdui_Graphics.h"

#include <algorithm>
#include <bit>
#include <cstdint>

#include "hal/base/FatalError.h"
#include "hal/base/HALResult.h"
#include "hal/display/FontCache.h"
#include "hal/display/GraphicsContext.h"
#include "hal/display/GraphicsShapes.h"
#include "hal/display/HALScreenBuffer.h"
#include "lib_src/vm/VMException.h"
#include "pb_src/j2me/java_lang_ArrayIndexOutOfBoundsException.h"
#include "pb_src/j2me/java_lang_IllegalArgumentException.h"
#include "pb_src/j2me/java_lang_IllegalStateException.h"
#include "pb_src/j2me/java_lang_NullPointerException.h"
#include "pb_src/j2me/java_lang_String.h"
#include "pb_src/j2me/java_lang_StringIndexOutOfBoundsException.h"
#include "pb_src/j2me/javax_microedition_lcdui_Font.h"
#include "pb_src/j2me/javax_microedition_lcdui_Image.h"

namespace javax::microedition::lcdui {

using ::java::lang::ArrayIndexOutOfBoundsException;
using ::java::lang::IllegalArgumentException;
using ::java::lang::NullPointerException;

VM_DEFINE_CLASS(Graphics, "javax.microedition.lcdui.Graphics", "java.lang.Object", VM_NO_CLINIT)

namespace {

constexpr int32_t kVertical = Graphics::VCENTER | Graphics::TOP | Graphics::BOTTOM | Graphics::BASELINE;
constexpr int32_t kHorizontal = Graphics::HCENTER | Graphics::LEFT | Graphics::RIGHT;
constexpr int32_t kTopLeft = Graphics::TOP | Graphics::LEFT;
constexpr int32_t kTransformBits = 0x307;

int32_t saturate(int64_t value) {
    return int32_t(std::clamp<int64_t>(value, INT32_MIN, INT32_MAX));
}

// A translated start edge: below the surface is 0, beyond the 32-bit range is the surface
// size, anything else stays (and may lie beyond the surface).
int64_t startEdge(int64_t sum, int32_t size) {
    if (sum < 0) return 0;
    return sum > INT32_MAX ? size : sum;
}

// A translated end edge: below the surface is the start edge, beyond the surface its size.
int64_t endEdge(int64_t sum, int64_t start, int32_t size) {
    if (sum < 0) return start;
    return std::min<int64_t>(sum, size);
}

bool inByteRange(int32_t value) { return value >= 0 && value <= 255; }

// offset..offset+length inside 0..total, in subtraction form.
bool runInside(int32_t offset, int32_t length, int32_t total) {
    return offset >= 0 && length >= 0 && offset <= total && length <= total - offset;
}

}  // namespace

VMPtr<Graphics> Graphics::_VM_init(HALGraphics* context, int32_t w, int32_t h) {
    Object::_VM_init();
    nativeContext = context;
    setSize(w, h);
    resetState(false);
    return this;
}

VMPtr<Graphics> Graphics::createGraphicsWithScreenBuffer(HALScreenBuffer* screenBuffer) {
    HALGraphics* context = nullptr;
    if (HAL_createGraphicsWithScreenBuffer(&context, screenBuffer) != HAL_OK)
        HAL_fatalError("HAL_createGraphicsWithScreenBuffer() failed.");
    int32_t w = 0, h = 0;
    if (HAL_getScreenBufferSize(screenBuffer, &w, &h) != HAL_OK) {
        HAL_deleteGraphics(context);
        HAL_fatalError("HAL_getScreenBufferSize() failed.");
    }
    VMPtr<Graphics> g;
    try {
        g = _VM_new();
    } catch (...) {
        HAL_deleteGraphics(context);
        throw;
    }
    return g->_VM_init(context, w, h);
}

VMPtr<Graphics> Graphics::_VM_newForImage(VMPtr<Image> img) {
    if (!img) vm::throwNew<NullPointerException>();
    VMPtr<Graphics> g = _VM_new();
    g->Object::_VM_init();
    g->createGraphicsWithImage(img);
    return g;
}

void Graphics::createGraphicsWithImage(VMPtr<Image> img) {
    image = img;
    if (HAL_createGraphicsWithImage(&nativeContext, img->nativeHandle) != HAL_OK)
        HAL_fatalError("HAL_createGraphicsWithImage() failed.");
    setSize(img->width, img->height);
    resetState(false);
}

Graphics::~Graphics() {
    if (nativeContext != nullptr) HAL_deleteGraphics(nativeContext);
}

void Graphics::_VM_mark(uint32_t flags) {
    Object::_VM_mark(flags);
    vmMarkField(font, flags);
    vmMarkField(image, flags);
}

void Graphics::setSize(int32_t w, int32_t h) {
    width = int16_t(w & 0x7FFF);
    height = int16_t(h & 0x7FFF);
    translateX = 0;
    translateY = 0;
    setClip(0, 0, width, height);
}

void Graphics::resetState(bool push) {
    font = Font::getDefaultFont();
    greyValid = true;
    alpha = 255;
    strokeStyle = SOLID;
    rgb = 0;
    grey = 0;
    renderMode = 0;
    if (!push) return;
    HAL_setFont(nativeContext, font->nativeFont);
    HAL_setStrokeStyle(nativeContext, SOLID);
    HAL_setColor(nativeContext, int32_t(0xFF000000u));
}

bool Graphics::isValidAnchor(int32_t anchor, int32_t disallowed) {
    if (anchor == 0 || anchor == kTopLeft) return true;
    if (anchor < 1 || anchor > 127 || (anchor & disallowed) != 0) return false;
    return std::popcount(uint32_t(anchor & kVertical)) == 1 && std::popcount(uint32_t(anchor & kHorizontal)) == 1;
}

bool Graphics::applyAnchor(int64_t& x, int64_t& y, int32_t w, int32_t h, int32_t anchor, int32_t transform) {
    if (anchor == 0 || anchor == kTopLeft) return true;
    if ((transform & 4) != 0) std::swap(w, h);
    if ((anchor & HCENTER) != 0) x -= w >> 1;
    else if ((anchor & RIGHT) != 0) x -= w;
    else if ((anchor & LEFT) == 0) return false;
    if ((anchor & VCENTER) != 0) y -= h >> 1;
    else if ((anchor & BOTTOM) != 0) y -= h;
    else if ((anchor & TOP) == 0) return false;
    return true;
}

int32_t Graphics::surfaceX(int64_t x) const { return saturate(x + translateX); }
int32_t Graphics::surfaceY(int64_t y) const { return saturate(y + translateY); }

void Graphics::pushColor() { HAL_setColor(nativeContext, int32_t(uint32_t(rgb) | uint32_t(alpha) << 24)); }

// --- state ---------------------------------------------------------------------------

void Graphics::translate(int32_t x, int32_t y) {
    // Wraps as 32-bit integer arithmetic does; every use of the translation is 64-bit.
    translateX = int32_t(uint32_t(translateX) + uint32_t(x));
    translateY = int32_t(uint32_t(translateY) + uint32_t(y));
}

int32_t Graphics::getTranslateX() { return translateX; }
int32_t Graphics::getTranslateY() { return translateY; }
int32_t Graphics::getColor() { return rgb; }
int32_t Graphics::getRedComponent() { return (rgb >> 16) & 255; }
int32_t Graphics::getGreenComponent() { return (rgb >> 8) & 255; }
int32_t Graphics::getBlueComponent() { return rgb & 255; }

int32_t Graphics::getGrayScale() {
    if (!greyValid) {
        grey = (getGreenComponent() * 150 + getRedComponent() * 76 + getBlueComponent() * 29) >> 8;
        greyValid = true;
    }
    return grey;
}

void Graphics::setColor(int32_t rgbValue) {
    const int32_t value = rgbValue & 0xFFFFFF;
    if (value == rgb) return;
    rgb = value;
    greyValid = false;
    pushColor();
}

void Graphics::setColor(int32_t red, int32_t green, int32_t blue) {
    if (!inByteRange(red) || !inByteRange(green) || !inByteRange(blue)) vm::throwNew<IllegalArgumentException>();
    rgb = red << 16 | green << 8 | blue;
    greyValid = false;
    pushColor();
}

void Graphics::setGrayScale(int32_t value) {
    if (!inByteRange(value)) vm::throwNew<IllegalArgumentException>();
    if (greyValid && value == grey) return;
    rgb = value << 16 | value << 8 | value;
    grey = value;
    greyValid = true;
    pushColor();
}

VMPtr<Font> Graphics::getFont() { return font; }

void Graphics::setFont(VMPtr<Font> f) {
    font = f ? f : Font::getDefaultFont();
    HAL_setFont(nativeContext, font->nativeFont);
}

int32_t Graphics::getStrokeStyle() { return strokeStyle; }

void Graphics::setStrokeStyle(int32_t style) {
    if (style != SOLID && style != DOTTED) vm::throwNew<IllegalArgumentException>();
    strokeStyle = style;
    HAL_setStrokeStyle(nativeContext, style);
}

int32_t Graphics::getClipX() { return int32_t(uint32_t(clipX1) - uint32_t(translateX)); }
int32_t Graphics::getClipY() { return int32_t(uint32_t(clipY1) - uint32_t(translateY)); }
int32_t Graphics::getClipWidth() { return clipX2 - clipX1; }
int32_t Graphics::getClipHeight() { return clipY2 - clipY1; }

void Graphics::emptyClip() {
    clipX1 = clipY1 = clipX2 = clipY2 = 0;
    clipNarrowed = true;
    HAL_setClip(nativeContext, 0, 0, 0, 0);
}

void Graphics::clipRect(int32_t x, int32_t y, int32_t w, int32_t h) {
    if (w < 1 || h < 1) return emptyClip();
    const int64_t left = int64_t(translateX) + x;
    const int64_t top = int64_t(translateY) + y;
    const int64_t ax = startEdge(left, width);
    const int64_t ay = startEdge(top, height);
    if (ax > clipX2 || ay > clipY2) return emptyClip();
    clipX1 = int16_t(std::max<int64_t>(clipX1, ax) & 0x7FFF);
    clipY1 = int16_t(std::max<int64_t>(clipY1, ay) & 0x7FFF);
    const int64_t bx = endEdge(left + w, ax, width);
    const int64_t by = endEdge(top + h, ay, height);
    if (bx < clipX1 || by < clipY1) return emptyClip();
    clipX2 = int16_t(std::max<int64_t>(std::min<int64_t>(clipX2, bx), clipX1));
    clipY2 = int16_t(std::max<int64_t>(std::min<int64_t>(clipY2, by), clipY1));
    clipNarrowed = true;
    HAL_clipRect(nativeContext, int32_t(ax), int32_t(ay), int32_t(bx - ax), int32_t(by - ay));
}

void Graphics::setClip(int32_t x, int32_t y, int32_t w, int32_t h) {
    if (w <= 0 || h <= 0) return emptyClip();
    const int64_t left = int64_t(translateX) + x;
    const int64_t top = int64_t(translateY) + y;
    const int64_t ax = startEdge(left, width);
    const int64_t ay = startEdge(top, height);
    if (ax >= width || ay >= height) return emptyClip();
    clipX1 = int16_t(ax);
    clipY1 = int16_t(ay);
    clipX2 = int16_t(endEdge(left + w, ax, width));
    clipY2 = int16_t(endEdge(top + h, ay, height));
    clipNarrowed = clipX1 != 0 || clipY1 != 0 || clipX2 != width || clipY2 != height;
    HAL_setClip(nativeContext, clipX1, clipY1, clipX2 - clipX1, clipY2 - clipY1);
}

// --- shapes --------------------------------------------------------------------------

void Graphics::drawLine(int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
    HAL_drawLine(nativeContext, surfaceX(x1), surfaceY(y1), surfaceX(x2), surfaceY(y2));
}

void Graphics::fillRect(int32_t x, int32_t y, int32_t w, int32_t h) {
    HAL_fillRect(nativeContext, surfaceX(x), surfaceY(y), w, h);
}

void Graphics::drawRect(int32_t x, int32_t y, int32_t w, int32_t h) {
    HAL_drawRect(nativeContext, surfaceX(x), surfaceY(y), w, h);
}

namespace {
int32_t roundArc(int32_t arc, int32_t side) { return arc < 0 ? 0 : std::min(arc, side >> 1); }
}  // namespace

void Graphics::drawRoundRect(int32_t x, int32_t y, int32_t w, int32_t h, int32_t arcW, int32_t arcH) {
    const int32_t aw = roundArc(arcW, w), ah = roundArc(arcH, h);
    if (aw != 0 && ah != 0) HAL_drawRoundRect(nativeContext, surfaceX(x), surfaceY(y), w, h, aw, ah);
    else HAL_drawRect(nativeContext, surfaceX(x), surfaceY(y), w, h);
}

void Graphics::fillRoundRect(int32_t x, int32_t y, int32_t w, int32_t h, int32_t arcW, int32_t arcH) {
    const int32_t aw = roundArc(arcW, w), ah = roundArc(arcH, h);
    if (aw != 0 && ah != 0) HAL_fillRoundRect(nativeContext, surfaceX(x), surfaceY(y), w, h, aw, ah);
    else HAL_fillRect(nativeContext, surfaceX(x), surfaceY(y), w, h);
}

void Graphics::fillArc(int32_t x, int32_t y, int32_t w, int32_t h, int32_t startAngle, int32_t arcAngle) {
    HAL_fillArc(nativeContext, surfaceX(x), surfaceY(y), w, h, startAngle, arcAngle);
}

void Graphics::drawArc(int32_t x, int32_t y, int32_t w, int32_t h, int32_t startAngle, int32_t arcAngle) {
    HAL_drawArc(nativeContext, surfaceX(x), surfaceY(y), w, h, startAngle, arcAngle);
}

void Graphics::fillTriangle(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t x3, int32_t y3) {
    HAL_fillTriangle(nativeContext, surfaceX(x1), surfaceY(y1), surfaceX(x2), surfaceY(y2), surfaceX(x3),
                     surfaceY(y3));
}

void Graphics::fillGradient(int32_t x, int32_t y, int32_t w, int32_t h, int32_t color1, int32_t color2,
                            bool vertical) {
    HAL_fillGradient(nativeContext, surfaceX(x), surfaceY(y), w, h, color1, color2, vertical);
}

void Graphics::applyExtension(int32_t, int32_t, int32_t, int32_t, int32_t) {}

// --- text ----------------------------------------------------------------------------

void Graphics::drawText(const char16_t* chars, int32_t length, int32_t x, int32_t y, int32_t anchor) {
    int64_t left = int64_t(x) + translateX;
    int64_t top = int64_t(y) + translateY;
    if ((anchor & LEFT) == 0) {
        const int32_t textWidth = HAL_getStringWidth(font->nativeFont, chars, length);
        if ((anchor & RIGHT) != 0) left -= textWidth;
        else if ((anchor & HCENTER) != 0) left -= textWidth / 2;
    }
    if ((anchor & TOP) == 0) {
        if ((anchor & BASELINE) != 0) top -= font->baselinePosition;
        else if ((anchor & BOTTOM) != 0) top -= font->height;
    }
    HAL_drawChars(nativeContext, chars, length, saturate(left), saturate(top));
}

void Graphics::drawString(const VMPtr<::java::lang::String>& s, int32_t x, int32_t y, int32_t anchor) {
    if (!s) vm::throwNew<NullPointerException>();
    if (anchor == 0) anchor = kTopLeft;
    else if (!isValidAnchor(anchor, VCENTER)) vm::throwNew<IllegalArgumentException>();
    if (s->length() > 0) drawText(s->chars(), s->length(), x, y, anchor);
}

void Graphics::drawSubstring(const VMPtr<::java::lang::String>& s, int32_t offset, int32_t len, int32_t x, int32_t y,
                             int32_t anchor) {
    if (!s) vm::throwNew<NullPointerException>();
    if (!runInside(offset, len, s->length())) vm::throwNew<::java::lang::StringIndexOutOfBoundsException>();
    if (len > 0) drawText(s->chars() + offset, len, x, y, anchor);
}

void Graphics::drawChar(char16_t c, int32_t x, int32_t y, int32_t anchor) { drawText(&c, 1, x, y, anchor); }

void Graphics::drawChars(const VMPtr<CharArray>& data, int32_t offset, int32_t length, int32_t x, int32_t y,
                         int32_t anchor) {
    if (!data) vm::throwNew<NullPointerException>();
    if (!runInside(offset, length, data->length)) vm::throwNew<ArrayIndexOutOfBoundsException>();
    if (length > 0) drawText(data->elements() + offset, length, x, y, anchor);
}

// --- images and pixels ---------------------------------------------------------------

void Graphics::drawImage(const VMPtr<Image>& img, int32_t x, int32_t y, int32_t anchor) {
    if (!img) vm::throwNew<NullPointerException>();
    int64_t left = x, top = y;
    if (!isValidAnchor(anchor, BASELINE) || !applyAnchor(left, top, img->width, img->height, anchor, 0))
        vm::throwNew<IllegalArgumentException>();
    HAL_drawImage(nativeContext, img->nativeHandle, surfaceX(left), surfaceY(top));
}

void Graphics::drawRegion(const VMPtr<Image>& img, int32_t xSrc, int32_t ySrc, int32_t w, int32_t h,
                          int32_t transform, int32_t xDest, int32_t yDest, int32_t anchor) {
    if (!img) vm::throwNew<NullPointerException>();
    if ((transform & ~kTransformBits) != 0) vm::throwNew<IllegalArgumentException>();
    int64_t left = xDest, top = yDest;
    if (!isValidAnchor(anchor, BASELINE) || !applyAnchor(left, top, w, h, anchor, transform))
        vm::throwNew<IllegalArgumentException>();
    if (img.get() == image.get()) vm::throwNew<IllegalArgumentException>();
    if (w < 0 || h < 0 || xSrc < 0 || ySrc < 0 || xSrc > img->width - w || ySrc > img->height - h)
        vm::throwNew<IllegalArgumentException>();
    auto draw = img->mutableImage ? &HAL_drawMutableRegion : &HAL_drawRegion;
    draw(nativeContext, img->nativeHandle, xSrc, ySrc, w, h, transform, surfaceX(left), surfaceY(top));
}

void Graphics::copyArea(int32_t xSrc, int32_t ySrc, int32_t w, int32_t h, int32_t xDest, int32_t yDest,
                        int32_t anchor) {
    if (!image) vm::throwNew<::java::lang::IllegalStateException>();
    const int64_t ax = int64_t(xSrc) + translateX;
    const int64_t ay = int64_t(ySrc) + translateY;
    if (w < 0 || h < 0 || ax < 0 || ay < 0 || ax + w > width || ay + h > height)
        vm::throwNew<IllegalArgumentException>();
    int64_t left = xDest, top = yDest;
    if (!isValidAnchor(anchor, BASELINE) || !applyAnchor(left, top, w, h, anchor, 0))
        vm::throwNew<IllegalArgumentException>();
    if (HAL_copyArea(nativeContext, int32_t(ax), int32_t(ay), w, h, surfaceX(left), surfaceY(top)) != HAL_OK)
        vm::throwNew<IllegalArgumentException>();
}

void Graphics::drawRGB(const VMPtr<IntArray>& data, int32_t offset, int32_t scanlength, int32_t x, int32_t y,
                       int32_t w, int32_t h, bool processAlpha) {
    if (!data) vm::throwNew<NullPointerException>();
    const int64_t rows = h != 0 ? int64_t(h - 1) * scanlength : 0;
    const int64_t last = int64_t(offset) + (scanlength < 0 ? 0 : rows) + (w != 0 ? int64_t(w) - 1 : 0);
    const int64_t first = int64_t(offset) + (scanlength < 0 ? rows : 0);
    const int64_t end = data->length;
    if (first < 0 || first >= end || last < 0 || last >= end) vm::throwNew<ArrayIndexOutOfBoundsException>();
    // A negative side passes the index checks but has nothing to draw.
    if (w < 1 || h < 1) return;
    HAL_drawRGB(nativeContext, data->elements() + offset, data->length - offset, scanlength, surfaceX(x),
                surfaceY(y), w, h, processAlpha);
}

// --- colour --------------------------------------------------------------------------

int32_t Graphics::getDisplayColor(int32_t color) { return HAL_getDisplayColor(nativeContext, color); }

int32_t Graphics::getARGBColor() { return int32_t(uint32_t(rgb) | uint32_t(alpha) << 24); }

void Graphics::setARGBColor(int32_t a, int32_t r, int32_t g, int32_t b) {
    if (!inByteRange(a) || !inByteRange(r) || !inByteRange(g) || !inByteRange(b))
        vm::throwNew<IllegalArgumentException>();
    setARGBColor(int32_t(uint32_t(a) << 24 | uint32_t(r) << 16 | uint32_t(g) << 8 | uint32_t(b)));
}

void Graphics::setARGBColor(int32_t argb) {
    const int32_t value = argb & 0xFFFFFF;
    const int32_t newAlpha = int32_t(uint32_t(argb) >> 24);
    if (value == rgb && newAlpha == alpha) return;
    if (value != rgb) greyValid = false;
    rgb = value;
    alpha = newAlpha;
    pushColor();
}

int32_t Graphics::getAlpha() { return alpha; }

void Graphics::setAlpha(int32_t a) {
    if (!inByteRange(a)) vm::throwNew<IllegalArgumentException>();
    if (a == alpha) return;
    alpha = a;
    pushColor();
}

int32_t Graphics::getRenderMode() { return renderMode; }

void Graphics::setRenderMode(int32_t mode) {
    if (mode == 0) {
        renderMode = 0;
        return;
    }
    if (mode != 1 || !image || !image->hasAlpha()) vm::throwNew<IllegalArgumentException>();
    renderMode = 1;
}

}  // namespace javax::microedition::lcdui
