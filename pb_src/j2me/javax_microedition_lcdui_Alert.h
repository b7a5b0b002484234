#pragma once

// javax::microedition::lcdui::Alert: a screen shown before another displayable; it keeps
// the displayable to return to. The system shows none.

#include "pb_src/j2me/javax_microedition_lcdui_Screen.h"

namespace javax::microedition::lcdui {

class Alert : public Screen {
    VM_CLASS(Alert, Screen)

    void _VM_mark(uint32_t flags) override;
    void setNext(VMPtr<Displayable> d);

    // Creates DISMISS_COMMAND (empty label, type OK, priority 0).
    static void _VM_clinit();
    static VMPtr<Command> DISMISS_COMMAND;

    VMPtr<Displayable> next{vmField()};
};

}  // namespace javax::microedition::lcdui
