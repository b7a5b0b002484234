#include "tools/contentc/GlyphFonts.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <filesystem>

#include "tools/contentc/Descriptions.h"
#include "tools/contentc/Json.h"
#include "tools/contentc/Raster.h"

namespace contentc {

const std::vector<char16_t>& fontCharacters() {
    static const std::vector<char16_t> characters = [] {
        std::vector<char16_t> list;
        for (char16_t c = 0x20; c <= 0x7E; ++c) list.push_back(c);
        for (char16_t c = 0xA0; c <= 0xFF; ++c) list.push_back(c);
        for (char16_t c : {0x152, 0x153, 0x2013, 0x2014, 0x2018, 0x2019, 0x201A, 0x201C, 0x201D, 0x201E, 0x2026, 0x20AC})
            list.push_back(c);
        return list;
    }();
    return characters;
}

namespace {

struct Style {
    uint32_t fillTop = 0xFFFFFF, fillBottom = 0xFFFFFF;
    uint32_t outlineColour = 0;
    int outline = 0;
    uint32_t shadowColour = 0;
    int shadowX = 0, shadowY = 0, shadowAlpha = 0;
    int spacing = 0;
};

uint32_t readColour(const Node& node) {
    const std::string text = node.text();
    bool hex = text.size() == 7 && text[0] == '#' &&
               std::all_of(text.begin() + 1, text.end(), [](char c) { return std::isxdigit(uint8_t(c)) != 0; });
    if (!hex) node.fail("a colour is written #RRGGBB");
    return uint32_t(std::stoul(text.substr(1), nullptr, 16));
}

// Straight-alpha "over": colour c with alpha a onto pixel p.
uint32_t over(uint32_t p, uint32_t c, int a) {
    if (a <= 0) return p;
    int pa = int(p >> 24);
    int outA = a + pa * (255 - a) / 255;
    auto channel = [&](int shift) {
        int top = int((c >> shift) & 255), bottom = int((p >> shift) & 255);
        return outA == 0 ? 0 : (top * a + bottom * pa * (255 - a) / 255 + outA / 2) / outA;
    };
    return (uint32_t(outA) << 24) | (uint32_t(channel(16)) << 16) | (uint32_t(channel(8)) << 8) | uint32_t(channel(0));
}

uint32_t mix(uint32_t a, uint32_t b, int t, int range) {
    auto channel = [&](int shift) {
        int x = int((a >> shift) & 255), y = int((b >> shift) & 255);
        return uint32_t(x + (y - x) * t / std::max(1, range));
    };
    return (channel(16) << 16) | (channel(8) << 8) | channel(0);
}

class FaceRenderer {
public:
    FaceRenderer(const std::string& path, int size, const Node& where) {
        if (FT_Init_FreeType(&library_)) where.fail("FreeType cannot start");
        if (FT_New_Face(library_, path.c_str(), 0, &face_)) {
            FT_Done_FreeType(library_);
            where.fail("cannot open the face " + path);
        }
        FT_Set_Pixel_Sizes(face_, 0, FT_UInt(size));
    }
    ~FaceRenderer() {
        FT_Done_Face(face_);
        FT_Done_FreeType(library_);
    }
    FT_Face face() const { return face_; }

private:
    FT_Library library_ = nullptr;
    FT_Face face_ = nullptr;
};

GlyphFont renderFont(const Node& item, const std::string& fontDir) {
    item.allowOnly({"name", "id", "image", "face", "size", "fill", "fill_bottom", "outline", "shadow", "spacing", "line_gap"});
    GlyphFont font;
    font.name = item.at("name").text();
    font.source = item.file();
    font.id = int32_t(item.at("id").integer(0, INT32_MAX));
    font.imageId = int32_t(item.at("image").integer(0, INT32_MAX));
    checkResourceId(font.id, item.file(), item.path() + ".id");
    checkResourceId(font.imageId, item.file(), item.path() + ".image");
    if ((font.id >> 10) != (font.imageId >> 10)) item.at("image").fail("a font's sheet must lie in the font's own part");
    Style style;
    style.fillTop = style.fillBottom = readColour(item.at("fill"));
    if (item.has("fill_bottom")) style.fillBottom = readColour(item.at("fill_bottom"));
    if (item.has("outline")) {
        Node outline = item.at("outline");
        outline.allowOnly({"colour", "width"});
        style.outlineColour = readColour(outline.at("colour"));
        style.outline = int(outline.at("width").integer(1, 3));
    }
    if (item.has("shadow")) {
        Node shadow = item.at("shadow");
        shadow.allowOnly({"colour", "dx", "dy", "alpha"});
        style.shadowColour = readColour(shadow.at("colour"));
        style.shadowX = int(shadow.at("dx").integer(0, 3));
        style.shadowY = int(shadow.at("dy").integer(0, 3));
        style.shadowAlpha = int(shadow.integer("alpha", 1, 255, 255));
    }
    style.spacing = int(item.integer("spacing", -2, 4, style.outline));
    const int size = int(item.at("size").integer(6, 64));
    FaceRenderer renderer((std::filesystem::path(fontDir) / item.at("face").text()).string(), size, item.at("face"));
    FT_Face face = renderer.face();
    const int ascender = int((face->size->metrics.ascender + 63) >> 6);
    const int descender = int((-face->size->metrics.descender + 63) >> 6);
    const int o = style.outline;
    font.baseline = ascender + o;
    font.height = ascender + descender + 2 * o + style.shadowY;
    font.lineHeight = font.height + int(item.integer("line_gap", 0, 16, 1));

    for (char16_t code : fontCharacters()) {
        if (FT_Get_Char_Index(face, code) == 0)
            item.at("face").fail("the face has no glyph for U+" + std::to_string(int(code)));
        if (FT_Load_Char(face, code, FT_LOAD_RENDER | FT_LOAD_TARGET_LIGHT))
            item.at("face").fail("FreeType cannot render U+" + std::to_string(int(code)));
        const FT_GlyphSlot slot = face->glyph;
        const FT_Bitmap& bitmap = slot->bitmap;
        Glyph glyph;
        glyph.code = uint16_t(code);
        glyph.advance = int((slot->advance.x + 32) >> 6) + style.spacing;
        Picture picture;
        if (bitmap.width > 0 && bitmap.rows > 0) {
            const int bw = int(bitmap.width), bh = int(bitmap.rows);
            const int w = bw + 2 * o + style.shadowX, h = bh + 2 * o + style.shadowY;
            auto coverage = [&](int x, int y) -> int {  // of the fill, in canvas coordinates
                x -= o, y -= o;
                if (x < 0 || y < 0 || x >= bw || y >= bh) return 0;
                return bitmap.buffer[size_t(y) * size_t(std::abs(bitmap.pitch)) + size_t(x)];
            };
            auto ring = [&](int x, int y) {  // the fill grown by the outline width
                int best = 0;
                for (int dy = -o; dy <= o; ++dy)
                    for (int dx = -o; dx <= o; ++dx)
                        if (dx * dx + dy * dy <= o * o + o) best = std::max(best, coverage(x + dx, y + dy));
                return best;
            };
            picture.width = w;
            picture.height = h;
            picture.pixels.assign(size_t(w) * size_t(h), 0);
            const int top = font.baseline - slot->bitmap_top - o;  // canvas row 0 within the line
            for (int y = 0; y < h; ++y)
                for (int x = 0; x < w; ++x) {
                    uint32_t p = 0;
                    if (style.shadowAlpha > 0)
                        p = over(p, style.shadowColour, ring(x - style.shadowX, y - style.shadowY) * style.shadowAlpha / 255);
                    if (o > 0) p = over(p, style.outlineColour, ring(x, y));
                    uint32_t fill = mix(style.fillTop, style.fillBottom, std::clamp(top + y, 0, font.height), font.height);
                    p = over(p, fill, coverage(x, y));
                    picture.pixels[size_t(y) * size_t(w) + size_t(x)] = p;
                }
            glyph.penX = slot->bitmap_left - o;
            glyph.topY = top;
            glyph.picture = std::move(picture);
        }
        font.glyphs.push_back(std::move(glyph));
    }
    font.missingAdvance = font.glyphs.front().advance;  // a character without a glyph takes a space
    return font;
}

}  // namespace

std::vector<GlyphFont> readFonts(const std::string& file, const std::string& fontDir) {
    nlohmann::json json = Node::load(file);
    Node root(json, file, "");
    root.allowOnly({"fonts"});
    Node list = root.at("fonts");
    std::vector<GlyphFont> fonts;
    for (size_t i = 0; i < list.size(); ++i) fonts.push_back(renderFont(list.at(i), fontDir));
    return fonts;
}

}  // namespace contentc
