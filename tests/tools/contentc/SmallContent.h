#pragma once

// A small content folder of the tests' own: one picture (a 10 x 6 red bar in a 12 x 8 SVG,
// anchored at its centre), its gob set and an animation set, a font, two languages and the
// requirements, written file by file so that a test can break any one of them.

#include <map>
#include <string>

#include "tests/support/TemporaryFolder.h"
#include "tools/contentc/Compiler.h"
#include "tools/contentc/ContentError.h"

namespace contenttest {

inline std::map<std::string, std::string> smallContent() {
    return {
        {"content.json",
         R"({"pictures": ["art/sprite.json"], "fonts": "fonts.json", "texts": "texts.json",
             "requirements": "requirements.json"})"},
        {"art/bar.svg",
         R"(<svg xmlns="http://www.w3.org/2000/svg" width="12" height="8"><rect x="1" y="1" width="10" height="6" fill="#FF0000"/></svg>)"},
        {"art/sprite.json",
         R"({"sheet": {"id": "0x802", "name": "SPRITE_SHEET"},
             "gobs": {"id": "0x801", "name": "SPRITE_GOBS",
                      "pictures": [{"name": "bar", "svg": "bar.svg", "anchor": [6, 4], "collision": [-2, -1, 4, 2]}]},
             "animsets": [{"id": "0x800", "name": "SPRITE_SET",
               "frames": [{"name": "still", "modules": [{"gob": "bar"}], "boxes": [{"type": 2, "rect": [-5, -3, 10, 6]}]},
                          {"name": "turned", "modules": [{"gob": "bar", "x": 4, "flip": "h"}]}],
               "animations": [{"name": "once", "loops": 1, "frames": [{"frame": "still", "ms": 100},
                                                                     {"frame": 1, "ms": 50, "hold": 1, "tween": true, "offset": [3, 0]}]},
                              {"name": "walk", "loops": "forever", "frames": [{"frame": "still", "ms": 80}]}]}]})"},
        {"fonts.json",
         R"({"fonts": [{"name": "FONT_SMALL", "id": "0x1C00", "image": "0x1C01", "face": "DejaVuSans.ttf", "size": 9,
                        "fill": "#FFFFFF", "outline": {"colour": "#000000", "width": 1}}]})"},
        {"texts.json",
         R"({"languages": [{"language": "English", "id": "0x1C04", "file": "en.txt"},
                           {"language": "German", "id": "0x1C05", "file": "de.txt"}],
             "ids": {"TEXT_A": 0, "TEXT_B": 2}})"},
        {"en.txt", "# English\nTEXT_A = Alpha\nTEXT_B = Two\\nlines\n"},
        {"de.txt", "TEXT_A = Grüße\nTEXT_B = Zwei\n"},
        {"requirements.json",
         R"({"resources": [{"name": "SPRITE_SET", "id": "0x800", "kind": "animset", "gobs": "0x801",
                            "animations": [{"index": 0, "ends": true}, {"index": 1, "loops": true}],
                            "frames": [{"index": 0, "boxes": [{"type": 2, "count": 1}]}]},
                           {"name": "FONT_SMALL", "id": "0x1C00", "kind": "font"},
                           {"name": "TEXTS_ENGLISH", "id": "0x1C04", "kind": "texts"}],
             "texts": {"TEXT_A": 0, "TEXT_B": 2}})"},
    };
}

inline void writeContent(const TemporaryFolder& folder, const std::map<std::string, std::string>& files) {
    for (const auto& [name, text] : files) folder.write("content/" + name, text);
}

inline contentc::Options optionsFor(const TemporaryFolder& folder, const std::string& rsc) {
    contentc::Options options;
    options.contentDir = folder.path() + "/content";
    options.outputDir = rsc;
    options.headerFile = folder.path() + "/generated/content/ContentIds.h";
    options.workDir = folder.path() + "/work";
    return options;
}

}  // namespace contenttest
