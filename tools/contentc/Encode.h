#pragma once

// The compiler's models turned into the bytes the framework reads, through the pack
// writer's encoders: gob sets (and glyph fonts, which are gob sets whose first glyphs carry
// the font's metrics), animation sets and text tables.

#include <utility>

#include "tools/contentc/Model.h"

namespace contentc {

Bytes encodeGobSet(const GobSet& set);
Bytes encodeAnimSet(const AnimSet& set);
// The font's sheet as PNG bytes and its glyph gob set.
std::pair<Bytes, Bytes> encodeGlyphFont(const GlyphFont& font);
Bytes encodeTextTable(const TextTable& table);

}  // namespace contentc
