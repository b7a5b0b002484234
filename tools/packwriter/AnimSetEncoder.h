#pragma once

// The animation-set encoder: turns a plain model of frames and animations into the bytes of
// an animation-set pack entry. The model is what a content description says, in its own
// units; the encoder builds the packed tables (counts, flips four to a byte, the duration
// table, the packed number forms with their escapes) and refuses, with
// std::invalid_argument naming the frame or animation at fault, anything the format cannot
// hold.

#include <cstdint>
#include <string>
#include <vector>

#include "tools/packwriter/PackWriter.h"

namespace packwriter {

// One gob placed in a frame.
struct AnimModule {
    int32_t gob = 0;   // index into the gob array the set is given (0..1023)
    int32_t x = 0;     // offset added to the gob's own anchor offset (-512..511)
    int32_t y = 0;     // (-512..511)
    int32_t flip = 0;  // bit 0 vertical mirror, bit 1 horizontal mirror (0..3)
    bool operator==(const AnimModule&) const = default;
};

// One typed collision box of a frame, relative to the frame's anchor.
struct AnimBox {
    int32_t x = 0;       // -1024..1023
    int32_t y = 0;       // -1024..1023
    int32_t width = 0;   // 0..1023
    int32_t height = 0;  // 0..1023
    int32_t type = 0;    // purpose number (0..31)
    bool circular = false;
    bool operator==(const AnimBox&) const = default;
};

// A frame: modules drawn in order (later on top) and boxes (at most 255 of each).
struct AnimFrame {
    std::vector<AnimModule> modules;
    std::vector<AnimBox> boxes;
    bool operator==(const AnimFrame&) const = default;
};

// One step of an animation: a frame shown for a time at a movement offset.
struct AnimStep {
    int32_t frame = 0;     // index into the set's frames (0..1023)
    int32_t duration = 0;  // time units (milliseconds in the game), 0..65535; at most 64
                           // distinct durations per set
    int32_t hold = 0;      // hold level 0..3 (3 stops an update at this step)
    bool tween = false;    // interpolate the offset towards the next step
    int32_t x = 0;         // cumulative movement offset since the animation's start (-512..511)
    int32_t y = 0;
    bool operator==(const AnimStep&) const = default;
};

struct Animation {
    std::vector<AnimStep> steps;  // at most 1023
    int32_t loops = 1;            // plays (1..31); negative: endless (-32..-1); 0: stopped
    bool operator==(const Animation&) const = default;
};

// A whole set. Totals of animation steps, modules and boxes are each at most 65535.
struct AnimSetModel {
    std::vector<AnimFrame> frames;
    std::vector<Animation> animations;
    bool operator==(const AnimSetModel&) const = default;
};

// The entry bytes of the set.
Bytes encodeAnimSet(const AnimSetModel& model);

// The packed number forms: 0..254 in one byte, else 0xFF and a 16-bit value; -127..127 in
// one byte, else 0x80 and a 16-bit signed value.
void putPackedUnsigned(Bytes& out, int32_t value);
void putPackedSigned(Bytes& out, int32_t value);

}  // namespace packwriter
