#include "tools/packwriter/AnimSetEncoder.h"

#include <algorithm>
#include <stdexcept>

namespace packwriter {

namespace {

constexpr int32_t kMaxTotal = 0xFFFF;
constexpr int32_t kMaxPerFrame = 255;
constexpr int32_t kMaxSteps = 1023;
constexpr int32_t kMaxIndex = 1023;
constexpr int32_t kMaxDurations = 64;

[[noreturn]] void refuse(const std::string& where, const std::string& what) {
    throw std::invalid_argument(where + ": " + what);
}

void requireRange(const std::string& where, const char* name, int32_t value, int32_t low, int32_t high) {
    if (value < low || value > high)
        refuse(where, std::string(name) + " " + std::to_string(value) + " outside " + std::to_string(low) + ".." +
                          std::to_string(high));
}

std::string frameName(size_t f) { return "frame " + std::to_string(f); }
std::string animationName(size_t a) { return "animation " + std::to_string(a); }

void checkFrame(const AnimFrame& frame, size_t f) {
    const std::string where = frameName(f);
    if (frame.modules.size() > kMaxPerFrame) refuse(where, std::to_string(frame.modules.size()) + " modules (at most 255)");
    if (frame.boxes.size() > kMaxPerFrame) refuse(where, std::to_string(frame.boxes.size()) + " boxes (at most 255)");
    for (size_t m = 0; m < frame.modules.size(); ++m) {
        const AnimModule& module = frame.modules[m];
        const std::string at = where + ", module " + std::to_string(m);
        requireRange(at, "gob index", module.gob, 0, kMaxIndex);
        requireRange(at, "x offset", module.x, -512, 511);
        requireRange(at, "y offset", module.y, -512, 511);
        requireRange(at, "flip", module.flip, 0, 3);
    }
    for (size_t b = 0; b < frame.boxes.size(); ++b) {
        const AnimBox& box = frame.boxes[b];
        const std::string at = where + ", box " + std::to_string(b);
        requireRange(at, "x", box.x, -1024, 1023);
        requireRange(at, "y", box.y, -1024, 1023);
        requireRange(at, "width", box.width, 0, 1023);
        requireRange(at, "height", box.height, 0, 1023);
        requireRange(at, "type", box.type, 0, 31);
    }
}

// The index of the step's duration in the set's table, added on first use.
int32_t durationIndex(std::vector<int32_t>& table, int32_t duration, const std::string& where) {
    auto found = std::find(table.begin(), table.end(), duration);
    if (found != table.end()) return int32_t(found - table.begin());
    if (table.size() == kMaxDurations) refuse(where, "a 65th distinct duration (a set holds at most 64)");
    table.push_back(duration);
    return int32_t(table.size() - 1);
}

void checkAnimation(const Animation& animation, size_t a, size_t frameCount) {
    const std::string where = animationName(a);
    if (animation.steps.size() > kMaxSteps) refuse(where, std::to_string(animation.steps.size()) + " steps (at most 1023)");
    requireRange(where, "loop count", animation.loops, -32, 31);
    const int32_t lastFrame = int32_t(std::min<size_t>(frameCount, kMaxIndex + 1)) - 1;
    for (size_t s = 0; s < animation.steps.size(); ++s) {
        const AnimStep& step = animation.steps[s];
        const std::string at = where + ", step " + std::to_string(s);
        if (step.frame < 0 || step.frame > lastFrame)
            refuse(at, "frame " + std::to_string(step.frame) + " not in the set (" + std::to_string(frameCount) + " frames)");
        requireRange(at, "duration", step.duration, 0, 0xFFFF);
        requireRange(at, "hold level", step.hold, 0, 3);
        requireRange(at, "x offset", step.x, -512, 511);
        requireRange(at, "y offset", step.y, -512, 511);
    }
}

template <typename T, typename Count>
void requireTotal(const std::vector<T>& items, Count count, const char* what) {
    int64_t total = 0;
    for (const T& item : items) total += int64_t(count(item));
    if (total > kMaxTotal) throw std::invalid_argument(std::string("the set holds ") + std::to_string(total) + " " + what + " (at most 65535)");
}

void putCount(Bytes& out, size_t count) { putPackedUnsigned(out, int32_t(count)); }

void encodeAnimations(Bytes& out, const AnimSetModel& model, std::vector<int32_t>& durations) {
    putU16(out, uint32_t(model.animations.size()));
    for (const Animation& animation : model.animations) putCount(out, animation.steps.size());
    for (const Animation& animation : model.animations) putPackedSigned(out, animation.loops);
    std::vector<const AnimStep*> steps;
    for (size_t a = 0; a < model.animations.size(); ++a)
        for (size_t s = 0; s < model.animations[a].steps.size(); ++s) {
            const AnimStep& step = model.animations[a].steps[s];
            const int32_t index = durationIndex(durations, step.duration, animationName(a) + ", step " + std::to_string(s));
            putPackedUnsigned(out, index | step.hold << 6 | (step.tween ? 1 : 0) << 8);
            steps.push_back(&step);
        }
    for (const AnimStep* step : steps) putPackedUnsigned(out, step->frame);
    for (const AnimStep* step : steps) putPackedSigned(out, step->x);
    for (const AnimStep* step : steps) putPackedSigned(out, step->y);
}

void encodeFrames(Bytes& out, const AnimSetModel& model) {
    putU16(out, uint32_t(model.frames.size()));
    std::vector<const AnimModule*> modules;
    std::vector<const AnimBox*> boxes;
    for (const AnimFrame& frame : model.frames) {
        putCount(out, frame.modules.size());
        for (const AnimModule& module : frame.modules) modules.push_back(&module);
        for (const AnimBox& box : frame.boxes) boxes.push_back(&box);
    }
    for (size_t group = 0; group < modules.size(); group += 4) {
        int32_t flips = 0;
        for (size_t j = 0; j < 4 && group + j < modules.size(); ++j) flips |= modules[group + j]->flip << (6 - 2 * j);
        putPackedUnsigned(out, flips);
    }
    for (const AnimModule* module : modules) putPackedUnsigned(out, module->gob);
    for (const AnimModule* module : modules) putPackedSigned(out, module->x);
    for (const AnimModule* module : modules) putPackedSigned(out, module->y);
    for (const AnimFrame& frame : model.frames) putCount(out, frame.boxes.size());
    for (const AnimBox* box : boxes) putPackedSigned(out, box->x);
    for (const AnimBox* box : boxes) putPackedSigned(out, box->y);
    for (const AnimBox* box : boxes) putPackedUnsigned(out, box->width);
    for (const AnimBox* box : boxes) putPackedUnsigned(out, box->height);
    for (const AnimBox* box : boxes) putPackedUnsigned(out, box->type | (box->circular ? 32 : 0));
}

}  // namespace

void putPackedUnsigned(Bytes& out, int32_t value) {
    if (value < 0 || value > 0xFFFF) throw std::invalid_argument("packed unsigned value out of range: " + std::to_string(value));
    if (value < 0xFF) {
        out.push_back(uint8_t(value));
        return;
    }
    out.push_back(0xFF);
    putU16(out, uint32_t(value));
}

void putPackedSigned(Bytes& out, int32_t value) {
    if (value < -0x8000 || value > 0x7FFF) throw std::invalid_argument("packed signed value out of range: " + std::to_string(value));
    if (value >= -127 && value <= 127) {
        out.push_back(uint8_t(value));
        return;
    }
    out.push_back(0x80);
    putU16(out, uint32_t(value) & 0xFFFF);
}

Bytes encodeAnimSet(const AnimSetModel& model) {
    if (model.animations.size() > kMaxTotal) throw std::invalid_argument("more than 65535 animations");
    if (model.frames.size() > kMaxTotal) throw std::invalid_argument("more than 65535 frames");
    for (size_t f = 0; f < model.frames.size(); ++f) checkFrame(model.frames[f], f);
    for (size_t a = 0; a < model.animations.size(); ++a) checkAnimation(model.animations[a], a, model.frames.size());
    requireTotal(model.animations, [](const Animation& a) { return a.steps.size(); }, "animation steps");
    requireTotal(model.frames, [](const AnimFrame& f) { return f.modules.size(); }, "modules");
    requireTotal(model.frames, [](const AnimFrame& f) { return f.boxes.size(); }, "boxes");
    Bytes out{0};
    std::vector<int32_t> durations;
    encodeAnimations(out, model, durations);
    encodeFrames(out, model);
    putU16(out, uint32_t(durations.size()));
    for (int32_t duration : durations) putPackedUnsigned(out, duration);
    return out;
}

}  // namespace packwriter
