#pragma once

// javax::microedition::lcdui::Display: the single screen manager. It keeps the current
// displayable, hands displayables to the platform, routes the platform's display events
// (display and size changes, keys, pointer, commands, pause and resume) to the current
// displayable, and runs serial calls.
//
// Two monitors: displayLock guards the Display's and every displayable's fields and is
// only ever held briefly, never while application code runs; callbackLock is held around
// every call into application code. Whoever needs both takes callbackLock first, so the
// two can never be taken in opposite orders by two threads. A display change holds
// callbackLock from the hand-over to the platform to the last notification, so changes
// from several threads reach the platform and the displayables in one order; while the
// notifications run, getCurrent answers the displayable being switched to (`pending`).
//
// Event payloads carry raw object pointers; the handler turns them into handles before
// anything can allocate.

#include <cstdint>

#include "lib_src/vm/VMClass.h"

class HALGraphics;

namespace java::lang {
class Runnable;
}
namespace javax::microedition::midlet {
class MIDlet;
}

namespace javax::microedition::lcdui {

class Alert;
class Displayable;

class Display : public virtual ::java::lang::Object {
    VM_CLASS(Display, ::java::lang::Object)

    static constexpr int32_t COLOR_BACKGROUND = 0, COLOR_FOREGROUND = 1, COLOR_HIGHLIGHTED_BACKGROUND = 2,
                             COLOR_HIGHLIGHTED_FOREGROUND = 3, COLOR_BORDER = 4, COLOR_HIGHLIGHTED_BORDER = 5;

    // Reads the capabilities and listens to every platform event (the middle list).
    VMPtr<Display> _VM_init();
    void _VM_mark(uint32_t flags) override;

    // The single Display (the MIDlet is not looked at).
    static VMPtr<Display> getDisplay(VMPtr<::javax::microedition::midlet::MIDlet> m);

    // IllegalArgumentException for a specifier outside 0 to 5.
    virtual int32_t getColor(int32_t specifier);
    // 0 (solid) when highlighted, else 1 (dotted).
    virtual int32_t getBorderStyle(bool highlighted) { return highlighted ? 0 : 1; }
    virtual bool isColor() { return colorScreen; }
    virtual int32_t numColors() { return colorCount; }
    virtual int32_t numAlphaLevels() { return alphaLevelCount; }
    // The current displayable, or the one being switched to; no lock taken.
    virtual VMPtr<Displayable> getCurrent();
    // NullPointerException for a null alert or next, IllegalArgumentException when next is
    // an Alert.
    virtual void setCurrent(VMPtr<Alert> alert, VMPtr<Displayable> next);
    // Null hands nothing to the platform; an Alert over another Alert is refused
    // (IllegalArgumentException).
    virtual void setCurrent(VMPtr<Displayable> d);
    // Queues r to run once on the UI thread, after the dispatch under way (NullPointerException
    // for null).
    virtual void callSerially(VMPtr<::java::lang::Runnable> r);
    // IllegalArgumentException for a negative duration; false in the background and on
    // this device, which has no vibrator.
    bool vibrate(int32_t duration);
    bool _VM_isCurrent(Displayable* d);

    // The platform's run entry of callSerially: r.run() under callbackLock; a managed
    // exception from it is dropped.
    static void callSerially_run(::java::lang::Object* runnable);
    // The listener of every platform event type.
    static int handleEvent(int type, int wordCount, void* words);

    // The two monitors (the class is initialised first).
    static ::java::lang::Object* lockForDisplay();
    static ::java::lang::Object* lockForCallbacks();

    static void _VM_clinit();
    static VMPtr<::java::lang::Object> displayLock;
    static VMPtr<::java::lang::Object> callbackLock;
    static VMPtr<Display> display;

    bool colorScreen = false;
    int32_t colorCount = 0;
    int32_t alphaLevelCount = 0;
    bool doubleBuffered = false;
    VMPtr<Displayable> current{vmField()};
    VMPtr<Displayable> shown{vmField()};
    VMPtr<Displayable> pending{vmField()};
    bool hasShown = false;
    bool foreground = true;

private:
    void showNative(const VMPtr<Displayable>& d);
    void handleDisplayChange(const VMPtr<Displayable>& d);
    void handleCommandEvent(intptr_t id);
    void paintRequested(const VMPtr<Displayable>& target, HALGraphics* context, int32_t w, int32_t h);
    void setForeground(bool f);
    void dispatchInput(int type, const intptr_t* words, int wordCount);
    // `current`, read under displayLock.
    VMPtr<Displayable> currentDisplayable();
};

}  // namespace javax::microedition::lcdui
