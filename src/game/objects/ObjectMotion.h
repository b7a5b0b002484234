#pragma once

// Helpers the in-game objects share: a coordinate that keeps the fraction of its steps
// between frames (a slow object moving under a pixel a frame still moves), a clamped
// ground lookup, and selecting an animation without restarting the one already shown.

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "lib_src/vm/VMArray.h"
#include "src/kv/kv_AnimPlayer.h"

namespace InGameObject {

using IntArray = VMArray<int32_t, 1>;

// A position in whole pixels plus the part of a pixel its steps have not yet made up.
struct Coordinate {
    double value = 0;
    void set(int32_t v) { value = v; }
    void add(double step) { value += step; }
    int32_t pixels() const { return int32_t(std::floor(value)); }
    void clamp(int32_t low, int32_t high) { value = std::clamp(value, double(low), double(high)); }
};

// The ground height under column x; columns outside the array read its nearest end.
inline int32_t groundAt(const VMPtr<IntArray>& ground, int32_t x, int32_t fallback) {
    if (!ground || ground->length == 0) return fallback;
    return ground->at(std::clamp(x, 0, ground->length - 1));
}

// Shows the animation, restarting it only when another one was shown.
inline void showAnimation(const VMPtr<kv::AnimPlayer>& player, int32_t animation) {
    if (player->getAnimation() != animation) player->setAnimation(animation);
}

}  // namespace InGameObject
