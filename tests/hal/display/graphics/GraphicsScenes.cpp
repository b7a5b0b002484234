#include "tests/hal/display/graphics/GraphicsScenes.h"

#include "hal/display/FontCache.h"
#include "hal/display/GraphicsContext.h"
#include "hal/display/GraphicsShapes.h"
#include "hal/display/HALGraphics.h"
#include "hal/display/HALPixelBuffer.h"
#include "hal/display/HALSurface.h"
#include "hal/display/Images.h"

namespace {

void color(HALGraphics* g, uint32_t argb) { HAL_setColor(g, int32_t(argb)); }

// Light grey and white 4 x 4 squares, so that blending shows.
void checker(HALGraphics* g, int32_t width, int32_t height) {
    color(g, 0xFFC8C8C8u);
    for (int32_t y = 0; y < height; y += 4)
        for (int32_t x = (y / 4 % 2) * 4; x < width; x += 8) HAL_fillRect(g, x, y, 4, 4);
}

// Paints the clip's area pale yellow, then sets it.
void showClip(HALGraphics* g, int32_t x, int32_t y, int32_t width, int32_t height) {
    color(g, 0xFFFFF4B0u);
    HAL_fillRect(g, x, y, width, height);
    HAL_setClip(g, x, y, width, height);
}

void resetClip(HALGraphics* g) { HAL_setClip(g, 0, 0, 32767, 32767); }

// Twenty ends around the edge of a box, so that every direction of a line is drawn.
void fan(HALGraphics* g, int32_t cx, int32_t cy, int32_t reach) {
    for (int32_t i = 0; i < 20; ++i) {
        const int32_t side = i / 5, step = (i % 5) * reach * 2 / 5;
        const int32_t ends[4][2] = {{cx - reach + step, cy - reach},
                                    {cx + reach, cy - reach + step},
                                    {cx + reach - step, cy + reach},
                                    {cx - reach, cy + reach - step}};
        color(g, 0xFF000000u | uint32_t(i * 12) << 16 | uint32_t(200 - i * 8) << 8 | uint32_t(i * 11));
        HAL_drawLine(g, cx, cy, ends[side][0], ends[side][1]);
    }
}

// Cells: a solid fan, a dotted fan, a fan and far-away lines cut by a clip, outlines.
void lines(HALGraphics* g) {
    checker(g, 128, 128);
    fan(g, 31, 31, 27);
    HAL_setStrokeStyle(g, 1);
    fan(g, 95, 31, 27);
    HAL_setStrokeStyle(g, 0);
    showClip(g, 10, 74, 44, 44);
    fan(g, 31, 95, 30);
    color(g, 0xFF2040A0u);
    HAL_drawLine(g, -100000, 100128, 100128, -100000);
    HAL_drawLine(g, INT32_MIN, 80, INT32_MAX, 84);
    resetClip(g);
    color(g, 0xFF000000u);
    HAL_drawRect(g, 68, 68, 24, 16);
    HAL_drawRect(g, 100, 70, 0, 0);
    HAL_drawRect(g, 104, 70, 1, 1);
    HAL_drawLine(g, 110, 70, 113, 71);
    HAL_setStrokeStyle(g, 1);
    color(g, 0xFFC00000u);
    HAL_drawRect(g, 68, 90, 54, 32);
    HAL_drawLine(g, 72, 120, 118, 94);
}

// Rectangle fills at the alpha thresholds over a checker, and outlines that ignore the alpha.
void rectangles(HALGraphics* g) {
    checker(g, 160, 72);
    const uint32_t alphas[] = {255, 248, 247, 128, 8, 7};
    for (int32_t i = 0; i < 6; ++i) {
        color(g, alphas[i] << 24 | 0xE02020u);
        HAL_fillRect(g, 4 + i * 26, 4, 22, 26);
        color(g, alphas[i] << 24 | 0x2040E0u);
        HAL_fillRect(g, 10 + i * 26, 16, 10, 20);
    }
    color(g, 0x00006000);  // alpha 0: outlines are opaque all the same
    HAL_drawRect(g, 4, 42, 40, 24);
    HAL_drawRect(g, 8, 46, 0, 0);
    HAL_drawRect(g, 12, 46, 3, 2);
    HAL_setStrokeStyle(g, 1);
    HAL_drawRect(g, 50, 42, 50, 24);
    HAL_drawRect(g, 104, 42, 52, 1);
}

// One clip, and fills, a triangle, an ellipse, a line and text crossing each of its edges.
void clippedFills(HALGraphics* g) {
    checker(g, 128, 96);
    showClip(g, 24, 16, 80, 56);
    color(g, 0xFFE02020u);
    HAL_fillRect(g, 10, 22, 30, 12);
    color(g, 0x8020C020u);
    HAL_fillRect(g, 50, 6, 20, 20);
    color(g, 0xFF2040E0u);
    HAL_fillRect(g, 90, 30, 30, 10);
    color(g, 0xC8F0A000u);
    HAL_fillRect(g, 40, 60, 24, 30);
    color(g, 0x28000000u);
    HAL_fillRect(g, -1000, -1000, 3000, 3000);
    color(g, 0xFF8030B0u);
    HAL_fillTriangle(g, 0, 0, 44, 12, 12, 44);
    color(g, 0xFF00A0A0u);
    HAL_fillArc(g, 80, 50, 40, 40, 0, 360);
    color(g, 0xFF000000u);
    HAL_drawLine(g, 0, 90, 127, 20);
    HAL_drawChars(g, u"Clip&", 5, 88, 58);
    HAL_clipRect(g, 60, 30, 100, 10);
    color(g, 0xFF404040u);
    HAL_fillRect(g, 0, 0, 128, 96);
}

// Outlines of even, odd, thin and tiny boxes, dotted outlines, and fills (opaque whatever the
// alpha, except a box one pixel wide).
void ellipses(HALGraphics* g) {
    color(g, 0xFF000000u);
    HAL_drawArc(g, 4, 4, 40, 40, 0, 360);
    HAL_drawArc(g, 50, 4, 41, 25, 0, 360);
    HAL_drawArc(g, 96, 4, 10, 30, 90, 360);
    HAL_drawArc(g, 112, 4, 3, 3, 0, 360);
    HAL_drawArc(g, 120, 4, 2, 2, 0, 360);
    HAL_drawArc(g, 126, 4, 1, 8, 0, 360);
    HAL_drawArc(g, 130, 4, 8, 1, 0, 360);
    HAL_drawArc(g, 140, 4, 48, 30, 0, 720);
    HAL_setStrokeStyle(g, 1);
    color(g, 0xFF0000C0u);
    HAL_drawArc(g, 4, 52, 40, 40, 0, 360);
    HAL_drawArc(g, 50, 52, 41, 25, 0, 360);
    HAL_setStrokeStyle(g, 0);
    color(g, 0xFFD02020u);
    HAL_fillArc(g, 96, 52, 40, 40, 0, 360);
    color(g, 0x8020A020u);
    HAL_fillArc(g, 140, 52, 41, 25, 0, 360);
    HAL_fillArc(g, 50, 82, 3, 3, 0, 360);
    HAL_fillArc(g, 56, 82, 2, 2, 0, 360);
    HAL_fillArc(g, 62, 82, 2, 16, 0, 360);
    HAL_fillArc(g, 68, 82, 16, 2, 0, 360);
}

// Row 0: outlines over several ranges, a dotted one; rows 1 and 2: sectors at alpha 255 and
// at 128 over a checker (only the wedges under a ray blend).
void arcs(HALGraphics* g) {
    checker(g, 224, 168);
    const int32_t ranges[][2] = {{0, 90}, {45, 90}, {30, 300}, {-45, 90}};
    for (int32_t i = 0; i < 4; ++i) {
        color(g, 0xFF000000u);
        HAL_drawArc(g, 4 + i * 54, 4, 48, 48, ranges[i][0], ranges[i][1]);
        color(g, 0xFFE02020u);
        HAL_fillArc(g, 4 + i * 54, 58, 48, 40, ranges[i][0] + 20, ranges[i][1] + 40);
        color(g, 0x802020E0u);
        HAL_fillArc(g, 4 + i * 54, 110, 48, 54, ranges[i][0] + 10, ranges[i][1] + 20);
    }
    HAL_setStrokeStyle(g, 1);
    color(g, 0xFF008000u);
    HAL_drawArc(g, 12, 12, 32, 32, 100, 250);
}

// Row 0 solid outlines, row 1 dotted, row 2 fills at alpha 128 over a checker.
void roundRects(HALGraphics* g) {
    checker(g, 192, 112);
    const int32_t boxes[][4] = {{4, 40, 2, 2}, {50, 40, 4, 4}, {96, 40, 10, 10}, {142, 46, 20, 12}};
    for (int32_t row = 0; row < 3; ++row) {
        HAL_setStrokeStyle(g, row == 1 ? 1 : 0);
        for (const auto& b : boxes) {
            color(g, row == 2 ? 0x80C03080u : 0xFF000000u);
            if (row == 2)
                HAL_fillRoundRect(g, b[0], 4 + row * 36, b[1], 30, b[2] + 6, b[3] + 6);
            else
                HAL_drawRoundRect(g, b[0], 4 + row * 36, b[1], 30, b[2], b[3]);
        }
    }
}

void triangles(HALGraphics* g) {
    checker(g, 128, 96);
    color(g, 0xFFD02020u);
    HAL_fillTriangle(g, 4, 4, 40, 10, 20, 40);
    color(g, 0xFF2050D0u);
    HAL_fillTriangle(g, 44, 4, 120, 20, 50, 30);
    color(g, 0xFF20A040u);
    HAL_fillTriangle(g, 4, 50, 40, 50, 20, 90);
    HAL_fillTriangle(g, 50, 90, 90, 90, 70, 50);
    color(g, 0x80E0A000u);
    HAL_fillTriangle(g, 60, 40, 124, 60, 100, 94);
    color(g, 0x808000C0u);
    HAL_fillTriangle(g, 56, 62, 124, 44, 90, 92);
    color(g, 0xFF000000u);
    HAL_fillTriangle(g, 44, 36, 54, 36, 48, 36);  // one row
    showClip(g, 96, 4, 28, 30);
    color(g, 0xFF00A0A0u);
    HAL_fillTriangle(g, 80, 10, 140, 0, 110, 60);
    resetClip(g);
}

void gradients(HALGraphics* g) {
    color(g, 0x80FF00FFu);  // the context's colour and alpha do not matter
    HAL_fillGradient(g, 4, 4, 56, 40, 0x000000, 0xFF0000, false);
    HAL_fillGradient(g, 68, 4, 56, 40, 0x0000FF, 0xFFFF00, false);
    HAL_fillGradient(g, 4, 50, 56, 20, 0xFFFFFF, 0x000000, true);
    HAL_fillGradient(g, 68, 50, 56, 20, 0x00FF00, 0xFF00FF, true);
    HAL_fillGradient(g, 4, 76, 30, 2, 0x000000, 0xFF0000, false);
    HAL_fillGradient(g, 40, 76, 3, 16, 0x000000, 0x00FF00, true);
    showClip(g, 56, 78, 40, 14);
    HAL_fillGradient(g, 48, 74, 76, 22, 0x203040, 0xF0E0D0, true);
    resetClip(g);
    HAL_fillRect(g, 100, 76, 24, 16);  // the saved colour is back
}

// Each style, colours with alpha on light and dark ground, and text clipped at each edge
// (the clip painted yellow) keeping its place.
void text(HALGraphics* g) {
    constexpr char16_t kSample[] = u"Ag&jy Wq";
    const int32_t styles[] = {0, 1, 2, 4, 3};
    int32_t y = 2;
    color(g, 0xFF102080u);
    for (int32_t style : styles) {
        HALFont* font = HAL_createNativeFont(0, style, 0);
        HAL_setFont(g, font);
        HAL_drawChars(g, kSample, 8, 4, y);
        y += HAL_getFontHeight(font) + 2;
    }
    HAL_setFont(g, HAL_createNativeFont(0, 1, 16));
    color(g, 0xFF202020u);
    HAL_fillRect(g, 100, 0, 100, 60);
    const uint32_t inks[] = {0xFFFFFFFFu, 0x80FFFFFFu, 0x07FFFFFFu, 0xFFFFD000u};
    for (int32_t i = 0; i < 4; ++i) {
        color(g, inks[i]);
        HAL_drawChars(g, u"Alpha", 5, 104, 2 + i * 14);
    }
    HAL_setFont(g, nullptr);  // the default font
    const int32_t clips[][4] = {{14, 72, 60, 20}, {84, 78, 60, 14}, {4, 98, 40, 20}, {84, 98, 60, 10}};
    for (const auto& c : clips) {
        showClip(g, c[0], c[1], c[2], c[3]);
        color(g, 0xFF800000u);
        HAL_drawChars(g, u"Clipped text", 12, c[0] < 50 ? 4 : 84, c[1] < 90 ? 72 : 98);
        resetClip(g);
    }
}

}  // namespace

const std::vector<GraphicsScene>& graphicsScenes() {
    static const std::vector<GraphicsScene> scenes = {
        {"lines", 128, 128, lines},          {"rectangles", 160, 72, rectangles}, {"clipped_fills", 128, 96, clippedFills},
        {"ellipses", 192, 100, ellipses},    {"arcs", 224, 168, arcs},            {"round_rects", 192, 112, roundRects},
        {"triangles", 128, 96, triangles},   {"gradients", 128, 96, gradients},   {"text", 200, 120, text},
    };
    return scenes;
}

std::vector<uint16_t> renderGraphicsScene(const GraphicsScene& scene) {
    int code = 0;
    HALPixelBuffer* image = HAL_newMutableImage(scene.width, scene.height, &code);
    if (image == nullptr) return {};
    HALGraphics* g = nullptr;
    HAL_createGraphicsWithImage(&g, image);
    scene.draw(g);
    HAL_deleteGraphics(g);
    std::vector<uint16_t> pixels;
    for (int32_t y = 0; y < scene.height; ++y)
        pixels.insert(pixels.end(), image->surface->row(y), image->surface->row(y) + scene.width);
    HAL_deleteImage(image);
    return pixels;
}
