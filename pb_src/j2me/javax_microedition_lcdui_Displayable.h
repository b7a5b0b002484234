#pragma once

// javax::microedition::lcdui::Displayable: the base of every screen object: title, ticker,
// commands and their listener, and the native displayable (set by the subclass). Its
// fields are read and written under the Display's displayLock, which is never held while
// application code runs. The dispatch slots are how the Display hands a displayable its
// events; here they do nothing but hand a size change to sizeChanged under callbackLock.
//
// Commands are packed at the front of `commands`: the array grows by four when full, and a
// removed command's slot takes the last command (their order is not kept).

#include <cstdint>

#include "lib_src/vm/VMArray.h"
#include "pb_src/j2me/java_lang_String.h"
#include "pb_src/j2me/javax_microedition_lcdui_CommandListener.h"
#include "pb_src/j2me/javax_microedition_lcdui_Graphics.h"

class HALDisplayable;

namespace javax::microedition::lcdui {

class Command;

class Displayable : public virtual ::java::lang::Object {
    VM_ABSTRACT_CLASS(Displayable, ::java::lang::Object)
    using CommandArray = VMArray<Command*, 1>;

    VMPtr<Displayable> _VM_init();
    void _VM_mark(uint32_t flags) override;

    virtual VMPtr<::java::lang::String> getTitle();
    // Reaches the platform only when the title changes (by equals; a null title always).
    virtual void setTitle(VMPtr<::java::lang::String> t);
    virtual VMPtr<::java::lang::Object> getTicker();
    // The platform shows the ticker's text (null clears it).
    virtual void setTicker(VMPtr<::java::lang::Object> t);
    virtual bool isShown();
    // NullPointerException for null; the platform hears of it also when already present.
    virtual void addCommand(VMPtr<Command> c);
    virtual void removeCommand(VMPtr<Command> c);
    virtual void setCommandListener(VMPtr<CommandListener> l);
    virtual int32_t getWidth();
    virtual int32_t getHeight();

    virtual void dispatchSizeChanged(int32_t w, int32_t h);
    virtual void dispatchPaint(VMPtr<Graphics> g) {}
    virtual void dispatchKeyPressed(int32_t keyCode) {}
    virtual void dispatchKeyRepeated(int32_t keyCode) {}
    virtual void dispatchKeyReleased(int32_t keyCode) {}
    virtual void dispatchPointerPressed(int32_t x, int32_t y) {}
    virtual void dispatchPointerReleased(int32_t x, int32_t y) {}
    virtual void dispatchPointerDragged(int32_t x, int32_t y) {}
    virtual void dispatchShowNotify() {}
    virtual void dispatchHideNotify() {}
    virtual void sizeChanged(int32_t w, int32_t h) {}
    // The command's index, or -1 when it was already there.
    virtual int32_t addCommandToArray(VMPtr<Command> c);
    // The index the command had, or -1 when it was not there.
    virtual int32_t removeCommandFromArray(VMPtr<Command> c);

    bool fullScreenMode = false;
    VMPtr<CommandArray> commands{vmField()};
    int32_t commandCount = 0;
    VMPtr<CommandListener> listener{vmField()};
    VMPtr<::java::lang::String> title{vmField()};
    // The system defines no ticker class: any object whose text (toString) is shown.
    VMPtr<::java::lang::Object> ticker{vmField()};
    HALDisplayable* nativeHandle = nullptr;
};

}  // namespace javax::microedition::lcdui
