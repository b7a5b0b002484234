// Writes the seed corpora of the pack fuzz targets with the pack writer:
//   make_pack_fuzz_seeds <fuzz/corpus folder>
// resource_pack seeds are a form byte (0 table, 1 chunked part 1, 2 table-form part 17, 3
// table through a buffering stream) and the part's bytes; png_palette seeds are a
// palette-length byte and an indexed PNG; anim_set seeds are animation-set entries;
// translation and gob_set seeds are encoded tables and gob sets (the gob_set target holds a
// 16 x 8 sheet).

#include <cstdio>
#include <string>

#include "tests/support/PngWriter.h"
#include "tools/packwriter/AnimSetEncoder.h"
#include "tools/packwriter/GobSetEncoder.h"
#include "tools/packwriter/PackWriter.h"
#include "tools/packwriter/TranslationEncoder.h"

namespace {

using packwriter::Bytes;
using packwriter::Entry;

Bytes with(uint8_t first, const Bytes& rest) {
    Bytes out{first};
    out.insert(out.end(), rest.begin(), rest.end());
    return out;
}

Bytes chunked(const std::vector<Entry>& entries, const Bytes& second) {
    return packwriter::container({packwriter::chunk(packwriter::kIdRphe, packwriter::table(entries, true, false)), second});
}

// Sets that reach the escapes, every box kind, hold levels, tweens and zero durations.
void writeAnimSetSeeds(const std::string& folder) {
    using namespace packwriter;
    AnimSetModel walk;
    walk.frames = {{{{0, 0, 0, 0}, {2, -3, 4, 3}}, {{0, 0, 8, 8, 0, false}, {-4, 2, 6, 6, 1, true}}},
                   {{{0, 1, -1, 1}, {0, 2, 2, 2}, {1, 0, 0, 3}, {0, 1, 1, 0}, {2, 5, 5, 1}}, {{1, 1, 3, 3, 2, false}}},
                   {{}, {}}};
    walk.animations = {{{{0, 50, 0, false, 0, 0}, {1, 50, 1, true, 6, -2}, {2, 0, 0, false, 12, 0}}, -1},
                       {{{1, 100, 0, false, 0, 0}, {0, 100, 3, false, 0, 5}}, 2}};
    writeFile(folder, "walk", encodeAnimSet(walk));
    AnimSetModel wide;
    wide.frames = {{{{300, -128, 200, 3}, {1, 511, -512, 3}, {2, 0, 0, 3}, {0, 127, -127, 3}}, {{-1024, 1023, 300, 255, 31, true}}}};
    wide.animations = {{{{0, 1000, 2, true, -512, 511}, {0, 0, 0, true, 511, -512}}, -32}, {{}, 31}};
    writeFile(folder, "wide", encodeAnimSet(wide));
    AnimSetModel timeless;
    timeless.frames = {{{{0, 0, 0, 0}}, {{0, 0, 2, 2, 0, false}}}};
    timeless.animations = {{{{0, 0, 0, true, 0, 0}, {0, 0, 0, true, 7, 0}}, -1}};
    writeFile(folder, "timeless", encodeAnimSet(timeless));
}

// The picture the fuzz target keeps as split file 1 and entry files 1 to 3 of part 1: 2 x 2
// pixels of 4 palette colours, one transparent.
Bytes palettePng() {
    png_writer::Picture picture;
    picture.width = picture.height = 2;
    picture.colorType = png_writer::kPalette;
    picture.palette = {255, 0, 0, 0, 255, 0, 0, 0, 255, 255, 255, 255};
    picture.transparency = {255, 0};
    picture.samples = {0, 1, 2, 3};
    return png_writer::encode(picture);
}

Entry text(const std::string& s, int8_t type = -1) { return {Bytes(s.begin(), s.end()), type}; }

// Larger parts: images, text, empty and long entries; an extension block after a table; a
// directory with entries at offsets inside shared files; a split list short of its total;
// a container with both directory and split chunks and duplicates.
void writeDeepSeeds(const std::string& pack) {
    const Bytes png = palettePng();
    const int32_t pngSize = int32_t(png.size());
    const std::vector<Entry> entries = {{png, -3}, text("text entry", -7), text(""), {png, -3}, {Bytes(300, 7), 1}, text("wav", 1)};
    Bytes extended = packwriter::table(entries);
    for (uint8_t b : Bytes{0, 3, 0, 0, 0, 2, 0, 0, 0, 1, 0, 0, 0x11, 0x22, 0x33, 0x44, 0x55, 0x66}) extended.push_back(b);
    packwriter::writeFile(pack, "table_images_extension", with(0, extended));
    packwriter::writeFile(pack, "table_buffered", with(3, packwriter::table({{png, -3}, {Bytes(2000, 9), -1}, text("x")})));
    packwriter::writeFile(pack, "table_narrow_part17", with(2, packwriter::table(entries, false)));

    const std::vector<Entry> listed = {{png, -3}, {png, -3}, text("abc"), text("de", 1)};
    Bytes vfso = packwriter::directory(listed);
    constexpr size_t kThirdEntry = 8 + 2 * 12;  // entries 2 and 3 at offsets 4 and 2 of files 2 and 3
    vfso[kThirdEntry + 3] = 2;
    vfso[kThirdEntry + 7] = 4;
    vfso[kThirdEntry + 12 + 3] = 3;
    vfso[kThirdEntry + 12 + 7] = 2;
    packwriter::writeFile(pack, "chunked_directory", with(1, chunked(listed, packwriter::chunk(packwriter::kIdVfso, vfso))));

    Bytes list = packwriter::splitList({pngSize, 16, 24});
    list[3] = uint8_t(pngSize + 16 + 24 + 8);
    const std::vector<Entry> split = {{png, -3}, {Bytes(16, 2), -1}, {Bytes(20, 3), 0}};
    packwriter::writeFile(pack, "chunked_split", with(1, packwriter::container({packwriter::chunk(packwriter::kIdFslm, list),
                                                                               packwriter::chunk(packwriter::kIdRphe, packwriter::table(split, false, false))})));
    packwriter::writeFile(
        pack, "chunked_many_chunks",
        with(1, packwriter::container({packwriter::chunk(packwriter::kIdRphe, packwriter::table(listed, true, false), 7),
                                       packwriter::chunk(packwriter::kIdFslm, packwriter::splitList({pngSize})),
                                       packwriter::chunk(packwriter::kIdVfso, vfso),
                                       packwriter::chunk(packwriter::kIdRphe, packwriter::table({text("z")}, true, false)),
                                       packwriter::chunk(packwriter::kIdVfso, packwriter::directory({text("q")}))})));
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_pack_fuzz_seeds <corpus folder>\n");
        return 1;
    }
    const std::string root = argv[1];
    const std::vector<Entry> entries = {{Bytes(5, 'a'), 2}, {{}, -1}, {Bytes(7, 'c'), -3}};
    // The fuzz target's split files of part 1 hold 8, 16 and 24 bytes.
    const std::vector<Entry> split = {{Bytes(20, 's'), 0}, {Bytes(28, 't'), -3}};
    const std::string pack = root + "/resource_pack";
    packwriter::writeFile(pack, "table", with(0, packwriter::table(entries)));
    packwriter::writeFile(pack, "table_narrow", with(0, packwriter::table(entries, false)));
    packwriter::writeFile(pack, "split", with(1, chunked(split, packwriter::chunk(packwriter::kIdFslm, packwriter::splitList({8, 16, 24})))));
    packwriter::writeFile(pack, "directory", with(1, chunked(entries, packwriter::chunk(packwriter::kIdVfso, packwriter::directory(entries)))));
    packwriter::writeFile(pack, "version3", with(1, packwriter::container({}, 3)));
    writeDeepSeeds(pack);

    png_writer::Picture picture;
    picture.width = 2;
    picture.colorType = png_writer::kPalette;
    picture.palette = {0xFF, 0, 0, 0, 0xFF, 0};
    picture.samples = {0, 1};
    const std::string palette = root + "/png_palette";
    packwriter::writeFile(palette, "own_palette", with(0, png_writer::encode(picture)));
    packwriter::writeFile(palette, "wrong_length", with(9, png_writer::encode(picture)));
    picture.transparency = {0xFF, 0};
    packwriter::writeFile(palette, "transparent", with(10, png_writer::encode(picture)));

    const std::string translation = root + "/translation";
    packwriter::writeFile(translation, "empty", packwriter::encodeTranslation({}));
    packwriter::writeFile(translation, "texts",
                          packwriter::encodeTranslation({"", "Start", "caf\xC3\xA9 \xE2\x82\xAC", std::string("a\0b", 3)}));
    packwriter::writeFile(translation, "emoji", packwriter::encodeTranslation({"\xF0\x9F\x98\x80", "-12"}));

    std::vector<packwriter::GobDescriptor> gobs(3);
    gobs[0] = {-1, -2, 3, 1, 4, 5, 0, 1, 2, 2, false, 1};
    gobs[1] = {0, 0, 12, 0, 4, 8, 0, 0, 300, 2, true, 3};
    const std::string gobSet = root + "/gob_set";
    packwriter::writeFile(gobSet, "all_groups", packwriter::encodeGobSet({0, gobs, false}));
    packwriter::writeFile(gobSet, "alpha_types", packwriter::encodeGobSet({0, gobs, true}));
    packwriter::writeFile(gobSet, "no_values", packwriter::encodeGobSet({0, {{}, {}}, true}));
    writeAnimSetSeeds(root + "/anim_set");
    return 0;
}
