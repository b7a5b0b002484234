#include "pb_src/j2me/javax_microedition_lcdui_Displayable.h"

#include "hal/base/FatalError.h"
#include "hal/display/Displays.h"
#include "lib_src/vm/VMException.h"
#include "lib_src/vm/VMMonitor.h"
#include "pb_src/j2me/java_lang_NullPointerException.h"
#include "pb_src/j2me/java_lang_String.h"
#include "pb_src/j2me/javax_microedition_lcdui_Command.h"
#include "pb_src/j2me/javax_microedition_lcdui_CommandListener.h"
#include "pb_src/j2me/javax_microedition_lcdui_Display.h"
#include "pb_src/j2me/javax_microedition_midlet_MIDlet.h"

namespace javax::microedition::lcdui {

VM_DEFINE_ABSTRACT_CLASS(Displayable, "javax.microedition.lcdui.Displayable", "java.lang.Object", VM_NO_CLINIT)

namespace {

constexpr int32_t kCommandGrowth = 4;

void showText(HALDisplayable* native, void (*show)(HALDisplayable*, const char16_t*, int32_t),
              const VMPtr<::java::lang::String>& text) {
    if (text) show(native, text->chars(), text->length());
    else show(native, nullptr, 0);
}

}  // namespace

VMPtr<Displayable> Displayable::_VM_init() {
    Object::_VM_init();
    return this;
}

void Displayable::_VM_mark(uint32_t flags) {
    vmMarkField(commands, flags);
    vmMarkField(listener, flags);
    vmMarkField(title, flags);
    vmMarkField(ticker, flags);
}

VMPtr<::java::lang::String> Displayable::getTitle() {
    VM_SYNCHRONIZED(Display::lockForDisplay());
    return title;
}

void Displayable::setTitle(VMPtr<::java::lang::String> t) {
    VM_SYNCHRONIZED(Display::lockForDisplay());
    if (title && t && title->equals(t)) return;
    title = t;
    showText(nativeHandle, &HAL_setDisplayableTitle, t);
}

VMPtr<::java::lang::Object> Displayable::getTicker() {
    VM_SYNCHRONIZED(Display::lockForDisplay());
    return ticker;
}

void Displayable::setTicker(VMPtr<::java::lang::Object> t) {
    VM_SYNCHRONIZED(Display::lockForDisplay());
    if (ticker.get() == t.get()) return;
    ticker = t;
    showText(nativeHandle, &HAL_setDisplayableTicker, t ? t->toString() : VMPtr<::java::lang::String>());
}

bool Displayable::isShown() {
    VMPtr<Display> display = Display::getDisplay(nullptr);
    return display && display->_VM_isCurrent(this);
}

void Displayable::addCommand(VMPtr<Command> c) {
    if (!c) vm::throwNew<::java::lang::NullPointerException>();
    VM_SYNCHRONIZED(Display::lockForDisplay());
    addCommandToArray(c);
    HAL_addDisplayableCommand(nativeHandle, c->nativeId);
}

void Displayable::removeCommand(VMPtr<Command> c) {
    VM_SYNCHRONIZED(Display::lockForDisplay());
    if (removeCommandFromArray(c) != -1) HAL_removeDisplayableCommand(nativeHandle, c->nativeId);
}

void Displayable::setCommandListener(VMPtr<CommandListener> l) {
    VM_SYNCHRONIZED(Display::lockForDisplay());
    listener = l;
}

int32_t Displayable::getWidth() {
    VM_SYNCHRONIZED(Display::lockForDisplay());
    int32_t width = 0;
    if (HAL_getDisplayableSize(nativeHandle, &width, nullptr) != 0) HAL_fatalError("HAL_getDisplayableSize() failed.");
    return width;
}

int32_t Displayable::getHeight() {
    VM_SYNCHRONIZED(Display::lockForDisplay());
    int32_t height = 0;
    if (HAL_getDisplayableSize(nativeHandle, nullptr, &height) != 0) HAL_fatalError("HAL_getDisplayableSize() failed.");
    return height;
}

void Displayable::dispatchSizeChanged(int32_t w, int32_t h) {
    VM_SYNCHRONIZED(Display::lockForCallbacks());
    sizeChanged(w, h);
}

int32_t Displayable::addCommandToArray(VMPtr<Command> c) {
    for (int32_t i = 0; i < commandCount; ++i)
        if (commands->elements()[i] == c.get()) return -1;
    if (!commands || commandCount == commands->length) {
        VMPtr<CommandArray> grown = CommandArray::_VM_new(commandCount + kCommandGrowth);
        for (int32_t i = 0; i < commandCount; ++i) grown->elements()[i] = commands->elements()[i];
        commands = grown;
    }
    commands->set(commandCount, c);
    return commandCount++;
}

int32_t Displayable::removeCommandFromArray(VMPtr<Command> c) {
    for (int32_t i = 0; i < commandCount; ++i) {
        if (commands->elements()[i] != c.get()) continue;
        --commandCount;
        commands->elements()[i] = commands->elements()[commandCount];
        commands->elements()[commandCount] = nullptr;
        return i;
    }
    return -1;
}

}  // namespace javax::microedition::lcdui
