// Text compared pixel for pixel with reference pictures: each style clipped at each edge,
// the faces and sizes, and colours with alpha over light and dark ground. With
// OSTREL_WRITE_GOLDEN=1 the pictures are written instead (make-golden.sh); look at each
// before committing it.

#include <gtest/gtest.h>

#include <string>

#include "hal/display/FontCache.h"
#include "hal/display/HALFont.h"
#include "hal/display/TextRenderer.h"
#include "tests/hal/display/GoldenCheck.h"
#include "tests/hal/display/fonts/TestSurface.h"

namespace {

constexpr uint16_t kOutsideClip = 0xC618, kInsideClip = 0xFFFF;
constexpr uint32_t kInk = 0xFF102080;
constexpr char16_t kSample[] = u"Ag&jy Wq";
constexpr int32_t kSampleLength = 8;

struct Picture {
    int32_t width;
    int32_t height;
    std::vector<uint16_t> pixels;
};

Picture pictureOf(const TestSurface& canvas) { return {canvas.surface.width, canvas.surface.height, canvas.pixels}; }

// Row 0 unclipped; rows 1 to 4 with the clip's left, top, right and bottom edge moved into
// the text's cell. The clip shows white on grey, a little larger than the cell elsewhere.
HALTextClip clipForRow(int row, const HALTextClip& cell) {
    HALTextClip clip{cell.x - 2, cell.y - 2, cell.width + 4, cell.height + 4};
    const int32_t right = clip.x + clip.width, bottom = clip.y + clip.height;
    if (row == 1) clip.x = cell.x + cell.width / 3, clip.width = right - clip.x;
    if (row == 2) clip.y = cell.y + cell.height / 2, clip.height = bottom - clip.y;
    if (row == 3) clip.width = cell.x + 2 * cell.width / 3 - clip.x;
    if (row == 4) clip.height = cell.y + cell.height / 2 - clip.y;
    return clip;
}

Picture styleScene(int32_t style) {
    HALFont* font = HAL_createNativeFont(0, style, 0);
    const int32_t width = HAL_getStringWidth(font, kSample, kSampleLength), height = HAL_getFontHeight(font);
    const int32_t rowHeight = height + 6;
    TestSurface canvas(width + 8, rowHeight * 5, kOutsideClip);
    for (int row = 0; row < 5; ++row) {
        const HALTextClip cell{4, row * rowHeight + 3, width, height};
        const HALTextClip clip = clipForRow(row, cell);
        canvas.fill(clip, kInsideClip);
        HAL_drawText(&canvas.surface, font, kSample, kSampleLength, cell.x, cell.y, kInk, clip);
    }
    return pictureOf(canvas);
}

Picture sizesScene() {
    constexpr char16_t text[] = u"Size Ag&j 0123";
    const int32_t faces[] = {0, 32, 64}, sizes[] = {8, 0, 16};
    int32_t height = 2;
    for (int32_t size : sizes) height += 3 * (HAL_getFontHeight(HAL_createNativeFont(0, 0, size)) + 2);
    TestSurface canvas(150, height, kInsideClip);
    int32_t y = 2;
    for (int32_t face : faces)
        for (int32_t size : sizes) {
            HALFont* font = HAL_createNativeFont(face, 0, size);
            HAL_drawText(&canvas.surface, font, text, 14, 2, y, kInk, canvas.whole());
            y += HAL_getFontHeight(font) + 2;
        }
    return pictureOf(canvas);
}

Picture coloursScene() {
    const uint32_t inks[] = {0xFFFF0000, 0xC8FF0000, 0x80FF0000, 0x30FF0000, 0x07FF0000, 0xFF00FF00, 0xFF0000FF, 0xFFFFFFFF};
    HALFont* font = HAL_createNativeFont(0, 1, 16);
    const int32_t rowHeight = HAL_getFontHeight(font) + 2;
    TestSurface canvas(110, rowHeight * 8 + 2, kInsideClip);
    canvas.fill({55, 0, 55, canvas.surface.height}, 0x2104);  // dark right half
    for (int i = 0; i < 8; ++i)
        HAL_drawText(&canvas.surface, font, u"Colour Alpha", 12, 2, 2 + i * rowHeight, inks[i], canvas.whole());
    return pictureOf(canvas);
}

void compareWithReference(const std::string& name, const Picture& drawn) {
    expectLikeReference(std::string(OSTREL_TEXT_GOLDEN_DIR) + "/" + name + ".png", drawn.pixels, drawn.width, drawn.height);
}

TEST(TextGolden, EachStyleClippedAtEachEdge) {
    const char* names[] = {"plain", "bold", "italic", "bold_italic", "underlined", "bold_underlined", "italic_underlined",
                           "bold_italic_underlined"};
    for (int32_t style = 0; style < 8; ++style) compareWithReference("text_" + std::string(names[style]), styleScene(style));
}

TEST(TextGolden, FacesAndSizes) { compareWithReference("text_sizes", sizesScene()); }

TEST(TextGolden, ColoursAndAlphaOverLightAndDarkGround) { compareWithReference("text_colours", coloursScene()); }

}  // namespace
