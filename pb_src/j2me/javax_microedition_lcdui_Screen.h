#pragma once

// javax::microedition::lcdui::Screen: the base of the high-level displayables; it adds
// nothing to Displayable.

#include "pb_src/j2me/javax_microedition_lcdui_Displayable.h"

namespace javax::microedition::lcdui {

class Screen : public Displayable {
    VM_ABSTRACT_CLASS(Screen, Displayable)
};

}  // namespace javax::microedition::lcdui
