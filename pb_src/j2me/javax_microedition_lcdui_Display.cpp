#include "pb_src/j2me/javax_microedition_lcdui_Display.h"
#include "pb_src/j2me/javax_microedition_midlet_MIDlet.h"

#include "hal/base/FatalError.h"
#include "hal/display/Displays.h"
#include "hal/display/GraphicsContext.h"
#include "hal/profile/ProfileGraphics.h"
#include "lib_src/vm/VMEvents.h"
#include "lib_src/vm/VMException.h"
#include "lib_src/vm/VMMonitor.h"
#include "pb_src/j2me/java_lang_IllegalArgumentException.h"
#include "pb_src/j2me/java_lang_NullPointerException.h"
#include "pb_src/j2me/java_lang_Runnable.h"
#include "pb_src/j2me/java_lang_Throwable.h"
#include "pb_src/j2me/javax_microedition_lcdui_Alert.h"
#include "pb_src/j2me/javax_microedition_lcdui_Command.h"
#include "pb_src/j2me/javax_microedition_lcdui_CommandListener.h"
#include "pb_src/j2me/javax_microedition_lcdui_Displayable.h"

namespace javax::microedition::lcdui {

VM_DEFINE_CLASS(Display, "javax.microedition.lcdui.Display", "java.lang.Object", &Display::_VM_clinit)

VMPtr<::java::lang::Object> Display::displayLock{VMStaticScope::instance()};
VMPtr<::java::lang::Object> Display::callbackLock{VMStaticScope::instance()};
VMPtr<Display> Display::display{VMStaticScope::instance()};

namespace {

constexpr uint32_t kEveryEvent = 0x7FFFFFFF;
constexpr int kPaintRequest = 7;
constexpr int kCommandEvent = 15;

// The Displayable an event word names, as a handle (null for anything else).
VMPtr<Displayable> displayableIn(intptr_t word) {
    VMPtr<::java::lang::Object> object(reinterpret_cast<::java::lang::Object*>(word));
    return VMPtr<Displayable>(dynamic_cast<Displayable*>(object.get()));
}

VMPtr<::java::lang::Object> newMonitor() {
    VMPtr<::java::lang::Object> monitor = ::java::lang::Object::_VM_new();
    return monitor->_VM_init();
}

}  // namespace

void Display::_VM_clinit() {
    displayLock = newMonitor();
    callbackLock = newMonitor();
    VMPtr<Display> made = _VM_new();
    display = made->_VM_init();
}

::java::lang::Object* Display::lockForDisplay() {
    vm::ensureInitialized(_VM_getClass());
    return displayLock.get();
}

::java::lang::Object* Display::lockForCallbacks() {
    vm::ensureInitialized(_VM_getClass());
    return callbackLock.get();
}

VMPtr<Display> Display::_VM_init() {
    Object::_VM_init();
    int32_t color = 0, doubleBuffer = 0;
    HAL_getDisplayCapabilities(&color, &colorCount, &alphaLevelCount, &doubleBuffer);
    colorScreen = color != 0;
    doubleBuffered = doubleBuffer != 0;
    HAL_addEventListener(&Display::handleEvent, kEveryEvent, 1);
    return this;
}

void Display::_VM_mark(uint32_t flags) {
    vmMarkField(current, flags);
    vmMarkField(shown, flags);
    vmMarkField(pending, flags);
}

VMPtr<Display> Display::getDisplay(VMPtr<::javax::microedition::midlet::MIDlet>) {
    VM_SYNCHRONIZED(lockForDisplay());
    return display;
}

int32_t Display::getColor(int32_t specifier) {
    switch (specifier) {
    case COLOR_BACKGROUND:
    case COLOR_HIGHLIGHTED_BACKGROUND: return 0xFFFFFF;
    case COLOR_FOREGROUND:
    case COLOR_HIGHLIGHTED_FOREGROUND: return 0x000000;
    case COLOR_BORDER: return 0xAFAFAF;
    case COLOR_HIGHLIGHTED_BORDER: return 0x606060;
    default: vm::throwNew<::java::lang::IllegalArgumentException>();
    }
}

VMPtr<Displayable> Display::getCurrent() { return current ? current : pending; }

VMPtr<Displayable> Display::currentDisplayable() {
    VM_SYNCHRONIZED(displayLock.get());
    return current;
}

bool Display::_VM_isCurrent(Displayable* d) {
    VM_SYNCHRONIZED(displayLock.get());
    return foreground && d != nullptr && current.get() == d;
}

void Display::setCurrent(VMPtr<Displayable> d) {
    VM_SYNCHRONIZED(callbackLock.get());
    {
        VM_SYNCHRONIZED(displayLock.get());
        auto* alert = dynamic_cast<Alert*>(d.get());
        if (alert && d.get() != shown.get()) {
            if (dynamic_cast<Alert*>(shown.get())) vm::throwNew<::java::lang::IllegalArgumentException>();
            alert->setNext(shown);
        }
    }
    showNative(d);
}

void Display::setCurrent(VMPtr<Alert> alert, VMPtr<Displayable> next) {
    if (!alert || !next) vm::throwNew<::java::lang::NullPointerException>();
    if (dynamic_cast<Alert*>(next.get())) vm::throwNew<::java::lang::IllegalArgumentException>();
    VM_SYNCHRONIZED(callbackLock.get());
    {
        VM_SYNCHRONIZED(displayLock.get());
        alert->setNext(next);
    }
    showNative(alert);
}

// The caller holds callbackLock (and not displayLock): the platform dispatches the display
// change at once, and its notifications call the application.
void Display::showNative(const VMPtr<Displayable>& d) {
    HALDisplayable* native = nullptr;
    {
        VM_SYNCHRONIZED(displayLock.get());
        hasShown = bool(d);
        if (!d) return;
        shown = d;
        native = d->nativeHandle;
    }
    HAL_setCurrentDisplayable(native);
}

void Display::handleDisplayChange(const VMPtr<Displayable>& d) {
    VM_SYNCHRONIZED(callbackLock.get());
    VMPtr<Displayable> old;
    {
        VM_SYNCHRONIZED(displayLock.get());
        if (current.get() == d.get()) return;
        old = current;
        current = nullptr;
        pending = d;
    }
    // The switch completes also when a notification throws, unless a notification switched
    // on to another displayable, which is then current.
    struct Complete {
        Display* self;
        const VMPtr<Displayable>& target;
        ~Complete() {
            VM_SYNCHRONIZED(displayLock.get());
            if (self->pending.get() != target.get()) return;
            self->current = target;
            self->pending = nullptr;
        }
    } complete{this, d};
    if (old) old->dispatchHideNotify();
    if (d) d->dispatchShowNotify();
}

void Display::setForeground(bool f) {
    VM_SYNCHRONIZED(callbackLock.get());
    VMPtr<Displayable> target;
    {
        VM_SYNCHRONIZED(displayLock.get());
        if (f == foreground) return;
        foreground = f;
        target = current;
    }
    if (!target) return;
    if (f) target->dispatchShowNotify();
    else target->dispatchHideNotify();
}

void Display::handleCommandEvent(intptr_t id) {
    VMPtr<Command> command;
    VMPtr<Displayable> target;
    VMPtr<CommandListener> listener;
    {
        VM_SYNCHRONIZED(displayLock.get());
        if (!current || !current->listener || !current->commands) return;
        for (int32_t i = 0; i < current->commandCount && !command; ++i) {
            Command* candidate = current->commands->elements()[i];
            if (candidate && reinterpret_cast<intptr_t>(candidate->nativeId) == id) command = candidate;
        }
        target = current;
        listener = current->listener;
    }
    if (!command) return;
    VM_SYNCHRONIZED(callbackLock.get());
    try {
        listener->commandAction(command, target);
    } catch (::java::lang::Throwable* caught) {
        VMPtr<::java::lang::Throwable> dropped(caught);
    } catch (...) {
        HAL_fatalError("Unexpected exception in handleCommandEvent()!");
    }
}

// Keys and pointer go to the displayable current when callbackLock is taken, so none
// reaches a displayable after its hide notification.
void Display::dispatchInput(int type, const intptr_t* words, int wordCount) {
    const bool isKey = type >= kEventKeyPressed && type <= kEventKeyRepeated;
    if (wordCount < (isKey ? 1 : 2)) return;
    const auto first = int32_t(words[0]);
    const auto second = isKey ? 0 : int32_t(words[1]);
    VM_SYNCHRONIZED(callbackLock.get());
    VMPtr<Displayable> target = currentDisplayable();
    if (!target) return;
    switch (type) {
    case kEventKeyPressed: target->dispatchKeyPressed(first); break;
    case kEventKeyReleased: target->dispatchKeyReleased(first); break;
    case kEventKeyRepeated: target->dispatchKeyRepeated(first); break;
    case kEventPointerPressed: target->dispatchPointerPressed(first, second); break;
    case kEventPointerReleased: target->dispatchPointerReleased(first, second); break;
    case kEventPointerDragged: target->dispatchPointerDragged(first, second); break;
    default: break;
    }
}

int Display::handleEvent(int type, int wordCount, void* payload) {
    const auto* words = static_cast<const intptr_t*>(payload);
    if (words == nullptr) wordCount = 0;
    // Handles first: nothing below may see a raw pointer across an allocation.
    VMPtr<Displayable> subject;
    if (wordCount >= 1 && (type == kEventDisplayChanged || type == kEventSizeChanged)) subject = displayableIn(words[0]);
    if (wordCount >= 4 && type == kPaintRequest) subject = displayableIn(words[1]);
    VMPtr<Display> self = display;
    if (!self) return 0;
    switch (type) {
    case kEventPause: self->setForeground(false); break;
    case kEventResume: self->setForeground(true); break;
    case kEventDisplayChanged:
        if (wordCount >= 1) self->handleDisplayChange(subject);
        break;
    case kEventSizeChanged:
        if (subject && wordCount >= 3) subject->dispatchSizeChanged(int32_t(words[1]), int32_t(words[2]));
        break;
    case kEventKeyPressed:
    case kEventKeyReleased:
    case kEventKeyRepeated:
    case kEventPointerPressed:
    case kEventPointerReleased:
    case kEventPointerDragged: self->dispatchInput(type, words, wordCount); break;
    case kPaintRequest:
        if (subject) self->paintRequested(subject, reinterpret_cast<HALGraphics*>(words[0]), int32_t(words[2]), int32_t(words[3]));
        break;
    case kCommandEvent:
        if (wordCount >= 1) self->handleCommandEvent(words[0]);
        break;
    default: break;  // 3, 4 and 14 are not the display's
    }
    return 0;
}

// The Graphics owns the request's context until it lets it go after the paint.
void Display::paintRequested(const VMPtr<Displayable>& target, HALGraphics* context, int32_t w, int32_t h) {
    VMPtr<Graphics> g;
    try {
        g = Graphics::_VM_new();
    } catch (...) {
        HAL_deleteGraphics(context);
        throw;
    }
    g->_VM_init(context, w, h);
    struct Release {
        Graphics* graphics;
        ~Release() { HAL_releaseImageGraphics(graphics); }
    } release{g.get()};
    target->dispatchPaint(g);
}

void Display::callSerially(VMPtr<::java::lang::Runnable> r) {
    if (!r) vm::throwNew<::java::lang::NullPointerException>();
    if (HAL_callSerially(&Display::callSerially_run, r.get()) != 0) HAL_fatalError("Call to HAL_callSerially() failed!");
}

void Display::callSerially_run(::java::lang::Object* runnable) {
    VMPtr<::java::lang::Runnable> r(dynamic_cast<::java::lang::Runnable*>(runnable));
    if (!r) return;
    VM_SYNCHRONIZED(lockForCallbacks());
    try {
        r->run();
    } catch (::java::lang::Throwable* caught) {
        VMPtr<::java::lang::Throwable> dropped(caught);
    } catch (...) {
        HAL_fatalError("Unexpected exception in callSerially_run()!");
    }
}

bool Display::vibrate(int32_t duration) {
    if (duration < 0) vm::throwNew<::java::lang::IllegalArgumentException>();
    {
        VM_SYNCHRONIZED(displayLock.get());
        if (!foreground) return false;
    }
    return _returnZero() != 0;
}

}  // namespace javax::microedition::lcdui
