#include "hal/display/FontCache.h"

#include <array>
#include <memory>
#include <string>

#include "hal/base/HALResult.h"
#include "hal/display/FontLibrary.h"
#include "hal/display/HALFont.h"

namespace {

constexpr int32_t kStyleBold = 1, kStyleItalic = 2, kStyleUnderlined = 4, kStyleBits = 7;

using Slots = std::array<std::unique_ptr<HALFont>, kFontCacheSlots>;
std::unique_ptr<Slots> cache;

int faceIndex(int32_t face) { return face == 32 ? 1 : face == 64 ? 2 : 0; }

int sizeIndex(int32_t size) { return size == 0 ? 1 : size == 16 ? 2 : 0; }

std::unique_ptr<HALFont> makeFont(int32_t face, int32_t style, int32_t size) {
    std::string name = HAL_fontFaceName(face);
    if (style & kStyleBold) name += " Bold";  // bold is chosen by face name
    return HALFont::create(name, HAL_fontPoints(size), (style & kStyleItalic) != 0, (style & kStyleUnderlined) != 0);
}

}  // namespace

int HAL_fontSlot(int32_t face, int32_t style, int32_t size) {
    return (faceIndex(face) * 3 + sizeIndex(size)) * 8 + (style & kStyleBits);
}

const char* HAL_fontFaceName(int32_t face) { return face == 32 ? "Courier New" : "Tahoma"; }

int32_t HAL_fontPoints(int32_t size) { return size == 0 ? 9 : size == 16 ? 12 : 7; }

void HAL_createFontCache() {
    if (!cache) cache = std::make_unique<Slots>();
}

void HAL_deleteFontCache() {
    cache.reset();
    FontLibrary::shutdownIfUnused();
}

bool HAL_hasFontCache() { return cache != nullptr; }

HALFont* HAL_createNativeFont(int32_t face, int32_t style, int32_t size) {
    HAL_createFontCache();
    std::unique_ptr<HALFont>& slot = (*cache)[size_t(HAL_fontSlot(face, style, size))];
    if (!slot) slot = makeFont(face, style & kStyleBits, size);
    return slot.get();
}

int HAL_getFont(HALFont** out, int32_t face, int32_t style, int32_t size) {
    if (out == nullptr) return HAL_BAD_ARGUMENT;
    *out = HAL_createNativeFont(face, style, size);
    return *out != nullptr ? HAL_OK : HAL_BAD_ARGUMENT;
}

int32_t HAL_getFontHeight(const HALFont* font) { return font != nullptr ? font->height : 0; }

int32_t HAL_getFontBaseline(const HALFont* font) { return font != nullptr ? font->baseline : 0; }

int32_t HAL_getStringWidth(HALFont* font, const char16_t* chars, int32_t length) {
    if (font == nullptr || chars == nullptr || length < 1) return 0;
    return font->textWidth(chars, length);
}
