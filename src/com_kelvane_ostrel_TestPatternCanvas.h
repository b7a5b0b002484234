#pragma once

// com::kelvane::ostrel::TestPatternCanvas: colour bars over a vertical gradient, drawn
// through the profile into the canvas's screen buffer and flushed whenever the canvas is
// shown, so the window, the profile's drawing and the frame copy can be seen working.

#include "pb_src/j2me/javax_microedition_lcdui_game_GameCanvas.h"

namespace com::kelvane::ostrel {

class TestPatternCanvas : public ::javax::microedition::lcdui::game::GameCanvas {
    VM_CLASS(TestPatternCanvas, ::javax::microedition::lcdui::game::GameCanvas)

    VMPtr<TestPatternCanvas> _VM_init();
    void showNotify() override;
    void drawPattern();
};

}  // namespace com::kelvane::ostrel
