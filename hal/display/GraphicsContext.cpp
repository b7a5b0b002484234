#include "hal/display/GraphicsContext.h"

#include "hal/base/HALResult.h"
#include "hal/display/HALGraphics.h"
#include "hal/display/HALPixelBuffer.h"
#include "hal/display/HALScreenBuffer.h"
#include "hal/display/HALSurface.h"
#include "hal/display/Rgb565.h"

namespace {

int deliver(HALGraphics* graphics, HALGraphics** out) {
    *out = graphics;
    return graphics ? HAL_OK : HAL_OUT_OF_MEMORY;
}

// Whether height rows of width values, scanlength apart, stay within the available values
// (rows going up in memory are the caller's to check).
bool rowsFit(int32_t available, int32_t scanlength, int32_t width, int32_t height) {
    const int64_t forward = scanlength > 0 ? int64_t(height - 1) * scanlength : 0;
    return forward + width <= available;
}

}  // namespace

int HAL_createGraphicsWithImage(HALGraphics** out, HALPixelBuffer* image) {
    if (out == nullptr) return HAL_BAD_ARGUMENT;
    *out = nullptr;
    if (image == nullptr) return HAL_BAD_ARGUMENT;
    return deliver(HALGraphics::onImage(image), out);
}

int HAL_createGraphicsWithScreenBuffer(HALGraphics** out, HALScreenBuffer* buffer) {
    if (out == nullptr) return HAL_BAD_ARGUMENT;
    *out = nullptr;
    if (buffer == nullptr) return HAL_BAD_ARGUMENT;
    return deliver(HALGraphics::onScreenBuffer(buffer), out);
}

int HAL_deleteGraphics(HALGraphics* graphics) {
    if (graphics == nullptr) return HAL_BAD_ARGUMENT;
    delete graphics;
    return HAL_OK;
}

void HAL_setColor(HALGraphics* graphics, int32_t argb) {
    if (graphics) graphics->setColor(uint32_t(argb));
}

int32_t HAL_getDisplayColor(HALGraphics* graphics, int32_t rgb) {
    if (graphics == nullptr) return -1;
    return int32_t(rgb565::toArgb(rgb565::fromArgb(uint32_t(rgb)), 0));
}

void HAL_setFont(HALGraphics* graphics, HALFont* font) {
    if (graphics) graphics->setFont(font);
}

void HAL_setStrokeStyle(HALGraphics* graphics, int32_t style) {
    if (graphics) graphics->setStrokeStyle(style);
}

void HAL_setClip(HALGraphics* graphics, int32_t x, int32_t y, int32_t width, int32_t height) {
    if (graphics) graphics->setClip(x, y, width, height);
}

void HAL_clipRect(HALGraphics* graphics, int32_t x, int32_t y, int32_t width, int32_t height) {
    if (graphics) graphics->clipRect(x, y, width, height);
}

void HAL_drawLine(HALGraphics* graphics, int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
    if (graphics) graphics->drawLine(x1, y1, x2, y2, graphics->dotted());
}

void HAL_fillRect(HALGraphics* graphics, int32_t x, int32_t y, int32_t width, int32_t height) {
    if (graphics) graphics->fillRect(x, y, width, height);
}

void HAL_drawRect(HALGraphics* graphics, int32_t x, int32_t y, int32_t width, int32_t height) {
    if (graphics) graphics->drawRect(x, y, width, height);
}

void HAL_drawChars(HALGraphics* graphics, const char16_t* chars, int32_t length, int32_t x, int32_t y) {
    if (graphics) graphics->drawChars(chars, length, x, y);
}

void HAL_drawImage(HALGraphics* graphics, HALPixelBuffer* image, int32_t x, int32_t y) {
    if (image) HAL_drawRegion(graphics, image, 0, 0, image->width, image->height, 0, x, y);
}

void HAL_drawRegion(HALGraphics* graphics, HALPixelBuffer* image, int32_t sourceX, int32_t sourceY, int32_t width,
                    int32_t height, int32_t transform, int32_t x, int32_t y) {
    if (graphics && image) graphics->blit(x, y, width, height, *image->surface, sourceX, sourceY, transform);
}

void HAL_drawMutableRegion(HALGraphics* graphics, HALPixelBuffer* image, int32_t sourceX, int32_t sourceY,
                           int32_t width, int32_t height, int32_t transform, int32_t x, int32_t y) {
    HAL_drawRegion(graphics, image, sourceX, sourceY, width, height, transform, x, y);
}

int HAL_drawRGB(HALGraphics* graphics, const int32_t* values, int32_t available, int32_t scanlength, int32_t x,
                int32_t y, int32_t width, int32_t height, bool processAlpha) {
    if (graphics == nullptr || values == nullptr || width < 1 || height < 1) return HAL_BAD_ARGUMENT;
    if (!rowsFit(available, scanlength, width, height)) return HAL_BAD_ARGUMENT;
    return graphics->drawRGB(values, scanlength, x, y, width, height, processAlpha);
}

int HAL_copyArea(HALGraphics* graphics, int32_t sourceX, int32_t sourceY, int32_t width, int32_t height, int32_t x,
                 int32_t y) {
    if (graphics == nullptr) return HAL_OK;
    return graphics->copyArea(sourceX, sourceY, width, height, x, y);
}

void HAL_drawScreenBuffer(HALGraphics* graphics, HALScreenBuffer* buffer, int32_t x, int32_t y) {
    if (graphics == nullptr || buffer == nullptr || buffer->surface == nullptr) return;
    const HALSurface& source = *buffer->surface;
    graphics->blit(x, y, source.width, source.height, source, 0, 0, 0);
}
