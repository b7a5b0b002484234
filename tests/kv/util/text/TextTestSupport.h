#pragma once

// Glyph fonts of the text tests, written by the pack writer's font encoder into a pack that
// the access layer holds, and loaded back through getGobs. Every picture is opaque white.

#include <vector>

#include "src/kv/kv_KvCanvas.h"
#include "src/kv/kv_Resources.h"
#include "src/kv/util/text/kv_util_text_RichFont.h"
#include "tests/kv/PaintSupport.h"
#include "tests/kv/io/resource/PackFolder.h"
#include "tools/packwriter/GlyphFontEncoder.h"

namespace kvtest {

constexpr uint32_t kInk = 0xFFFFFFFF;

struct GlyphSpec {
    char16_t code;
    int32_t advance, width, height, left, top;
};

inline packwriter::Glyph glyph(const GlyphSpec& s) {
    packwriter::Glyph g;
    g.code = s.code;
    g.advance = s.advance;
    g.width = s.width;
    g.height = s.height;
    g.left = s.left;
    g.top = s.top;
    g.argb.assign(size_t(s.width * s.height), kInk);
    return g;
}

// The glyph array of a font made of the specs, loaded from a held pack.
inline VMPtr<kv::Gob::GobArray> loadGlyphs(const std::vector<GlyphSpec>& specs, const packwriter::FontMetrics& metrics) {
    packwriter::GlyphFont font{metrics, {}};
    for (const GlyphSpec& s : specs) font.glyphs.push_back(glyph(s));
    std::vector<packwriter::Entry> part;
    const int32_t id = packwriter::addGlyphFont(part, font);
    kv::Resources::attachStream(streamOf(packwriter::table(part)));
    return kv::Resources::getGobs(id);
}

inline VMPtr<kv::util::text::RichFont> bitmapFont(VMPtr<kv::Gob::GobArray> glyphs) {
    VMPtr<kv::util::text::RichFont> font = kv::util::text::RichFont::_VM_new();
    font->_VM_init();
    font->setGlyphs(glyphs);
    return font;
}

// Printable ASCII, each character one pixel wide and advancing by one (the space blank).
inline VMPtr<kv::util::text::RichFont> monospaceFont() {
    std::vector<GlyphSpec> specs;
    for (char16_t c = 32; c < 127; ++c) specs.push_back({c, 1, c == u' ' ? 0 : 1, c == u' ' ? 0 : 1, 0, 0});
    return bitmapFont(loadGlyphs(specs, {1, 1, 1, 1, 0, true}));
}

}  // namespace kvtest
