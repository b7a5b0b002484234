#include "src/com_kelvane_ostrel_TestPatternMIDlet.h"

#include "src/com_kelvane_ostrel_TestPatternCanvas.h"
#include "pb_src/j2me/javax_microedition_lcdui_Display.h"

namespace com::kelvane::ostrel {

VM_DEFINE_CLASS(TestPatternMIDlet, "com.kelvane.ostrel.TestPatternMIDlet", "javax.microedition.midlet.MIDlet",
                VM_NO_CLINIT)

void TestPatternMIDlet::_VM_mark(uint32_t flags) {
    MIDlet::_VM_mark(flags);
    vmMarkField(canvas, flags);
}

void TestPatternMIDlet::startApp() {
    if (!canvas) {
        VMPtr<TestPatternCanvas> made = TestPatternCanvas::_VM_new();
        canvas = made->_VM_init();
    }
    ::javax::microedition::lcdui::Display::getDisplay(this)->setCurrent(canvas);
}

}  // namespace com::kelvane::ostrel
