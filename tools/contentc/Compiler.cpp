#include "tools/contentc/Compiler.h"

#include <algorithm>
#include <climits>
#include <filesystem>
#include <fstream>
#include <regex>
#include <set>
#include <sstream>

#include "tools/contentc/Encode.h"
#include "tools/contentc/Json.h"
#include "tools/contentc/Raster.h"
#include "tools/packwriter/PackWriter.h"

namespace contentc {

namespace fs = std::filesystem;

namespace {

constexpr int8_t kTypePng = -3;
constexpr int8_t kTypeData = -1;
constexpr int8_t kTypeText = -6;

std::string hexId(int32_t id) {
    std::ostringstream out;
    out << "0x" << std::uppercase << std::hex << id;
    return out.str();
}

bool isChunkedPart(int32_t part) { return part >= 1 && part <= 16 && part != 5; }

}  // namespace

Content readContent(const Options& options) {
    const std::string manifest = (fs::path(options.contentDir) / "content.json").string();
    nlohmann::json json = Node::load(manifest);
    Node root(json, manifest, "");
    root.allowOnly({"pictures", "fonts", "texts", "audio", "requirements"});
    auto path = [&](const Node& n) { return (fs::path(options.contentDir) / n.text()).string(); };
    Content content;
    Node pictures = root.at("pictures");
    for (size_t i = 0; i < pictures.size(); ++i) content.pictures.push_back(readPictureSet(path(pictures.at(i))));
    content.fonts = readFonts(path(root.at("fonts")), options.fontDir);
    content.texts = readTexts(path(root.at("texts")));
    if (root.has("audio")) content.audio = readAudio(path(root.at("audio")), options.workDir);
    return content;
}

std::map<int32_t, Resource> collectResources(const Content& content) {
    std::map<int32_t, Resource> resources;
    std::map<std::string, int32_t> names;
    auto add = [&](Resource r) {
        auto same = resources.find(r.id);
        if (same != resources.end())
            throw ContentError(r.source, r.name, "resource id " + hexId(r.id) + " is also " + same->second.name + " of " + same->second.source);
        auto named = names.find(r.name);
        if (named != names.end())
            throw ContentError(r.source, r.name, "the name is also used for " + hexId(named->second));
        names[r.name] = r.id;
        resources[r.id] = std::move(r);
    };
    auto sheet = [&](const Sheet& s) { add(Resource{s.id, kTypePng, s.name, "image", s.source, encodePng(s.picture)}); };
    for (const PictureSet& set : content.pictures) {
        sheet(set.sheet);
        if (set.gobSet.id > 0xFFFF) throw ContentError(set.gobSet.source, set.gobSet.name, "a gob set's id must lie below 0x10000");
        add(Resource{set.gobSet.id, kTypeData, set.gobSet.name, "gobs", set.gobSet.source, encodeGobSet(set.gobSet)});
        for (const AnimSet& anim : set.animSets)
            add(Resource{anim.id, kTypeData, anim.name, "animset", anim.source, encodeAnimSet(anim)});
    }
    for (const GlyphFont& font : content.fonts) {
        auto [png, glyphs] = encodeGlyphFont(font);
        add(Resource{font.imageId, kTypePng, font.name + "_SHEET", "image", font.source, std::move(png)});
        add(Resource{font.id, kTypeData, font.name, "font", font.source, std::move(glyphs)});
    }
    for (const TextTable& table : content.texts.tables) {
        std::string name = "TEXTS_" + table.language;
        std::transform(name.begin(), name.end(), name.begin(), [](char c) { return char(std::toupper(uint8_t(c))); });
        add(Resource{table.id, kTypeText, name, "texts", table.source, encodeTextTable(table)});
    }
    for (const Blob& blob : content.audio)
        add(Resource{blob.id, blob.type, blob.name, blob.type == 0 ? "music" : "effect", blob.source, blob.bytes});
    return resources;
}

namespace {

const AnimSet* findAnimSet(const Content& content, int32_t id) {
    for (const PictureSet& set : content.pictures)
        for (const AnimSet& anim : set.animSets)
            if (anim.id == id) return &anim;
    return nullptr;
}

const GobSet& gobsOf(const Content& content, const AnimSet& anim) {
    for (const PictureSet& set : content.pictures)
        if (set.gobSet.id == anim.gobSetId) return set.gobSet;
    throw ContentError(anim.source, anim.name, "its gob set is missing");
}

// Left and top of an animation's bounds, as the player computes them unflipped.
std::pair<int, int> animationOrigin(const AnimSet& anim, const GobSet& gobs, const Animation& animation) {
    int left = INT_MAX, top = INT_MAX;
    for (const AnimFrame& step : animation.frames)
        for (const Module& m : anim.frames[size_t(step.frame)].modules) {
            const Gob& g = gobs.gobs[size_t(m.gob)];
            int x = g.offsetX + m.x, y = g.offsetY + m.y;
            if (m.flip & 2) x = -(g.width + x);
            if (m.flip & 1) y = -(g.height + y);
            left = std::min(left, x + step.dx);
            top = std::min(top, y + step.dy);
        }
    return {left, top};
}

// Boxes of one frame that must keep a margin from the boxes of another frame of the same set
// (both drawn at one point): {"type": t, "frame": f, "of_type": u, "px": n} asks every box of
// type t to lie at least n pixels away from every box of type u of frame f.
void checkClearance(const Node& list, const AnimSet& anim, size_t index, const std::string& name) {
    for (size_t i = 0; i < list.size(); ++i) {
        Node c = list.at(i);
        c.allowOnly({"type", "frame", "of_type", "px"});
        const int type = int(c.at("type").integer(0, 31)), otherType = int(c.at("of_type").integer(0, 31));
        const size_t other = size_t(c.at("frame").integer(0, 1023));
        const int px = int(c.at("px").integer(0, 1023));
        if (other >= anim.frames.size()) c.at("frame").fail("frame " + std::to_string(other) + " is missing");
        for (const Box& a : anim.frames[index].boxes) {
            if (a.type != type) continue;
            for (const Box& b : anim.frames[other].boxes) {
                if (b.type != otherType) continue;
                const bool apart = a.x >= b.x + b.width + px || b.x >= a.x + a.width + px ||
                                   a.y >= b.y + b.height + px || b.y >= a.y + a.height + px;
                if (!apart)
                    throw ContentError(anim.source, name, "its type-" + std::to_string(type) + " box at (" + std::to_string(a.x) +
                                       ", " + std::to_string(a.y) + ") lies within " + std::to_string(px) +
                                       " px of frame " + std::to_string(other) + "'s type-" + std::to_string(otherType) +
                                       " box at (" + std::to_string(b.x) + ", " + std::to_string(b.y) + ")");
            }
        }
    }
}

void checkAnimSet(const Node& item, const Content& content, const AnimSet& anim) {
    const std::string where = anim.name + " (" + hexId(anim.id) + ")";
    if (item.has("gobs") && int32_t(item.at("gobs").integer(0, INT32_MAX)) != anim.gobSetId)
        throw ContentError(anim.source, where, "must draw the gob set " + item.at("gobs").text());
    if (item.has("animations")) {
        Node list = item.at("animations");
        for (size_t i = 0; i < list.size(); ++i) {
            Node a = list.at(i);
            a.allowOnly({"index", "ends", "loops", "origin", "use"});
            const size_t index = size_t(a.at("index").integer(0, 65535));
            const std::string name = where + " animation " + std::to_string(index);
            if (index >= anim.animations.size()) throw ContentError(anim.source, name, "is missing");
            const Animation& animation = anim.animations[index];
            if (a.flag("ends", false) && animation.loops < 0)
                throw ContentError(anim.source, name, "must end (a loop count above 0): the game waits for its end");
            if (a.flag("loops", false) && animation.loops > 0)
                throw ContentError(anim.source, name, "must loop forever: it carries motion");
            if (a.text("origin", "") == "top-left") {
                auto [left, top] = animationOrigin(anim, gobsOf(content, anim), animation);
                if (left != 0 || top != 0)
                    throw ContentError(anim.source, name, "its top-left corner must lie at its anchor (it is at " +
                                       std::to_string(left) + ", " + std::to_string(top) + ")");
            }
        }
    }
    if (item.has("frames")) {
        Node list = item.at("frames");
        for (size_t i = 0; i < list.size(); ++i) {
            Node f = list.at(i);
            f.allowOnly({"index", "boxes", "clear", "use"});
            const size_t index = size_t(f.at("index").integer(0, 1023));
            const std::string name = where + " frame " + std::to_string(index);
            if (index >= anim.frames.size()) throw ContentError(anim.source, name, "is missing");
            if (f.has("clear")) checkClearance(f.at("clear"), anim, index, name);
            if (!f.has("boxes")) continue;
            Node boxes = f.at("boxes");
            for (size_t k = 0; k < boxes.size(); ++k) {
                Node b = boxes.at(k);
                b.allowOnly({"type", "count", "min"});
                const int type = int(b.at("type").integer(0, 31));
                const int count = int(std::count_if(anim.frames[index].boxes.begin(), anim.frames[index].boxes.end(),
                                                    [type](const Box& box) { return box.type == type; }));
                if (b.has("count") && count != b.at("count").integer(0, 255))
                    throw ContentError(anim.source, name, "needs " + std::to_string(b.at("count").integer(0, 255)) +
                                       " boxes of type " + std::to_string(type) + ", has " + std::to_string(count));
                if (b.has("min") && count < b.at("min").integer(0, 255))
                    throw ContentError(anim.source, name, "needs at least " + std::to_string(b.at("min").integer(0, 255)) +
                                       " boxes of type " + std::to_string(type) + ", has " + std::to_string(count));
            }
        }
    }
}

}  // namespace

void checkRequirements(const std::string& file, const Content& content, const std::map<int32_t, Resource>& resources) {
    nlohmann::json json = Node::load(file);
    Node root(json, file, "");
    root.allowOnly({"resources", "texts"});
    Node list = root.at("resources");
    for (size_t i = 0; i < list.size(); ++i) {
        Node item = list.at(i);
        item.allowOnly({"name", "id", "kind", "gobs", "animations", "frames", "use"});
        const int32_t id = int32_t(item.at("id").integer(0, INT32_MAX));
        const std::string name = item.at("name").text(), kind = item.at("kind").text();
        auto found = resources.find(id);
        if (found == resources.end()) item.fail("the game reads " + kind + " " + hexId(id) + " (" + name + "), which no source makes");
        const Resource& r = found->second;
        if (r.kind != kind) throw ContentError(r.source, r.name, hexId(id) + " must be " + kind + ", is " + r.kind);
        if (r.name != name) throw ContentError(r.source, r.name, hexId(id) + " must be named " + name);
        if (kind == "animset") checkAnimSet(item, content, *findAnimSet(content, id));
    }
    Node texts = root.at("texts");
    if (!texts.raw().is_object()) texts.fail("must map names to text ids");
    for (const auto& member : texts.raw().items()) {
        const int id = int(texts.at(member.key().c_str()).integer(0, 0xFFFE));
        auto found = content.texts.ids.find(member.key());
        if (found == content.texts.ids.end())
            throw ContentError(content.texts.source, "text " + member.key(), "the game reads text id " + std::to_string(id) + " under this name; it is missing");
        if (found->second != id)
            throw ContentError(content.texts.source, "text " + member.key(), "must be text id " + std::to_string(id) + ", is " + std::to_string(found->second));
    }
}

void checkCoverage(const Content& content) {
    const std::vector<char16_t>& covered = fontCharacters();
    for (const TextTable& table : content.texts.tables) {
        std::map<int, std::string> nameOf;
        for (const auto& [name, id] : content.texts.ids) nameOf[id] = name;
        for (const auto& [id, text] : table.texts)
            for (char16_t c : decodeUtf8(text, table.source, "text " + nameOf[id]))
                if (c != '\n' && !std::binary_search(covered.begin(), covered.end(), c))
                    throw ContentError(table.source, "text " + nameOf[id],
                                       "the character U+" + hexId(c).substr(2) + " is in no font");
    }
}

std::string idHeader(const std::map<int32_t, Resource>& resources, const TextCatalogue& texts) {
    std::ostringstream out;
    out << "#pragma once\n\n// Written by the content compiler from content/: the ids of the game's resources and texts.\n\n"
        << "#include <cstdint>\n\nnamespace content {\n\nnamespace res {\n";
    for (const auto& [id, r] : resources) out << "constexpr int32_t " << r.name << " = " << hexId(id) << ";  // " << r.kind << "\n";
    out << "}  // namespace res\n\nnamespace text {\n";
    std::map<int, std::string> byId;
    for (const auto& [name, id] : texts.ids) byId[id] = name;
    for (const auto& [id, name] : byId) out << "constexpr int32_t " << name << " = " << id << ";\n";
    out << "}  // namespace text\n\n}  // namespace content\n";
    return out.str();
}

void writeParts(const std::string& folder, const std::map<int32_t, Resource>& resources) {
    fs::create_directories(folder);
    static const std::regex kPackFile(R"(RP-?\d+(part\d+)?\.\w+)", std::regex::icase);
    for (const auto& entry : fs::directory_iterator(folder))
        if (std::regex_match(entry.path().filename().string(), kPackFile)) fs::remove(entry.path());
    std::map<int32_t, std::vector<packwriter::Entry>> parts;
    for (const auto& [id, r] : resources) {
        std::vector<packwriter::Entry>& entries = parts[id >> 10];
        if (entries.size() <= size_t(id & 0x3FF)) entries.resize(size_t(id & 0x3FF) + 1);
        entries[size_t(id & 0x3FF)] = packwriter::Entry{r.bytes, r.type};
    }
    for (const auto& [part, entries] : parts) {
        if (isChunkedPart(part)) packwriter::writeDirectoryPart(folder, part, entries);
        else packwriter::writeTablePart(folder, part, entries);
    }
}

size_t compile(const Options& options) {
    Content content = readContent(options);
    checkCoverage(content);
    std::map<int32_t, Resource> resources = collectResources(content);
    checkRequirements((fs::path(options.contentDir) / "requirements.json").string(), content, resources);
    writeParts(options.outputDir, resources);
    const std::string header = idHeader(resources, content.texts);
    std::ifstream old(options.headerFile, std::ios::binary);
    std::stringstream oldText;
    oldText << old.rdbuf();
    if (oldText.str() != header) {  // an unchanged header does not rebuild the game
        fs::create_directories(fs::path(options.headerFile).parent_path());
        std::ofstream(options.headerFile, std::ios::binary) << header;
    }
    return resources.size();
}

}  // namespace contentc
