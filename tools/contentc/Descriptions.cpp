#include "tools/contentc/Descriptions.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <filesystem>
#include <map>
#include <set>

#include "tools/contentc/Json.h"
#include "tools/contentc/Raster.h"

namespace contentc {

namespace {

constexpr int kMaxPerFrame = 255;     // modules or boxes of one frame
constexpr int kMaxAnimLength = 1023;  // animation frames of one animation
constexpr int kMaxIndex = 1023;       // frame and gob indexes
constexpr int kMaxTotal = 65535;      // running totals of the count tables
constexpr int kMaxDurations = 64;     // distinct durations of one set

int32_t readId(const Node& node) {
    int64_t id = node.integer(0, INT32_MAX);
    checkResourceId(id, node.file(), node.path());
    return int32_t(id);
}

std::vector<int> readInts(const Node& node, size_t count, int64_t min, int64_t max) {
    if (node.size() != count) node.fail("must hold " + std::to_string(count) + " numbers");
    std::vector<int> values;
    for (size_t i = 0; i < count; ++i) values.push_back(int(node.at(i).integer(min, max)));
    return values;
}

int readFlip(const Node& node) {
    const std::string flip = node.text();
    if (flip == "none") return 0;
    if (flip == "v") return 1;
    if (flip == "h") return 2;
    if (flip == "hv") return 3;
    node.fail("flip must be none, h, v or hv");
}

void readGobs(const Node& list, const std::string& folder, PictureSet& set) {
    std::vector<Picture> trimmed;
    std::vector<Rect> inks;
    for (size_t i = 0; i < list.size(); ++i) {
        Node item = list.at(i);
        item.allowOnly({"name", "svg", "scale", "anchor", "collision", "circular"});
        Gob gob;
        gob.name = item.at("name").text();
        for (const Gob& earlier : set.gobSet.gobs)
            if (earlier.name == gob.name) item.fail("gob \"" + gob.name + "\" is named twice");
        const double scale = item.number("scale", 0.1, 8.0, 1.0);
        const std::string svg = (std::filesystem::path(folder) / item.at("svg").text()).string();
        Picture picture = renderSvg(svg, scale);
        Rect ink = inkBounds(picture);
        if (ink.width == 0) item.fail("the picture " + svg + " is empty");
        std::vector<int> anchor = item.has("anchor") ? readInts(item.at("anchor"), 2, -4096, 4096) : std::vector<int>{0, 0};
        gob.offsetX = ink.x - int(std::lround(anchor[0] * scale));
        gob.offsetY = ink.y - int(std::lround(anchor[1] * scale));
        gob.width = ink.width;
        gob.height = ink.height;
        if (item.has("collision")) {
            std::vector<int> box = readInts(item.at("collision"), 4, -32768, 32767);
            if (box[2] < 1 || box[3] < 1 || box[2] > 0x7FFF) item.at("collision").fail("needs a size of at least 1 x 1");
            gob.collisionX = box[0] - gob.offsetX;
            gob.collisionY = box[1] - gob.offsetY;
            gob.collisionWidth = box[2];
            gob.collisionHeight = box[3];
        }
        gob.circular = item.flag("circular", false);
        gob.alphaType = alphaType(picture, ink);
        if (gob.offsetX < -32768 || gob.offsetX > 32767 || gob.offsetY < -32768 || gob.offsetY > 32767)
            item.fail("the anchor lies too far from the picture");
        trimmed.push_back(crop(picture, ink));
        set.gobSet.gobs.push_back(gob);
    }
    if (set.gobSet.gobs.empty()) list.fail("a gob set needs at least one gob");
    if (set.gobSet.gobs.size() > size_t(kMaxIndex) + 1) list.fail("more than 1024 gobs");
    std::vector<Rect> places;
    try {
        places = packSheet(trimmed, set.sheet.picture);
    } catch (const std::runtime_error& e) {
        list.fail(e.what());
    }
    for (size_t i = 0; i < places.size(); ++i) {
        set.gobSet.gobs[i].sheetX = places[i].x;
        set.gobSet.gobs[i].sheetY = places[i].y;
    }
}

Frame readFrame(const Node& item, const std::map<std::string, int>& gobIndex) {
    item.allowOnly({"name", "modules", "boxes"});
    Frame frame;
    frame.name = item.text("name", "");
    if (item.has("modules")) {
        Node modules = item.at("modules");
        if (modules.size() > kMaxPerFrame) modules.fail("more than 255 modules");
        for (size_t i = 0; i < modules.size(); ++i) {
            Node m = modules.at(i);
            m.allowOnly({"gob", "x", "y", "flip"});
            Module module;
            auto found = gobIndex.find(m.at("gob").text());
            if (found == gobIndex.end()) m.at("gob").fail("no gob is named \"" + m.at("gob").text() + "\"");
            module.gob = found->second;
            module.x = int(m.integer("x", -512, 511, 0));
            module.y = int(m.integer("y", -512, 511, 0));
            module.flip = m.has("flip") ? readFlip(m.at("flip")) : 0;
            frame.modules.push_back(module);
        }
    }
    if (item.has("boxes")) {
        Node boxes = item.at("boxes");
        if (boxes.size() > kMaxPerFrame) boxes.fail("more than 255 boxes");
        for (size_t i = 0; i < boxes.size(); ++i) {
            Node b = boxes.at(i);
            b.allowOnly({"type", "rect", "circle"});
            std::vector<int> rect = readInts(b.at("rect"), 4, -1024, 1023);
            if (rect[2] < 0 || rect[3] < 0) b.at("rect").fail("width and height must be 0..1023");
            frame.boxes.push_back(Box{rect[0], rect[1], rect[2], rect[3], int(b.at("type").integer(0, 31)),
                                      b.flag("circle", false)});
        }
    }
    return frame;
}

Animation readAnimation(const Node& item, const std::vector<Frame>& frames) {
    item.allowOnly({"name", "loops", "frames"});
    Animation animation;
    animation.name = item.text("name", "");
    Node loops = item.at("loops");
    if (loops.raw().is_string() && loops.text() == "forever") animation.loops = -1;
    else animation.loops = int(loops.integer(1, 31));
    Node list = item.at("frames");
    if (list.size() < 1 || list.size() > kMaxAnimLength) list.fail("an animation has 1..1023 frames");
    for (size_t i = 0; i < list.size(); ++i) {
        Node f = list.at(i);
        f.allowOnly({"frame", "ms", "hold", "tween", "offset"});
        AnimFrame step;
        Node ref = f.at("frame");
        if (ref.raw().is_string()) {
            step.frame = -1;
            for (size_t k = 0; k < frames.size(); ++k)
                if (frames[k].name == ref.text()) step.frame = int(k);
            if (step.frame < 0) ref.fail("no frame is named \"" + ref.text() + "\"");
        } else {
            step.frame = int(ref.integer(0, int64_t(frames.size()) - 1));
        }
        step.duration = int(f.at("ms").integer(0, 65535));
        step.hold = int(f.integer("hold", 0, 3, 0));
        step.tween = f.flag("tween", false);
        if (f.has("offset")) {  // since the animation's start: the player moves by its change
            std::vector<int> move = readInts(f.at("offset"), 2, -512, 511);
            step.dx = move[0];
            step.dy = move[1];
        }
        animation.frames.push_back(step);
    }
    if (animation.loops < 0) {
        int total = 0;
        for (const AnimFrame& f : animation.frames) total += f.duration;
        if (total == 0) item.fail("an animation played forever needs a duration above 0");
    }
    return animation;
}

// Moves every module and box so that the union of all frames starts at the anchor: a set
// drawn from its top-left corner (as the logo is centred) then needs no hand-kept offsets.
void moveToTopLeft(const Node& item, AnimSet& anim, const GobSet& gobs) {
    int left = INT_MAX, top = INT_MAX;
    for (const Frame& frame : anim.frames)
        for (const Module& m : frame.modules) {
            const Gob& g = gobs.gobs[size_t(m.gob)];
            left = std::min(left, (m.flip & 2) ? -(g.width + g.offsetX + m.x) : g.offsetX + m.x);
            top = std::min(top, (m.flip & 1) ? -(g.height + g.offsetY + m.y) : g.offsetY + m.y);
        }
    if (left == INT_MAX) item.fail("a set placed at its top-left corner needs a module");
    for (size_t f = 0; f < anim.frames.size(); ++f) {
        for (Module& m : anim.frames[f].modules) {
            m.x += (m.flip & 2) ? left : -left;
            m.y += (m.flip & 1) ? top : -top;
            if (m.x < -512 || m.x > 511 || m.y < -512 || m.y > 511)
                item.fail("frames[" + std::to_string(f) + "]: a module moved to the top-left lies beyond -512..511");
        }
        for (Box& b : anim.frames[f].boxes) {
            b.x -= left;
            b.y -= top;
            if (b.x < -1024 || b.x > 1023 || b.y < -1024 || b.y > 1023)
                item.fail("frames[" + std::to_string(f) + "]: a box moved to the top-left lies beyond -1024..1023");
        }
    }
}

AnimSet readAnimSet(const Node& item, const PictureSet& set) {
    item.allowOnly({"id", "name", "origin", "frames", "animations"});
    AnimSet anim;
    anim.id = readId(item.at("id"));
    anim.name = item.at("name").text();
    anim.source = item.file();
    anim.gobSetId = set.gobSet.id;
    std::map<std::string, int> gobIndex;
    for (size_t i = 0; i < set.gobSet.gobs.size(); ++i) gobIndex[set.gobSet.gobs[i].name] = int(i);
    Node frames = item.at("frames");
    if (frames.size() > size_t(kMaxIndex) + 1) frames.fail("more than 1024 frames");
    for (size_t i = 0; i < frames.size(); ++i) anim.frames.push_back(readFrame(frames.at(i), gobIndex));
    if (item.has("origin")) {
        if (item.at("origin").text() != "top-left") item.at("origin").fail("the only origin is top-left");
        moveToTopLeft(item, anim, set.gobSet);
    }
    Node animations = item.at("animations");
    for (size_t i = 0; i < animations.size(); ++i) anim.animations.push_back(readAnimation(animations.at(i), anim.frames));
    if (anim.animations.size() > 0xFFFF) animations.fail("more than 65535 animations");
    size_t modules = 0, boxes = 0, steps = 0;
    std::set<int> durations;
    for (const Frame& f : anim.frames) modules += f.modules.size(), boxes += f.boxes.size();
    for (const Animation& a : anim.animations)
        for (const AnimFrame& f : a.frames) ++steps, durations.insert(f.duration);
    if (modules > kMaxTotal || boxes > kMaxTotal || steps > kMaxTotal)
        item.fail("more than 65535 modules, boxes or animation frames in one set");
    if (durations.size() > kMaxDurations) item.fail("more than 64 different durations in one set");
    return anim;
}

}  // namespace

void checkResourceId(int64_t id, const std::string& file, const std::string& item) {
    if (id < 0x400 || id > INT32_MAX) throw ContentError(file, item, "resource id " + std::to_string(id) + " names no part (part 0 is the open one)");
}

PictureSet readPictureSet(const std::string& file) {
    nlohmann::json json = Node::load(file);
    Node root(json, file, "");
    root.allowOnly({"sheet", "gobs", "animsets"});
    PictureSet set;
    Node sheet = root.at("sheet");
    sheet.allowOnly({"id", "name"});
    set.sheet.id = readId(sheet.at("id"));
    set.sheet.name = sheet.at("name").text();
    set.sheet.source = file;
    Node gobs = root.at("gobs");
    gobs.allowOnly({"id", "name", "pictures"});
    set.gobSet.id = readId(gobs.at("id"));
    set.gobSet.name = gobs.at("name").text();
    set.gobSet.source = file;
    set.gobSet.imageId = set.sheet.id;
    if ((set.sheet.id >> 10) != (set.gobSet.id >> 10))
        sheet.at("id").fail("a gob set's sheet must lie in the gob set's own part");
    readGobs(gobs.at("pictures"), std::filesystem::path(file).parent_path().string(), set);
    if (root.has("animsets")) {
        Node list = root.at("animsets");
        for (size_t i = 0; i < list.size(); ++i) set.animSets.push_back(readAnimSet(list.at(i), set));
    }
    return set;
}

}  // namespace contentc
