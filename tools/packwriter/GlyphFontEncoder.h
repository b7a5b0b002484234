#pragma once

// Glyph fonts for resource packs: a gob set whose gobs are the font's glyphs, sorted by
// character code, with their pictures packed into one sheet. Each glyph gob stores the
// step from the previous glyph's code in its picture offset (high byte, low byte), its
// picture's place relative to the pen in its collision position, and its advance in its
// collision width; the collision heights of the first seven glyphs carry the font's
// metrics (height, baseline, advance of a missing character, the 255 that marks an
// unconverted array, line height, extra metric, align by advance). A font of fewer than
// seven glyphs gets blank glyphs at the lowest unused codes. Duplicate codes, pictures whose
// pixels do not match their size, and values the gob set cannot hold are refused with
// std::invalid_argument.

#include <cstdint>
#include <vector>

#include "tools/packwriter/GobSetEncoder.h"

namespace packwriter {

struct Glyph {
    char16_t code = 0;
    int32_t width = 0, height = 0;  // picture size; 0 for a glyph without ink (a space)
    std::vector<uint32_t> argb;     // width x height ARGB pixels, row by row
    int32_t left = 0;               // picture's x relative to the pen
    int32_t top = 0;                // picture's y relative to the top of the line
    int32_t advance = 0;            // how far the pen moves after the character
};

struct FontMetrics {
    int32_t height = 0;          // font height
    int32_t baseline = 0;        // baseline position from the top of the line
    int32_t missingAdvance = 0;  // advance of a character without a glyph
    int32_t lineHeight = 0;
    int32_t extra = 0;             // a further metric the game may read
    bool alignByAdvance = false;   // anchored text aligns on the sum of advances, else on the ink
};

struct GlyphFont {
    FontMetrics metrics;
    std::vector<Glyph> glyphs;  // any order
};

// The sheet and the gob descriptors of the font, in code order.
struct EncodedFont {
    Sheet sheet;
    std::vector<GobDescriptor> gobs;
};

EncodedFont encodeGlyphFont(const GlyphFont& font);
// Appends the font's sheet and gob set to a part's entries; returns the gob set's index.
int32_t addGlyphFont(std::vector<Entry>& part, const GlyphFont& font);

}  // namespace packwriter
