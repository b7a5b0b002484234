#include "hal/display/HALFont.h"

#include <algorithm>
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_TRUETYPE_TABLES_H

#include "hal/display/FontLibrary.h"
#include "hal/host/HostBackend.h"

namespace {

// Grey-level rendering with the font's own hints; advances come out in whole pixels.
constexpr FT_Int32 kLoadFlags = FT_LOAD_RENDER | FT_LOAD_TARGET_NORMAL;

// The font's vertical extent in font units, as the system measures cells: the Windows
// ascent and descent of the OS/2 table, or the face's own when the table has none.
struct VerticalUnits {
    int64_t ascent, descent, externalLeading;
};

VerticalUnits verticalUnits(FT_Face face) {
    const auto* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
    const auto* hhea = static_cast<const TT_HoriHeader*>(FT_Get_Sfnt_Table(face, FT_SFNT_HHEA));
    VerticalUnits units{face->ascender, -int64_t(face->descender), 0};
    if (os2 != nullptr && os2->version != 0xFFFF && os2->usWinAscent + os2->usWinDescent > 0)
        units = {os2->usWinAscent, os2->usWinDescent, 0};
    if (hhea != nullptr) {
        const int64_t spare = (units.ascent + units.descent) - (int64_t(hhea->Ascender) - hhea->Descender);
        units.externalLeading = std::max<int64_t>(0, hhea->Line_Gap - spare);
    }
    return units;
}

// value × numerator / denominator, rounded to the nearest whole number (denominator > 0).
int32_t scaleRounded(int64_t value, int64_t numerator, int64_t denominator) {
    const int64_t product = value * numerator;
    return int32_t((product >= 0 ? product + denominator / 2 : product - denominator / 2) / denominator);
}

void copyBitmap(const FT_Bitmap& bitmap, HALGlyph* glyph) {
    glyph->width = int32_t(bitmap.width);
    glyph->rows = int32_t(bitmap.rows);
    glyph->coverage.assign(size_t(glyph->width) * size_t(glyph->rows), 0);
    for (int32_t y = 0; y < glyph->rows; ++y) {
        const unsigned char* source = bitmap.buffer + int64_t(y) * bitmap.pitch;
        uint8_t* target = glyph->coverage.data() + size_t(y) * size_t(glyph->width);
        for (int32_t x = 0; x < glyph->width; ++x) {
            if (bitmap.pixel_mode == FT_PIXEL_MODE_MONO) target[x] = (source[x >> 3] & (0x80 >> (x & 7))) ? 255 : 0;
            else target[x] = source[x];
        }
    }
}

}  // namespace

HALFont::HALFont(const std::string& faceName, int32_t points, bool italic, bool underline, FT_FaceRec_* handle)
    : faceName(faceName), points(points), italic(italic), underline(underline), handle(handle) {
    latinIndex_.fill(-1);
    glyphs_.resize(size_t(std::max<FT_Long>(handle->num_glyphs, 1)));
}

HALFont::~HALFont() { FontLibrary::closeFace(handle); }

int32_t HALFont::cellHeightForPoints(int32_t points) { return int32_t(int64_t(host::kScreenDpi) * points / 72); }

std::unique_ptr<HALFont> HALFont::create(const std::string& faceName, int32_t points, bool italic, bool underline) {
    FT_FaceRec_* face = FontLibrary::openFace(faceName, italic);
    if (face == nullptr) return nullptr;
    std::unique_ptr<HALFont> font(new HALFont(faceName, points, italic, underline, face));
    if (!font->applySize(cellHeightForPoints(points))) return nullptr;
    return font;
}

// Scales the face so that its ascent and descent fill the cell height, as a positive
// height asks the system for; the ascent is rounded and the descent is the rest.
bool HALFont::applySize(int32_t cellHeight) {
    const VerticalUnits units = verticalUnits(handle);
    const int64_t cellUnits = units.ascent + units.descent;
    if (cellHeight < 1 || cellUnits <= 0 || handle->units_per_EM == 0) return false;
    FT_Size_RequestRec request{};
    request.type = FT_SIZE_REQUEST_TYPE_NOMINAL;
    request.height = FT_Long(int64_t(cellHeight) * handle->units_per_EM * 64 / cellUnits);
    if (FT_Request_Size(handle, &request) != 0) return false;
    baseline = std::clamp(scaleRounded(units.ascent, cellHeight, cellUnits), 0, cellHeight);
    height = cellHeight + scaleRounded(units.externalLeading, cellHeight, cellUnits);
    placeUnderline(cellHeight);
    return true;
}

// The underline stem from the face's position (its centre) and thickness, at least one
// row, kept within the descent.
void HALFont::placeUnderline(int32_t cellHeight) {
    const VerticalUnits units = verticalUnits(handle);
    const int64_t cellUnits = units.ascent + units.descent;
    const int64_t thickness = std::max<int64_t>(handle->underline_thickness, 1);
    underlineRows = std::max(1, scaleRounded(thickness, cellHeight, cellUnits));
    const int32_t top = scaleRounded(-int64_t(handle->underline_position) - thickness / 2, cellHeight, cellUnits);
    const int32_t descent = std::max(1, cellHeight - baseline);
    underlineRows = std::min(underlineRows, descent);
    underlineOffset = std::clamp(top, 0, descent - underlineRows);
}

uint32_t HALFont::nextCodePoint(const char16_t* chars, int32_t length, int32_t* at) {
    const uint32_t unit = chars[(*at)++];
    if (unit < 0xD800 || unit > 0xDBFF || *at >= length) return unit;
    const uint32_t low = chars[*at];
    if (low < 0xDC00 || low > 0xDFFF) return unit;
    ++*at;
    return 0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00);
}

uint32_t HALFont::glyphIndex(uint32_t codePoint) {
    if (codePoint >= latinIndex_.size()) return FT_Get_Char_Index(handle, codePoint);
    if (latinIndex_[codePoint] < 0) latinIndex_[codePoint] = int32_t(FT_Get_Char_Index(handle, codePoint));
    return uint32_t(latinIndex_[codePoint]);
}

const HALGlyph& HALFont::glyphFor(uint32_t codePoint) {
    uint32_t index = glyphIndex(codePoint);
    if (index >= glyphs_.size()) index = 0;
    if (!glyphs_[index]) {
        glyphs_[index] = std::make_unique<HALGlyph>();
        render(index, glyphs_[index].get());
    }
    return *glyphs_[index];
}

// A glyph that cannot be loaded stays empty, with no advance, for measuring and drawing alike.
void HALFont::render(uint32_t index, HALGlyph* glyph) {
    if (FT_Load_Glyph(handle, index, kLoadFlags) != 0) return;
    const FT_GlyphSlot slot = handle->glyph;
    if (slot->format != FT_GLYPH_FORMAT_BITMAP) return;
    copyBitmap(slot->bitmap, glyph);
    glyph->left = slot->bitmap_left;
    glyph->top = slot->bitmap_top;
    glyph->advance = int32_t(std::max<FT_Pos>(0, (slot->advance.x + 32) >> 6));
}

int32_t HALFont::textWidth(const char16_t* chars, int32_t length) {
    return int32_t(forEachCharacter(chars, length, [](const HALGlyph&, int64_t) {}));
}
