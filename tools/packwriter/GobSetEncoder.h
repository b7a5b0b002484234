#pragma once

// Gob sets for resource packs: the gob-set entry (image index, value block of ten fields
// stored column by column, optional alpha-type block) and its sheet image as a PNG in the
// same part. The encoder leaves out value groups that are 0 for every gob and stores each
// other field in one byte when every gob's value fits one (signed for the offsets and the
// collision position, unsigned for the rest), else in two; a value that fits neither, a
// picture outside the sheet, more than 4095 gobs or a block beyond its 16-bit length is
// refused with std::invalid_argument.

#include <cstdint>
#include <vector>

#include "tools/packwriter/PackWriter.h"

namespace packwriter {

// One gob: where its picture lies in the sheet and how it is placed and hit.
struct GobDescriptor {
    int32_t offsetX = 0, offsetY = 0;  // picture's top-left relative to the gob's position
    int32_t sheetX = 0, sheetY = 0;    // picture's top-left in the sheet
    int32_t width = 0, height = 0;     // picture size; 0 loads the gob without a picture
    int32_t collisionX = 0, collisionY = 0;  // collision rectangle, relative to the picture's top-left
    int32_t collisionWidth = 0, collisionHeight = 0;
    bool circular = false;  // the collision area is the circle inside the rectangle
    int32_t alphaType = 0;  // written only when the set carries alpha types: 0 the image's own, 1 to 3
};

struct GobSet {
    int32_t imageIndex = 0;  // entry index (0 to 1023) of the sheet image in the set's own part
    std::vector<GobDescriptor> gobs;
    bool withAlphaTypes = false;
};

// ARGB pixels, row by row.
struct Sheet {
    int32_t width = 1, height = 1;
    std::vector<uint32_t> argb = std::vector<uint32_t>(1, 0);
};

// The gob-set entry's bytes.
Bytes encodeGobSet(const GobSet& set);
// An 8-bit RGBA PNG of the sheet.
Bytes encodeSheetPng(const Sheet& sheet);
// Appends the sheet (type -3) and then the gob set naming it (type -1) to a part's entries;
// returns the gob set's entry index. Every picture must lie inside the sheet.
int32_t addGobSet(std::vector<Entry>& part, const Sheet& sheet, const std::vector<GobDescriptor>& gobs,
                  bool withAlphaTypes = false);

}  // namespace packwriter
