#pragma once

// A picture description: one JSON file naming a gob set, its sheet and the animation sets
// that draw its gobs. The SVG pictures it lists are rendered, trimmed and packed into the
// sheet; frames place gobs by name and carry typed boxes; animations step through frames
// with durations, holds, tweens, movement and a loop count. Every limit of the packed
// formats is checked here, with the file and the item named.

#include <string>
#include <vector>

#include "tools/contentc/Model.h"

namespace contentc {

struct PictureSet {
    Sheet sheet;
    GobSet gobSet;
    std::vector<AnimSet> animSets;
};

PictureSet readPictureSet(const std::string& file);

// Checks a resource id: a part of its own (1..), entry 0..1023; `what` names it in errors.
void checkResourceId(int64_t id, const std::string& file, const std::string& item);

}  // namespace contentc
