#include "src/kv/kv_AnimSet.h"

#include <algorithm>

#include "lib_src/vm/VMException.h"
#include "pb_src/j2me/java_io_IOException.h"
#include "pb_src/j2me/java_lang_ArrayIndexOutOfBoundsException.h"
#include "pb_src/j2me/java_lang_NullPointerException.h"
#include "pb_src/j2me/java_lang_String.h"
#include "src/kv/kv_Frame.h"
#include "src/kv/kv_Gob.h"
#include "src/kv/kv_Resources.h"

// Stream layout (big-endian; "unsigned" and "signed" are the packed number forms):
//   u8 ignored; u16 A; A unsigned animation lengths; A signed loop counts;
//   N unsigned timing values (bits 0-5 duration index, 6-7 hold level, 8-9 tween);
//   placement of the N animation frames (frame indexes, x offsets, y offsets);
//   u16 F; F unsigned module counts; module flips four to a value (bits 7-6 first);
//   placement of the M modules (gob indexes, x offsets, y offsets);
//   F unsigned box counts; B signed x; B signed y; B unsigned widths; B unsigned heights;
//   B unsigned types (bit 5: circular); u16 D; D unsigned durations.

namespace kv {

VM_DEFINE_CLASS(AnimSet, "kv.AnimSet", "java.lang.Object", &AnimSet::_VM_clinit)

VMPtr<::java::io::DataInputStream> AnimSet::stream{VMStaticScope::instance()};
VMPtr<AnimSet::IntArray> AnimSet::boundsScratch{VMStaticScope::instance()};

namespace {

constexpr int32_t kMaxTotal = 0xFFFF;
constexpr int32_t kMaxAnimationLength = 1023;
constexpr int32_t kMaxPerFrame = 255;
constexpr int32_t kMaxIndex = 1023;
constexpr int32_t kMaxTiming = 1023;
constexpr int32_t kMaxBoxSide = 1023;
constexpr int32_t kMaxBoxTypeValue = 63;
constexpr int32_t kEmptyEdge = 0x7FFFFFFF;

[[noreturn]] void refuse(const char* what, int64_t value) {
    vm::throwNew<::java::io::IOException>(::java::lang::String::withNumber(what, value));
}

int32_t require(int32_t value, int32_t max, const char* what) {
    if (value > max) refuse(what, value);
    return value;
}

// Sign-extends the bits [low, low + width) of word.
int32_t field(int32_t word, int32_t low, int32_t width) {
    return int32_t(uint32_t(word) << (32 - low - width)) >> (32 - width);
}

int32_t boxX(int32_t word) { return field(word, 21, 11); }
int32_t boxY(int32_t word) { return field(word, 10, 11); }

// Clears the reader's static stream however the read ends.
struct StreamScope {
    explicit StreamScope(VMPtr<::java::io::DataInputStream> in) { AnimSet::stream = in; }
    ~StreamScope() { AnimSet::stream = nullptr; }
};

// Running bounds of rectangles.
struct Bounds {
    int32_t minX = kEmptyEdge, minY = kEmptyEdge, maxX = int32_t(0x80000000), maxY = int32_t(0x80000000);
    bool empty = true;

    void add(int32_t x, int32_t y, int32_t w, int32_t h) {
        minX = std::min(minX, x);
        minY = std::min(minY, y);
        maxX = std::max(maxX, x + w);
        maxY = std::max(maxY, y + h);
        empty = false;
    }
    void writeTo(const VMPtr<VMArray<int32_t, 1>>& out) const {
        int32_t* o = &out->at(3) - 3;
        o[0] = minX;
        o[1] = minY;
        o[2] = empty ? 0 : maxX - minX;
        o[3] = empty ? 0 : maxY - minY;
    }
};

}  // namespace

void AnimSet::refuseIndex(int32_t index) { vm::throwNew<::java::lang::ArrayIndexOutOfBoundsException>(index); }

void AnimSet::_VM_clinit() { boundsScratch = IntArray::_VM_new(4); }

void AnimSet::_VM_mark(uint32_t flags) {
    vmMarkField(animations, flags);
    vmMarkField(gobs, flags);
    vmMarkField(durationCache, flags);
    vmMarkField(frames, flags);
    vmMarkField(modules, flags);
    vmMarkField(frameFirstBox, flags);
    vmMarkField(boxExtra, flags);
    vmMarkField(boxes, flags);
    vmMarkField(animFrames, flags);
    vmMarkField(durations, flags);
    vmMarkField(animFrameTiming, flags);
    vmMarkField(animationFrameCache, flags);
    vmMarkField(frameCache, flags);
}

// ---- reading ----

VMPtr<AnimSet> AnimSet::read(int32_t resourceId) {
    VMPtr<AnimSet> set = _VM_new();
    set->_VM_init();
    set->id = resourceId;
    StreamScope scope(Resources::getStream(resourceId));
    set->parse();
    return set;
}

int32_t AnimSet::readPackedUnsigned() {
    int32_t value = stream->readUnsignedByte();
    return value == 0xFF ? int32_t(stream->readChar()) : value;
}

int32_t AnimSet::readPackedSigned() {
    int32_t value = stream->readByte();
    return value == -128 ? int32_t(stream->readShort()) : value;
}

int32_t AnimSet::readCountTable(VMPtr<IntArray> table) {
    int32_t total = 0;
    for (int32_t i = 0; i < table->length; ++i) {
        int32_t count = readPackedUnsigned();
        table->elements()[i] = count | int32_t(uint32_t(total) << 16);
        total = require(total + count, kMaxTotal, "Animation set table too large ");
    }
    return total;
}

void AnimSet::readPlacementTable(VMPtr<IntArray> table) {
    int32_t* words = table->elements();
    for (int32_t i = 0; i < table->length; ++i)
        words[i] |= int32_t(uint32_t(require(readPackedUnsigned(), kMaxIndex, "Animation set index too large ")) << 22);
    for (int32_t i = 0; i < table->length; ++i) words[i] |= (readPackedSigned() & 0x3FF) << 12;
    for (int32_t i = 0; i < table->length; ++i) words[i] |= (readPackedSigned() & 0x3FF) << 2;
}

int32_t AnimSet::transformedY(int32_t x, int32_t y, int32_t w, int32_t h, int32_t flags) {
    if (flags & 4) return (flags & 2) ? -(x + w) : x;
    return (flags & 1) ? -(y + h) : y;
}

void AnimSet::parse() {
    stream->readUnsignedByte();
    readAnimations();
    readFrames();
    readBoxes();
    readDurations();
    checkIndexes();
}

void AnimSet::readAnimations() {
    const int32_t count = stream->readUnsignedShort();
    animations = IntArray::_VM_new(count);
    durationCache = IntArray::_VM_new(count);
    const int32_t total = readCountTable(animations);
    int32_t* words = animations->elements();
    for (int32_t i = 0; i < count; ++i) require(words[i] & 0xFFFF, kMaxAnimationLength, "Animation too long ");
    for (int32_t i = 0; i < count; ++i) words[i] |= (readPackedSigned() & 0x3F) << 10;
    animFrames = IntArray::_VM_new(total);
    animFrameTiming = ByteArray::_VM_new(total);
    for (int32_t i = 0; i < total; ++i) {
        const int32_t timing = require(readPackedUnsigned(), kMaxTiming, "Animation frame timing out of range ");
        animFrameTiming->elements()[i] = int8_t(timing & 0xFF);
        animFrames->elements()[i] = timing >> 8;
    }
    readPlacementTable(animFrames);
}

void AnimSet::readFrames() {
    const int32_t count = stream->readUnsignedShort();
    frames = IntArray::_VM_new(count);
    const int32_t total = readCountTable(frames);
    for (int32_t i = 0; i < count; ++i) require(frames->elements()[i] & 0xFFFF, kMaxPerFrame, "Too many modules in a frame ");
    modules = IntArray::_VM_new(total);
    for (int32_t group = 0; group < total; group += 4) {
        const int32_t flips = readPackedUnsigned();
        for (int32_t j = 0; j < 4 && group + j < total; ++j) modules->elements()[group + j] = (flips >> (6 - 2 * j)) & 3;
    }
    readPlacementTable(modules);
}

void AnimSet::readBoxes() {
    const int32_t frameCount = frames->length;
    frameFirstBox = CharArray::_VM_new(frameCount);
    int32_t total = 0;
    for (int32_t i = 0; i < frameCount; ++i) {
        const int32_t count = require(readPackedUnsigned(), kMaxPerFrame, "Too many boxes in a frame ");
        frames->elements()[i] |= count << 8;
        frameFirstBox->elements()[i] = char16_t(total);
        total = require(total + count, kMaxTotal, "Animation set table too large ");
    }
    boxes = IntArray::_VM_new(total);
    boxExtra = CharArray::_VM_new(total);
    int32_t* words = boxes->elements();
    char16_t* extra = boxExtra->elements();
    for (int32_t i = 0; i < total; ++i) words[i] = int32_t(uint32_t(readPackedSigned()) << 21);
    for (int32_t i = 0; i < total; ++i) words[i] |= (readPackedSigned() & 0x7FF) << 10;
    for (int32_t i = 0; i < total; ++i) words[i] |= require(readPackedUnsigned(), kMaxBoxSide, "Box too wide ");
    for (int32_t i = 0; i < total; ++i)
        extra[i] = char16_t(require(readPackedUnsigned(), kMaxBoxSide, "Box too high ") << 6);
    for (int32_t i = 0; i < total; ++i)
        extra[i] = char16_t(extra[i] | require(readPackedUnsigned(), kMaxBoxTypeValue, "Box type out of range "));
}

void AnimSet::readDurations() {
    const int32_t count = stream->readUnsignedShort();
    durations = CharArray::_VM_new(count);
    for (int32_t i = 0; i < count; ++i) durations->elements()[i] = char16_t(readPackedUnsigned());
}

// Every animation frame must name an existing frame and duration.
void AnimSet::checkIndexes() {
    for (int32_t i = 0; i < animFrames->length; ++i) {
        const int32_t frame = animFrameIndex(i), duration = animFrameTiming->elements()[i] & 63;
        if (frame >= frames->length) refuse("Animation frame names a missing frame ", frame);
        if (duration >= durations->length) refuse("Animation frame names a missing duration ", duration);
    }
}

// ---- queries ----
// The frame or animation index a caller passes is checked; the ranges of modules, boxes and
// animation frames it leads to were checked when the set was read.

int32_t AnimSet::getFrameCount() { return frames ? frames->length : 0; }

int32_t AnimSet::getAnimationCount() { return animations ? animations->length : 0; }

int32_t AnimSet::getAnimationLength(int32_t anim) { return entry(animations, anim) & 0x3FF; }

int32_t AnimSet::getModuleCount(int32_t frame) { return entry(frames, frame) & 0xFF; }

int32_t AnimSet::getBoxCount(int32_t frame) { return (entry(frames, frame) >> 8) & 0xFF; }

VMPtr<Frame> AnimSet::getFrame(int32_t frame) {
    entry(frames, frame);
    if (!frameCache) frameCache = FrameArray::_VM_new(frames->length);
    if (Frame* cached = frameCache->elements()[frame]) return cached;
    getFrameBounds(frame, 0, boundsScratch);
    VMPtr<Frame> built = Frame::_VM_new();
    built->_VM_init(this, frame, boundsScratch);
    frameCache->set(frame, built);
    return built;
}

VMPtr<Frame> AnimSet::getAnimationFrame(int32_t anim) {
    entry(animations, anim);
    if (!animationFrameCache) animationFrameCache = FrameArray::_VM_new(animations->length);
    if (Frame* cached = animationFrameCache->elements()[anim]) return cached;
    getAnimationBounds(anim, 0, boundsScratch);
    VMPtr<Frame> built = Frame::_VM_new();
    built->_VM_init(this, -anim, boundsScratch);
    built->wholeAnimation = true;
    animationFrameCache->set(anim, built);
    return built;
}

int32_t AnimSet::getAnimationDuration(int32_t anim) {
    if (anim < 0 || anim >= getAnimationCount()) return 0;
    int32_t& cached = durationCache->elements()[anim];
    if (cached == 0) {
        const int32_t word = animations->elements()[anim], first = int32_t(uint32_t(word) >> 16);
        for (int32_t k = first + (word & 0x3FF) - 1; k >= first; --k)
            cached += durations->elements()[animFrameTiming->elements()[k] & 63];
    }
    return cached;
}

Gob* AnimSet::gobOf(int32_t module) {
    const int32_t index = int32_t(uint32_t(module) >> 22);
    return gobs && index < gobs->length ? gobs->elements()[index] : nullptr;
}

int32_t AnimSet::getFrameModules(int32_t frame, int32_t flags, VMPtr<IntArray> out) {
    const int32_t word = entry(frames, frame), count = word & 0xFF, first = int32_t(uint32_t(word) >> 16);
    for (int32_t i = 0, at = 0; i < count && at + 4 <= out->length; ++i, at += 4) {
        const int32_t module = modules->elements()[first + i], f = (module & 3) ^ flags;
        int32_t* o = out->elements() + at;
        o[0] = int32_t(uint32_t(module) >> 22);
        o[1] = (f & 2) ? -offsetX(module) : offsetX(module);
        o[2] = (f & 1) ? -offsetY(module) : offsetY(module);
        o[3] = f;
    }
    return count;
}

void AnimSet::getFrameBounds(int32_t frame, int32_t flags, VMPtr<IntArray> out) {
    const int32_t word = entry(frames, frame), count = word & 0xFF, first = int32_t(uint32_t(word) >> 16);
    Bounds bounds;
    for (int32_t i = 0; i < count; ++i) {
        const int32_t module = modules->elements()[first + i], f = (module & 3) ^ flags;
        Gob* gob = gobOf(module);
        if (!gob) continue;
        int32_t x = gob->offsetX + offsetX(module), y = gob->offsetY + offsetY(module);
        if (f & 2) x = -(gob->width + x);
        if (f & 1) y = -(gob->height + y);
        bounds.add(x, y, gob->width, gob->height);
    }
    bounds.writeTo(out);
}

void AnimSet::getAnimationBounds(int32_t anim, int32_t flags, VMPtr<IntArray> out) {
    const int32_t word = entry(animations, anim), count = word & 0x3FF, first = int32_t(uint32_t(word) >> 16);
    Bounds bounds;
    for (int32_t k = first; k < first + count; ++k) {
        const int32_t step = animFrames->elements()[k], ox = offsetX(step), oy = offsetY(step);
        VMPtr<Frame> frame = getFrame(int32_t(uint32_t(step) >> 22));
        const int32_t w = frame->getWidth(flags), h = frame->getHeight(flags);
        if (w < 1 || h < 1) continue;
        const int32_t dx = (flags & 4) ? ((flags & 1) ? -oy : oy) : ((flags & 2) ? -ox : ox);
        bounds.add(frame->getX(flags) + dx, frame->getY(flags) + transformedY(ox, oy, 0, 0, flags), w, h);
    }
    bounds.writeTo(out);
}

int32_t AnimSet::getCollisionRectsOfType(int32_t frame, int32_t flags, VMPtr<IntArray> out, int32_t type) {
    const int32_t count = (entry(frames, frame) >> 8) & 0xFF, first = frameFirstBox->elements()[frame];
    int32_t written = 0;
    for (int32_t b = first; b < first + count && (written + 1) * 5 <= out->length; ++b) {
        const int32_t word = boxes->elements()[b], extra = boxExtra->elements()[b], boxType = extra & 31;
        if (type >= 0 && type != boxType) continue;
        const int32_t x = boxX(word), y = boxY(word), w = word & 0x3FF, h = extra >> 6;
        int32_t* o = out->elements() + written * 5;
        o[0] = (flags & 2) ? -(w + x) : x;
        o[1] = (flags & 1) ? -(y + h) : y;
        o[2] = w;
        o[3] = h;
        o[4] = boxType;
        ++written;
    }
    return written;
}

int32_t AnimSet::getCollisionBoxesOfType(int32_t frame, int32_t flags, VMPtr<BoxArray> out, int32_t type) {
    const int32_t count = (entry(frames, frame) >> 8) & 0xFF, first = frameFirstBox->elements()[frame];
    int32_t filled = 0;
    for (int32_t b = first; b < first + count && filled < out->length; ++b) {
        const int32_t word = boxes->elements()[b], extra = boxExtra->elements()[b], boxType = extra & 31;
        if (type >= 0 && type != boxType) continue;
        CollisionBox* box = out->elements()[filled++];
        if (!box) vm::throwNew<::java::lang::NullPointerException>();
        const int32_t x = boxX(word), y = boxY(word), w = word & 0x3FF, h = extra >> 6;
        if (flags & 4)
            box->setBounds((flags & 1) ? -(h + y) : y, transformedY(x, y, w, h, flags), h, w);
        else
            box->setBounds((flags & 2) ? -(w + x) : x, (flags & 1) ? -(h + y) : y, w, h);
        box->type = boxType;
        box->kind = (extra & 32) ? 4 : 3;
    }
    return filled;
}

void AnimSet::paintFrame(VMPtr<Graphics> g, int32_t frame, int32_t x, int32_t y, int32_t flags) {
    const int32_t word = entry(frames, frame), count = word & 0xFF, first = int32_t(uint32_t(word) >> 16);
    for (int32_t i = 0; i < count; ++i) {
        const int32_t module = modules->elements()[first + i], f = (module & 3) ^ flags;
        Gob* gob = gobOf(module);
        if (!gob) continue;
        // Moving the paint point by the module offset (mirrored with the picture) places the
        // gob exactly as shifting its own anchor offset by it would.
        const int32_t mx = offsetX(module), my = offsetY(module);
        gob->paint(g, x + ((f & 2) ? -mx : mx), y + ((f & 1) ? -my : my), f);
    }
}

void AnimSet::setGobs(VMPtr<GobArray> images) {
    if (images.get() == gobs.get()) return;
    gobs = images;
    frameCache = nullptr;
    animationFrameCache = nullptr;
}

VMPtr<AnimSet> AnimSet::withGobs(VMPtr<GobArray> images) {
    VMPtr<AnimSet> copy = _VM_new();
    copy->_VM_init();
    copy->id = id;
    copy->animations = animations;
    copy->durationCache = durationCache;
    copy->animFrameTiming = animFrameTiming;
    copy->animFrames = animFrames;
    copy->frameFirstBox = frameFirstBox;
    copy->frames = frames;
    copy->modules = modules;
    copy->boxes = boxes;
    copy->boxExtra = boxExtra;
    copy->durations = durations;
    copy->gobs = images;
    return copy;
}

}  // namespace kv
