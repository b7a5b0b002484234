#pragma once

// One typical frame of a game on the 240 x 320 RGB565 screen, drawn through a graphics
// context: a full-screen opaque background image, 50 sprites of 32 x 32 from an alpha-plane
// sprite sheet (discs: clear outside, opaque inside, a blended rim) and three lines of text.

#include <cstdint>
#include <vector>

#include "hal/display/FontCache.h"
#include "hal/display/GraphicsContext.h"
#include "hal/display/HALGraphics.h"
#include "hal/display/HALPixelBuffer.h"
#include "hal/display/HALSurface.h"
#include "hal/display/ImagePixels.h"
#include "hal/display/Images.h"

class GameFrame {
public:
    static constexpr int32_t kWidth = 240;
    static constexpr int32_t kHeight = 320;
    static constexpr int32_t kSprites = 50;

    GameFrame() {
        int code = 0;
        screen_ = HAL_newMutableImage(kWidth, kHeight, &code);
        HAL_createGraphicsWithImage(&g_, screen_);
        background_ = image(kWidth, kHeight, [](int32_t x, int32_t y) {
            return 0xFF000000u | uint32_t(x * 255 / kWidth) << 16 | uint32_t(y * 255 / kHeight) << 8 | 0x60u;
        });
        sheet_ = image(128, 128, [](int32_t x, int32_t y) {
            const int32_t dx = x % 32 - 16, dy = y % 32 - 16, d = dx * dx + dy * dy;
            const uint32_t alpha = d < 144 ? 255 : d < 196 ? uint32_t((196 - d) * 255 / 52) : 0;
            return alpha << 24 | uint32_t(x * 2) << 16 | uint32_t(y * 2) << 8 | 0xC0u;
        });
        font_ = HAL_createNativeFont(0, 1, 0);
    }
    ~GameFrame() {
        HAL_deleteGraphics(g_);
        HAL_deleteImage(screen_);
        HAL_deleteImage(background_);
        HAL_deleteImage(sheet_);
    }
    GameFrame(const GameFrame&) = delete;
    GameFrame& operator=(const GameFrame&) = delete;

    // Draws frame number n (the sprites move from frame to frame).
    void draw(int32_t n) {
        HAL_setColor(g_, int32_t(0xFF000000u));
        HAL_drawImage(g_, background_, 0, 0);
        for (int32_t i = 0; i < kSprites; ++i) {
            const int32_t x = (i * 37 + n * 3) % (kWidth - 16) - 8, y = (i * 53 + n * 2) % (kHeight - 16) - 8;
            HAL_drawRegion(g_, sheet_, (i % 4) * 32, (i / 4 % 4) * 32, 32, 32, 0, x, y);
        }
        HAL_setFont(g_, font_);
        HAL_setColor(g_, int32_t(0xFFFFFFFFu));
        HAL_drawChars(g_, u"Score 012345   Lives 3", 22, 4, 4);
        HAL_drawChars(g_, u"Level 7 - The Crystal Caves", 27, 4, 24);
        HAL_drawChars(g_, u"Tap to fire, drag to move", 25, 4, 296);
    }

    uint16_t checksum() const { return screen_->surface->pixels[kWidth * 160 + 120]; }

private:
    template <class Pixel>
    static HALPixelBuffer* image(int32_t width, int32_t height, Pixel pixel) {
        std::vector<int32_t> values;
        for (int32_t y = 0; y < height; ++y)
            for (int32_t x = 0; x < width; ++x) values.push_back(int32_t(pixel(x, y)));
        int code = 0;
        return HAL_createPixelsFromRGB(values.data(), width, height, width, true, &code);
    }

    HALPixelBuffer* screen_ = nullptr;
    HALPixelBuffer* background_ = nullptr;
    HALPixelBuffer* sheet_ = nullptr;
    HALGraphics* g_ = nullptr;
    HALFont* font_ = nullptr;
};
