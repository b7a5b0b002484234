// Every refusal of the content compiler names the source file and the item at fault: one
// broken detail of otherwise valid sources per row.

#include <gtest/gtest.h>

#include "tests/tools/contentc/SmallContent.h"

namespace {

struct Broken {
    const char* file;     // the source changed
    const char* find;     // text replaced in it
    const char* replace;
    const char* message;  // expected in the error, after the file name
};

const Broken kBroken[] = {
    {"art/sprite.json", R"("sheet": {)", R"("sheet": {{)", "art/sprite.json: not valid JSON"},
    {"art/sprite.json", R"("anchor": [6, 4])", R"("anchor": [6, 4], "ancor": 1)", "gobs.pictures[0]: unknown key \"ancor\""},
    {"art/sprite.json", R"("x": 4, "flip": "h")", R"("x": 600, "flip": "h")", "frames[1].modules[0].x: 600 is outside -512..511"},
    {"art/sprite.json", R"("flip": "h")", R"("flip": "sideways")", "modules[0].flip: flip must be none, h, v or hv"},
    {"art/sprite.json", R"({"name": "turned", "modules": [{"gob": "bar")", R"({"name": "turned", "modules": [{"gob": "baz")", "frames[1].modules[0].gob: no gob is named \"baz\""},
    {"art/sprite.json", R"("type": 2,)", R"("type": 40,)", "frames[0].boxes[0].type: 40 is outside 0..31"},
    {"art/sprite.json", R"("loops": 1)", R"("loops": 0)", "animations[0].loops: 0 is outside 1..31"},
    {"art/sprite.json", R"("ms": 80)", R"("ms": 0)", "animations[1]: an animation played forever needs a duration above 0"},
    {"art/sprite.json", R"({"frame": 1, "ms")", R"({"frame": 2, "ms")", "animations[0].frames[1].frame: 2 is outside 0..1"},
    {"art/sprite.json", R"("id": "0x802")", R"("id": "0xC02")", "sheet.id: a gob set's sheet must lie in the gob set's own part"},
    {"art/sprite.json", R"("id": "0x800")", R"("id": "0x801")", "SPRITE_SET: resource id 0x801 is also SPRITE_GOBS"},
    {"art/sprite.json", R"("id": "0x800")", R"("id": "0x10")", "animsets[0].id: resource id 16 names no part"},
    {"art/sprite.json", "bar.svg", "missing.svg", "missing.svg: not a readable SVG"},
    {"art/sprite.json", R"("id": "0x800")", R"("id": "010")", "animsets[0].id: resource id 10 names no part"},
    {"art/sprite.json", R"("id": "0x800")", R"("id": "0x80g")", "animsets[0].id: \"0x80g\" is not a number"},
    {"en.txt", "TEXT_B = Two\\nlines\n", "", "en.txt: text TEXT_B: missing in this language"},
    {"en.txt", "TEXT_A", "TEXT_C", "en.txt: text TEXT_C: no text id has this name"},
    {"de.txt", "Zwei", "Zw\xC3", "de.txt: text TEXT_B: not valid UTF-8"},
    {"de.txt", "Zwei", "\xD0\x96", "de.txt: text TEXT_B: the character U+416 is in no font"},
    {"de.txt", "Zwei", "Zwei\\t", "de.txt: text TEXT_B: unknown escape \\t"},
    {"texts.json", R"("TEXT_B": 2)", R"("TEXT_B": 0)", "ids.TEXT_B: text id 0 is also TEXT_A"},
    {"fonts.json", "DejaVuSans.ttf", "NoSuchFace.ttf", "fonts[0].face: cannot open the face"},
    {"requirements.json", R"("name": "FONT_SMALL", "id": "0x1C00")", R"("name": "FONT_SMALL", "id": "0x1C09")", "resources[1]: the game reads font 0x1C09 (FONT_SMALL), which no source makes"},
    {"requirements.json", R"("kind": "font")", R"("kind": "animset")", "FONT_SMALL: 0x1C00 must be animset, is font"},
    {"requirements.json", R"({"index": 1, "loops": true})", R"({"index": 1, "ends": true})", "SPRITE_SET (0x800) animation 1: must end"},
    {"requirements.json", R"({"index": 0, "ends": true})", R"({"index": 0, "loops": true})", "SPRITE_SET (0x800) animation 0: must loop forever"},
    {"requirements.json", R"({"index": 0, "ends": true})", R"({"index": 0, "origin": "top-left"})", "animation 0: its top-left corner must lie at its anchor (it is at -6, -3)"},
    {"requirements.json", R"("count": 1)", R"("count": 2)", "SPRITE_SET (0x800) frame 0: needs 2 boxes of type 2, has 1"},
    {"requirements.json", R"("count": 1}]})", R"("count": 1}], "clear": [{"type": 2, "frame": 0, "of_type": 2, "px": 8}]})",
     "SPRITE_SET (0x800) frame 0: its type-2 box at (-5, -3) lies within 8 px of frame 0's type-2 box at (-5, -3)"},
    {"requirements.json", R"("count": 1}]})", R"("count": 1}], "clear": [{"type": 2, "frame": 5, "of_type": 2, "px": 8}]})",
     "frames[0].clear[0].frame: frame 5 is missing"},
    {"requirements.json", R"("texts": {"TEXT_A": 0)", R"("texts": {"TEXT_A": 1)", "texts.json: text TEXT_A: must be text id 1, is 0"},
};

class ValidationTest : public testing::TestWithParam<Broken> {};

TEST_P(ValidationTest, NamesTheFileAndTheItem) {
    const Broken& broken = GetParam();
    std::map<std::string, std::string> files = contenttest::smallContent();
    std::string& text = files.at(broken.file);
    const size_t at = text.find(broken.find);
    ASSERT_NE(at, std::string::npos) << broken.find;
    text.replace(at, std::string(broken.find).size(), broken.replace);
    TemporaryFolder folder;
    contenttest::writeContent(folder, files);
    try {
        contentc::compile(contenttest::optionsFor(folder, folder.path() + "/rsc"));
        FAIL() << "compiled without an error";
    } catch (const contentc::ContentError& e) {
        EXPECT_NE(std::string(e.what()).find(broken.message), std::string::npos) << e.what();
    }
}

INSTANTIATE_TEST_SUITE_P(Broken, ValidationTest, testing::ValuesIn(kBroken),
                         [](const testing::TestParamInfo<Broken>& row) { return "Row" + std::to_string(row.index); });

}  // namespace
