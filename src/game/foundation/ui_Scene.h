#pragma once

// ui::Scene: the base of every scene. The scene manager builds a scene by id, calls update
// with the frame time, hands it at most one pointer event a frame, paints it, and disposes
// it when it changes scenes. Every operation has a harmless default.

#include <array>
#include <cstdint>

#include "lib_src/vm/VMArray.h"
#include "pb_src/j2me/java_lang_String.h"
#include "pb_src/j2me/javax_microedition_lcdui_Graphics.h"
#include "src/kv/graphics/kv_graphics_CollisionBox.h"

namespace ui {

class Scene : public virtual ::java::lang::Object {
    VM_CLASS(Scene, ::java::lang::Object)
    using Graphics = ::javax::microedition::lcdui::Graphics;
    using Box = VMArray<int32_t, 1>;
    using BoxList = VMArray<int32_t, 2>;
    using String = ::java::lang::String;
    // What a kept text was written for: the values it shows and the language it is in.
    using TextKey = std::array<int32_t, 6>;
    static constexpr int32_t kKeptTextPlaces = 8;

    VMPtr<Scene> _VM_init() {
        Object::_VM_init();
        return this;
    }
    void _VM_mark(uint32_t flags) override {
        Object::_VM_mark(flags);
        vmMarkField(scratchBoxes, flags);
        vmMarkField(keptTexts, flags);
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

    // A text drawn on every frame, kept at `place` (0 to kKeptTextPlaces - 1) with the key it
    // was written for: `write` makes it only when nothing is kept there or the key differs, so
    // a key that names everything the text depends on (its values, the language) gives the
    // same text as writing it every frame.
    template <class Write> VMPtr<String> keptText(int32_t place, const TextKey& key, Write write) {
        if (!keptTexts) keptTexts = VMArray<String*, 1>::_VM_new(kKeptTextPlaces);
        if (String* kept = keptTexts->at(place); kept && keptTextKeys[size_t(place)] == key) return VMPtr<String>(kept);
        VMPtr<String> written = write();
        keptTexts->set(place, written);
        keptTextKeys[size_t(place)] = key;
        return written;
    }

    // The box arrays this scene fills again on every frame (InGameObject::clearedBoxes).
    VMPtr<VMArray<kv::graphics::CollisionBox*, 2>> scratchBoxes{vmField()};
    VMPtr<VMArray<String*, 1>> keptTexts{vmField()};
    std::array<TextKey, kKeptTextPlaces> keptTextKeys{};
};

}  // namespace ui
