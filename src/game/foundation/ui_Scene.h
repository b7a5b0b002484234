#pragma once

// ui::Scene: the base of every scene. The scene manager builds a scene by id, calls update
// with the frame time, hands it at most one pointer event a frame, paints it, and disposes
// it when it changes scenes. Every operation has a harmless default.

#include <cstdint>

#include "lib_src/vm/VMArray.h"
#include "pb_src/j2me/javax_microedition_lcdui_Graphics.h"

namespace ui {

class Scene : public virtual ::java::lang::Object {
    VM_CLASS(Scene, ::java::lang::Object)
    using Graphics = ::javax::microedition::lcdui::Graphics;
    using Box = VMArray<int32_t, 1>;
    using BoxList = VMArray<int32_t, 2>;

    VMPtr<Scene> _VM_init() {
        Object::_VM_init();
        return this;
    }

    virtual void pause() {}
    virtual void update(int32_t dt) {}
    virtual void load() {}
    virtual void init() {}
    virtual void handleKeys() {}
    virtual bool isPaused() { return false; }
    // Whether the point lies in any of the boxes (each x, y, width, height).
    virtual bool isPointInBoxes(int32_t x, int32_t y, VMPtr<BoxList> boxes);
    // left <= x <= left + width and top <= y <= top + height: both edges are inside.
    virtual bool isPointInBox(int32_t x, int32_t y, VMPtr<Box> box);
    virtual void paint(VMPtr<Graphics> g) {}
    virtual void handlePointer() {}
    virtual bool isLoading() { return false; }
    virtual void dispose() {}
};

}  // namespace ui
