// Writes the seed corpora of the pack fuzz targets with the pack writer:
//   make_pack_fuzz_seeds <fuzz/corpus folder>
// resource_pack seeds are a form byte (0 table, 1 chunked part 1) and the part's bytes;
// png_palette seeds are a palette-length byte and an indexed PNG; translation and gob_set
// seeds are encoded tables and gob sets (the gob_set target holds a 16 x 8 sheet).

#include <cstdio>
#include <string>

#include "tests/support/PngWriter.h"
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
    return 0;
}
