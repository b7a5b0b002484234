#include "tools/packwriter/GlyphFontEncoder.h"

#include <algorithm>
#include <set>
#include <stdexcept>

namespace packwriter {

namespace {

constexpr size_t kMetricGlyphs = 7;
constexpr int32_t kUnconvertedMarker = 255;
constexpr int32_t kMaxSheetWidth = 256;

[[noreturn]] void refuse(const char* why) { throw std::invalid_argument(std::string("glyph font: ") + why); }

std::vector<Glyph> sortedWithBlanks(const GlyphFont& font) {
    std::vector<Glyph> glyphs = font.glyphs;
    std::set<char16_t> codes;
    for (const Glyph& g : glyphs) {
        if (!codes.insert(g.code).second) refuse("duplicate character code");
        if (g.width < 0 || g.height < 0 || g.argb.size() != size_t(g.width) * size_t(g.height))
            refuse("glyph pixels do not match its size");
    }
    for (char16_t code = 0; glyphs.size() < kMetricGlyphs; ++code)
        if (!codes.count(code)) {
            Glyph blank;
            blank.code = code;
            glyphs.push_back(blank);
        }
    std::sort(glyphs.begin(), glyphs.end(), [](const Glyph& a, const Glyph& b) { return a.code < b.code; });
    return glyphs;
}

// Shelf packing: glyphs left to right in rows no wider than the sheet, a new row below the
// tallest picture of the last.
Sheet packSheet(const std::vector<Glyph>& glyphs, std::vector<GobDescriptor>& gobs) {
    int32_t widest = 1, total = 0;
    for (const Glyph& g : glyphs) {
        widest = std::max(widest, g.width);
        total += g.width;
    }
    const int32_t sheetWidth = std::max(widest, std::min(kMaxSheetWidth, total));
    int32_t x = 0, y = 0, rowHeight = 0;
    for (size_t i = 0; i < glyphs.size(); ++i) {
        const Glyph& g = glyphs[i];
        if (g.width == 0 || g.height == 0) continue;
        if (x + g.width > sheetWidth) {
            x = 0;
            y += rowHeight;
            rowHeight = 0;
        }
        gobs[i].sheetX = x;
        gobs[i].sheetY = y;
        x += g.width;
        rowHeight = std::max(rowHeight, g.height);
    }
    Sheet sheet;
    sheet.width = sheetWidth;
    sheet.height = std::max(1, y + rowHeight);
    sheet.argb.assign(size_t(sheet.width) * size_t(sheet.height), 0);
    for (size_t i = 0; i < glyphs.size(); ++i) {
        const Glyph& g = glyphs[i];
        for (int32_t row = 0; row < g.height; ++row)
            std::copy_n(g.argb.begin() + row * g.width, g.width,
                        sheet.argb.begin() + (gobs[i].sheetY + row) * sheet.width + gobs[i].sheetX);
    }
    return sheet;
}

}  // namespace

EncodedFont encodeGlyphFont(const GlyphFont& font) {
    const std::vector<Glyph> glyphs = sortedWithBlanks(font);
    const FontMetrics& m = font.metrics;
    const int32_t metrics[kMetricGlyphs] = {m.height,     m.baseline, m.missingAdvance, kUnconvertedMarker,
                                            m.lineHeight, m.extra,    m.alignByAdvance ? 1 : 0};
    EncodedFont out;
    out.gobs.resize(glyphs.size());
    int32_t previous = 0;
    for (size_t i = 0; i < glyphs.size(); ++i) {
        const Glyph& g = glyphs[i];
        GobDescriptor& d = out.gobs[i];
        const int32_t step = g.code - previous;
        previous = g.code;
        d.offsetX = step >> 8;
        d.offsetY = int8_t(step & 0xFF);
        d.width = g.width;
        d.height = g.height;
        d.collisionX = g.left;
        d.collisionY = g.top;
        if (g.advance < 0) refuse("negative advance");
        d.collisionWidth = g.advance;
        d.collisionHeight = i < kMetricGlyphs ? metrics[i] : 0;
    }
    out.sheet = packSheet(glyphs, out.gobs);
    return out;
}

int32_t addGlyphFont(std::vector<Entry>& part, const GlyphFont& font) {
    const EncodedFont encoded = encodeGlyphFont(font);
    return addGobSet(part, encoded.sheet, encoded.gobs);
}

}  // namespace packwriter
