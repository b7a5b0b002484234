#pragma once

// The platform functions that work on the profile's Graphics objects themselves rather
// than on a native context: drawing a screen buffer into a Graphics, resizing a Graphics to
// its surface, and letting go of a Graphics' native context. They sit above the profile's
// drawing classes and below everything that uses them. Results: 0 ok, 2 for a null
// Graphics (or buffer).

#include <cstdint>

class HALScreenBuffer;

namespace javax::microedition::lcdui {
class Graphics;
}

// Draws the whole buffer into the Graphics' context at its translation.
int HAL_paintScreenBuffer(javax::microedition::lcdui::Graphics* graphics, HALScreenBuffer* buffer);
// Width and height masked to 15 bits, translation 0,0, clip the whole size (pushed to the
// context).
int HAL_setGraphicsSize(javax::microedition::lcdui::Graphics* graphics, int32_t width, int32_t height);
// Deletes the native context the Graphics owns (releasing its hold on an image's pixels or
// its place in a screen buffer's client list) and clears the field; later drawing through
// the Graphics reaches no surface.
int HAL_releaseImageGraphics(javax::microedition::lcdui::Graphics* graphics);
