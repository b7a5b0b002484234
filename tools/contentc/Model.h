#pragma once

// What the compiler builds from the sources before anything is encoded: pictures, sheets,
// gob sets, animation sets, glyph fonts, text tables, music and effects, each with the
// resource id it is stored under and the source file it came from (for error messages).

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace contentc {

using Bytes = std::vector<uint8_t>;

// Straight (not premultiplied) 0xAARRGGBB pixels, row by row.
struct Picture {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> pixels;
    uint32_t at(int x, int y) const { return pixels[size_t(y) * size_t(width) + size_t(x)]; }
};

// A rectangle of a sheet with the drawing point it belongs to: the picture's top-left corner
// lies at (offsetX, offsetY) from the point the gob is drawn at.
struct Gob {
    std::string name;
    int offsetX = 0, offsetY = 0;
    int sheetX = 0, sheetY = 0, width = 0, height = 0;
    int collisionX = 0, collisionY = 0, collisionWidth = 0, collisionHeight = 0;  // from the picture's corner
    bool circular = false;
    int alphaType = 0;  // 1 opaque, 2 some pixels fully transparent, 3 some partly transparent
};

struct GobSet {
    int32_t id = 0;
    int32_t imageId = 0;  // the sheet, in the same part
    std::string name, source;
    std::vector<Gob> gobs;
};

struct Sheet {
    int32_t id = 0;
    std::string name, source;
    Picture picture;
};

struct Module {
    int gob = 0, x = 0, y = 0;
    int flip = 0;  // bit 0 vertical mirror, bit 1 horizontal mirror
};

struct Box {
    int x = 0, y = 0, width = 0, height = 0, type = 0;
    bool circular = false;
};

struct Frame {
    std::string name;
    std::vector<Module> modules;
    std::vector<Box> boxes;
};

struct AnimFrame {
    int frame = 0;
    int duration = 0;  // ms
    int hold = 0;      // 0..3
    bool tween = false;
    int dx = 0, dy = 0;  // offset since the animation's start; the player moves by its change
};

struct Animation {
    std::string name;
    int loops = 1;  // negative: forever
    std::vector<AnimFrame> frames;
};

struct AnimSet {
    int32_t id = 0;
    int32_t gobSetId = 0;
    std::string name, source;
    std::vector<Frame> frames;
    std::vector<Animation> animations;
};

// A bitmap font: glyphs sorted by character code, each a picture placed relative to the pen
// (x) and the top of the line (y), with its advance; and the font's line metrics. The
// encoder packs the pictures into the font's sheet (imageId).
struct Glyph {
    uint16_t code = 0;
    int penX = 0, topY = 0, advance = 0;
    Picture picture;  // empty for a character without ink (a space)
};

struct GlyphFont {
    int32_t id = 0;
    int32_t imageId = 0;
    std::string name, source;
    int height = 0, baseline = 0, missingAdvance = 0, lineHeight = 0, extraMetric = 0;
    bool alignByAdvance = true;
    std::vector<Glyph> glyphs;
};

// A text table: text id -> UTF-8 text; ids without a text are stored empty.
struct TextTable {
    int32_t id = 0;
    std::string language, source;
    std::map<int, std::string> texts;
};

struct Blob {  // music (MIDI, type 0) and effects (WAV, type 1)
    int32_t id = 0;
    int8_t type = 0;
    std::string name, source;
    Bytes bytes;
};

}  // namespace contentc
