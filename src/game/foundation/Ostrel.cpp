#include "src/game/foundation/Ostrel.h"

#include "pb_src/j2me/javax_microedition_lcdui_Display.h"
#include "src/game/foundation/ui_SceneManager.h"

namespace _KVC_default {

VM_DEFINE_CLASS(Ostrel, "Ostrel", "javax.microedition.midlet.MIDlet", VM_NO_CLINIT)

void Ostrel::_VM_mark(uint32_t flags) {
    MIDlet::_VM_mark(flags);
    vmMarkField(canvas, flags);
}

void Ostrel::startApp() {
    if (canvas) {
        canvas->handleEvent(kv::KvCanvas::kEventResume);
    } else {
        VMPtr<ui::SceneManager> made = ui::SceneManager::_VM_new();
        canvas = made->_VM_init(this);
    }
    ::javax::microedition::lcdui::Display::getDisplay(this)->setCurrent(canvas);
}

void Ostrel::pauseApp() {
    if (canvas) canvas->handleEvent(kv::KvCanvas::kEventPause);
}

void Ostrel::destroyApp(bool) {
    if (canvas) canvas->endLoop();
}

}  // namespace _KVC_default
