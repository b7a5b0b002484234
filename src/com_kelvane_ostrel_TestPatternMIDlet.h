#pragma once

// com::kelvane::ostrel::TestPatternMIDlet: the program's MIDlet until the game's
// application class exists: it shows the test pattern canvas for the life of the program.

#include "pb_src/j2me/javax_microedition_midlet_MIDlet.h"

namespace com::kelvane::ostrel {

class TestPatternCanvas;

class TestPatternMIDlet : public ::javax::microedition::midlet::MIDlet {
    VM_CLASS(TestPatternMIDlet, ::javax::microedition::midlet::MIDlet)

    void _VM_mark(uint32_t flags) override;
    // Makes the canvas current (first start) or shows it again (a resume).
    void startApp() override;
    void pauseApp() override {}
    void destroyApp(bool) override {}

    VMPtr<TestPatternCanvas> canvas{vmField()};
};

}  // namespace com::kelvane::ostrel
