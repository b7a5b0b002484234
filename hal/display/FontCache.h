#pragma once

// The process's platform fonts, made from the profile's face, style and size and kept from
// first request until shutdown, when the shell deletes the cache. One slot per face
// (system 0, monospace 32, proportional 64; any other face counts as system), size (small
// 8, medium 0, large 16; any other size counts as small) and style value (every
// combination of bold 1, italic 2 and underlined 4; higher bits are ignored), so each slot
// holds exactly the font its key asks for. Faces 0 and 64 are "Tahoma", 32 "Courier New";
// sizes are 7, 9 and 12 points.
//
// Users hold plain pointers to cached fonts and never delete them. A font that cannot be
// created is not cached, so a later request tries again. Used under the runtime lock only.

#include <cstdint>

class HALFont;

constexpr int kFontCacheSlots = 3 * 3 * 8;

// Makes the empty cache unless it exists (the shell, at start-up).
void HAL_createFontCache();
// Deletes every cached font and the cache (the shell, at shutdown).
void HAL_deleteFontCache();
bool HAL_hasFontCache();

// The font for (face, style, size) in *out: 0, or 2 when it cannot be created (or out is
// null); *out is then null.
int HAL_getFont(HALFont** out, int32_t face, int32_t style, int32_t size);
// The cached font, created on a miss (and the cache with it when it does not exist yet);
// null when it cannot be created.
HALFont* HAL_createNativeFont(int32_t face, int32_t style, int32_t size);
// Cell height plus external leading; 0 for a null font.
int32_t HAL_getFontHeight(const HALFont* font);
// Ascent; 0 for a null font.
int32_t HAL_getFontBaseline(const HALFont* font);
// The width in pixels of the characters taken literally on one line; 0 for a null font,
// null characters or a length below 1.
int32_t HAL_getStringWidth(HALFont* font, const char16_t* chars, int32_t length);

// The slot of a key, its face name and its size in points.
int HAL_fontSlot(int32_t face, int32_t style, int32_t size);
const char* HAL_fontFaceName(int32_t face);
int32_t HAL_fontPoints(int32_t size);
