#pragma once

// kv::AnimSet: the animation data of one character or object, read from a resource of the
// open pack into flat tables of packed words: animations of animation frames (frame, time
// slot, hold level, tween flag, cumulative movement offset), frames of modules (a gob placed
// at an offset with a flip) and of typed collision boxes, and a duration table. The gobs
// come separately (setGobs). Frames are built on demand and cached.
//
// The reader refuses, with an IOException, a stream whose counts do not fit their packed
// fields or whose frame or duration indexes lie outside their tables; a stream that ends
// early raises EOFException. A module whose gob is missing (no gob array, an index past it
// or a null entry) is neither painted nor counted in the bounds.

#include "lib_src/vm/VMArray.h"
#include "pb_src/j2me/java_io_DataInputStream.h"
#include "pb_src/j2me/javax_microedition_lcdui_Graphics.h"
#include "src/kv/graphics/kv_graphics_CollisionBox.h"

namespace kv {

class Gob;
class Frame;

class AnimSet : public virtual ::java::lang::Object {
    VM_CLASS(AnimSet, ::java::lang::Object)
    using Graphics = ::javax::microedition::lcdui::Graphics;
    using DataInputStream = ::java::io::DataInputStream;
    using CollisionBox = graphics::CollisionBox;
    using IntArray = VMArray<int32_t, 1>;
    using CharArray = VMArray<char16_t, 1>;
    using ByteArray = VMArray<int8_t, 1>;
    using GobArray = VMArray<Gob*, 1>;
    using FrameArray = VMArray<Frame*, 1>;
    using BoxArray = VMArray<CollisionBox*, 1>;

    VMPtr<AnimSet> _VM_init() {
        Object::_VM_init();
        return this;
    }
    static void _VM_clinit();
    void _VM_mark(uint32_t flags) override;

    // Reads the set stored under the resource id (see the stream layout in the source).
    static VMPtr<AnimSet> read(int32_t resourceId);
    // 0..254 in one byte, or 255 followed by a 16-bit unsigned value.
    static int32_t readPackedUnsigned();
    // -127..127 in one byte, or -128 followed by a 16-bit signed value.
    static int32_t readPackedSigned();
    // Reads table->length counts; entry i becomes count | (start << 16). Answers the total.
    static int32_t readCountTable(VMPtr<IntArray> table);
    // ORs in, pass by pass over the table: the index at bit 22, the x offset at bit 12 and the
    // y offset at bit 2 (offsets as 10-bit fields).
    static void readPlacementTable(VMPtr<IntArray> table);
    // The top edge of the rectangle (x, y, w, h) under the transform.
    static int32_t transformedY(int32_t x, int32_t y, int32_t w, int32_t h, int32_t flags);

    virtual int32_t getFrameCount();
    virtual int32_t getAnimationLength(int32_t anim);
    // The cached frame of that index, built from its unflipped bounds on first request.
    virtual VMPtr<Frame> getFrame(int32_t frame);
    // Total duration of the animation; 0 for an index outside the table.
    virtual int32_t getAnimationDuration(int32_t anim);
    virtual int32_t getCollisionRects(int32_t frame, int32_t flags, VMPtr<IntArray> out) {
        return getCollisionRectsOfType(frame, flags, out, -1);
    }
    virtual int32_t getCollisionBoxes(int32_t frame, int32_t flags, VMPtr<BoxArray> out) {
        return getCollisionBoxesOfType(frame, flags, out, -1);
    }
    // Writes gob index, x, y and combined flip of each module while four slots remain;
    // answers the module count.
    virtual int32_t getFrameModules(int32_t frame, int32_t flags, VMPtr<IntArray> out);
    virtual int32_t getAnimationCount();
    // Left, top, width and height of the frame's modules under flags bits 0-1; a frame
    // without a drawable module gives 0x7FFFFFFF, 0x7FFFFFFF, 0, 0.
    virtual void getFrameBounds(int32_t frame, int32_t flags, VMPtr<IntArray> out);
    virtual int32_t getModuleCount(int32_t frame);
    // Attaches the images; frames built earlier are dropped, since their bounds depend on them.
    virtual void setGobs(VMPtr<GobArray> images);
    // Fills the existing boxes of out with the frame's boxes of the type (negative: all).
    virtual int32_t getCollisionBoxesOfType(int32_t frame, int32_t flags, VMPtr<BoxArray> out, int32_t type);
    // Writes rectangle records (x, y, width, height, type) of the frame's boxes of the type.
    virtual int32_t getCollisionRectsOfType(int32_t frame, int32_t flags, VMPtr<IntArray> out, int32_t type);
    // A set sharing every table of this one, drawing with the given gobs.
    virtual VMPtr<AnimSet> withGobs(VMPtr<GobArray> images);
    virtual int32_t getBoxCount(int32_t frame);
    virtual int32_t getId() { return id; }
    virtual VMPtr<GobArray> getGobs() { return gobs; }
    // Paints the frame's modules in table order (later ones on top) with the anchor at (x, y).
    virtual void paintFrame(VMPtr<Graphics> g, int32_t frame, int32_t x, int32_t y, int32_t flags);
    // The bounds of all the animation's frames placed at their offsets; empty frames are
    // left out.
    virtual void getAnimationBounds(int32_t anim, int32_t flags, VMPtr<IntArray> out);
    // The cached bounds frame of the animation (index -anim).
    virtual VMPtr<Frame> getAnimationFrame(int32_t anim);

    // A table entry, with the index check inlined (these lookups run for every box test); a
    // set that was never read has no tables and so no valid index.
    template <typename E> static E entry(const VMPtr<VMArray<E, 1>>& table, int32_t index) {
        if (!table || uint32_t(index) >= uint32_t(table->length)) refuseIndex(index);
        return table->elements()[index];
    }
    [[noreturn]] static void refuseIndex(int32_t index);

    // Field access of the packed words, shared with the player.
    int32_t animFrameIndex(int32_t animFrame) { return int32_t(uint32_t(entry(animFrames, animFrame)) >> 22); }
    static int32_t offsetX(int32_t word) { return int32_t(uint32_t(word) << 10) >> 22; }
    static int32_t offsetY(int32_t word) { return int32_t(uint32_t(word) << 20) >> 22; }
    int32_t durationOf(int32_t animFrame) { return durations->elements()[entry(animFrameTiming, animFrame) & 63]; }
    int32_t holdLevelOf(int32_t animFrame) { return (entry(animFrameTiming, animFrame) >> 6) & 3; }

    static VMPtr<DataInputStream> stream;
    static VMPtr<IntArray> boundsScratch;

    VMPtr<IntArray> animations{vmField()};
    VMPtr<GobArray> gobs{vmField()};
    VMPtr<IntArray> durationCache{vmField()};
    VMPtr<IntArray> frames{vmField()};
    VMPtr<IntArray> modules{vmField()};
    VMPtr<CharArray> frameFirstBox{vmField()};
    int32_t id = 0;
    VMPtr<CharArray> boxExtra{vmField()};
    VMPtr<IntArray> boxes{vmField()};
    VMPtr<IntArray> animFrames{vmField()};
    VMPtr<CharArray> durations{vmField()};
    VMPtr<ByteArray> animFrameTiming{vmField()};
    VMPtr<FrameArray> animationFrameCache{vmField()};
    VMPtr<FrameArray> frameCache{vmField()};

private:
    void parse();
    void readAnimations();
    void readFrames();
    void readBoxes();
    void readDurations();
    void checkIndexes();
    // The gob a module draws, or null when it is missing.
    Gob* gobOf(int32_t module);
};

}  // namespace kv
