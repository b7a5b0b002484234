#pragma once

// Bitmap glyph fonts rendered from DejaVu by FreeType: each character's coverage filled
// with a colour or a vertical gradient, ringed by an outline and dropped on a shadow, then
// packed into a sheet. Every font covers the same characters (printable ASCII, Latin-1 and
// the typographic marks the five languages use), so any text of any language can be drawn
// in any font.

#include <string>
#include <vector>

#include "tools/contentc/Model.h"

namespace contentc {

// Reads the font descriptions and renders each font; faces are looked up in fontDir.
std::vector<GlyphFont> readFonts(const std::string& file, const std::string& fontDir);

// The characters every font holds, ascending.
const std::vector<char16_t>& fontCharacters();

}  // namespace contentc
