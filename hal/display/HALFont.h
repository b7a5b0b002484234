#pragma once

// A platform font: one face of the font library at a cell height in pixels, with the
// metrics text is laid out by (height = cell height + external leading, baseline = ascent)
// and its glyphs, each rendered once as 8-bit coverage and kept for the font's life.
//
// Text is taken literally, on one line: every UTF-16 unit is a character (a surrogate pair
// is one; '&', tabs and line ends have no special meaning), each character advances the pen
// by a whole number of pixels and no kerning applies. So a text's width is the sum of its
// characters' widths, and drawing places each character exactly where measuring counted it.
//
// Used under the runtime lock only.

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "hal/display/HALGlyph.h"

struct FT_FaceRec_;

class HALFont {
public:
    // The logical font: the face name (" Bold" appended chooses bold), points at the
    // screen's dots per inch, italic and underlined. Null when the face cannot be opened or
    // sized.
    static std::unique_ptr<HALFont> create(const std::string& faceName, int32_t points, bool italic, bool underline);
    ~HALFont();
    HALFont(const HALFont&) = delete;
    HALFont& operator=(const HALFont&) = delete;

    // The cell height (ascent + descent) in pixels of a size in points.
    static int32_t cellHeightForPoints(int32_t points);

    int32_t textWidth(const char16_t* chars, int32_t length);
    const HALGlyph& glyphFor(uint32_t codePoint);
    // Calls visit(glyph, penOffset) for each character in order; returns the pen's end
    // offset (the text's width), saturated at INT32_MAX.
    template <class Visit>
    int64_t forEachCharacter(const char16_t* chars, int32_t length, Visit visit);

    const std::string faceName;
    const int32_t points;
    const bool italic;
    const bool underline;
    FT_FaceRec_* const handle;

    int32_t height = 0;       // cell height + external leading
    int32_t baseline = 0;     // ascent
    int32_t underlineOffset = 0;  // the underline's first row, below the baseline
    int32_t underlineRows = 0;

private:
    HALFont(const std::string& faceName, int32_t points, bool italic, bool underline, FT_FaceRec_* handle);
    bool applySize(int32_t cellHeight);
    void placeUnderline(int32_t cellHeight);
    uint32_t glyphIndex(uint32_t codePoint);
    void render(uint32_t index, HALGlyph* glyph);
    static uint32_t nextCodePoint(const char16_t* chars, int32_t length, int32_t* at);

    std::vector<std::unique_ptr<HALGlyph>> glyphs_;  // by glyph index, rendered on first use
    std::array<int32_t, 256> latinIndex_;            // glyph index of U+0000 to U+00FF, -1 unknown
};

template <class Visit>
int64_t HALFont::forEachCharacter(const char16_t* chars, int32_t length, Visit visit) {
    int64_t pen = 0;
    for (int32_t at = 0; chars != nullptr && at < length;) {
        const HALGlyph& glyph = glyphFor(nextCodePoint(chars, length, &at));
        visit(glyph, pen);
        pen += glyph.advance;
        if (pen >= INT32_MAX) return INT32_MAX;
    }
    return pen;
}
