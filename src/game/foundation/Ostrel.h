#pragma once

// _KVC_default::Ostrel: the game's application class. Its first start builds the scene
// manager (the game's only canvas, whose loop thread starts with it) and makes it current;
// later starts resume it, pauses pause it, and destroying the application ends its loop.

#include "pb_src/j2me/javax_microedition_midlet_MIDlet.h"

namespace ui {
class SceneManager;
}

namespace _KVC_default {

class Ostrel : public ::javax::microedition::midlet::MIDlet {
    VM_CLASS(Ostrel, ::javax::microedition::midlet::MIDlet)

    void _VM_mark(uint32_t flags) override;
    void startApp() override;
    void pauseApp() override;
    void destroyApp(bool unconditional) override;

    VMPtr<ui::SceneManager> canvas{vmField()};
};

}  // namespace _KVC_default
