#pragma once

// javax::microedition::lcdui::Canvas: the low-level displayable. It owns its platform
// canvas (deleted with it) and turns the Display's dispatch slots into the application's
// paint, key, pointer and visibility callbacks, each under the Display's callbackLock.
// With suppressKeyEvents set (a GameCanvas asks for it), keys that have a game action reach
// no key callback.

#include <cstdint>

#include "pb_src/j2me/javax_microedition_lcdui_Displayable.h"

namespace javax::microedition::lcdui {

class Canvas : public Displayable {
    VM_ABSTRACT_CLASS(Canvas, Displayable)

    static constexpr int32_t UP = 1, LEFT = 2, RIGHT = 5, DOWN = 6, FIRE = 8, GAME_A = 9, GAME_B = 10,
                             GAME_C = 11, GAME_D = 12;

    // Creates the platform canvas under displayLock and reads the capabilities.
    VMPtr<Canvas> _VM_init();
    ~Canvas() override;

    void dispatchPaint(VMPtr<Graphics> g) override;
    void dispatchKeyPressed(int32_t keyCode) override;
    void dispatchKeyRepeated(int32_t keyCode) override;
    void dispatchKeyReleased(int32_t keyCode) override;
    void dispatchPointerPressed(int32_t x, int32_t y) override;
    void dispatchPointerReleased(int32_t x, int32_t y) override;
    void dispatchPointerDragged(int32_t x, int32_t y) override;
    void dispatchShowNotify() override;
    void dispatchHideNotify() override;

    virtual bool isDoubleBuffered() { return doubleBuffered; }
    virtual bool hasPointerEvents() { return pointerEvents; }
    virtual bool hasPointerMotionEvents() { return pointerMotionEvents; }
    virtual bool hasRepeatEvents() { return repeatEvents; }
    // IllegalArgumentException for an action without a key (GAME_A to GAME_D among them).
    virtual int32_t getKeyCode(int32_t gameAction);
    // "" for a key without a name.
    virtual VMPtr<::java::lang::String> getKeyName(int32_t keyCode);
    // 0 for a key without a game action.
    virtual int32_t getGameAction(int32_t keyCode);
    virtual void setFullScreenMode(bool mode);

    virtual void paint(VMPtr<Graphics> g) = 0;
    virtual void keyPressed(int32_t keyCode) {}
    virtual void keyRepeated(int32_t keyCode) {}
    virtual void keyReleased(int32_t keyCode) {}
    virtual void pointerPressed(int32_t x, int32_t y) {}
    virtual void pointerReleased(int32_t x, int32_t y) {}
    virtual void pointerDragged(int32_t x, int32_t y) {}
    virtual void showNotify() {}
    virtual void hideNotify() {}

    bool isKeyEventDelivered(int32_t keyCode);

    bool suppressKeyEvents = false;
    bool pointerEvents = false;
    bool pointerMotionEvents = false;
    bool repeatEvents = false;
    bool doubleBuffered = false;
};

}  // namespace javax::microedition::lcdui
