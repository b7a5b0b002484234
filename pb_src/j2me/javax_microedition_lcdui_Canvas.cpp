#include "pb_src/j2me/javax_microedition_lcdui_Canvas.h"

#include "hal/base/FatalError.h"
#include "hal/display/Displays.h"
#include "hal/input/KeyCodes.h"
#include "lib_src/vm/VMException.h"
#include "lib_src/vm/VMMonitor.h"
#include "pb_src/j2me/java_lang_IllegalArgumentException.h"
#include "pb_src/j2me/java_lang_String.h"
#include "pb_src/j2me/javax_microedition_lcdui_Display.h"

namespace javax::microedition::lcdui {

VM_DEFINE_ABSTRACT_CLASS(Canvas, "javax.microedition.lcdui.Canvas", "javax.microedition.lcdui.Displayable",
                         VM_NO_CLINIT)

namespace {

constexpr int32_t kKeyNameRoom = 16;

bool isGameAction(int32_t action) {
    switch (action) {
    case Canvas::UP: case Canvas::LEFT: case Canvas::RIGHT: case Canvas::DOWN: case Canvas::FIRE:
    case Canvas::GAME_A: case Canvas::GAME_B: case Canvas::GAME_C: case Canvas::GAME_D: return true;
    default: return false;
    }
}

}  // namespace

VMPtr<Canvas> Canvas::_VM_init() {
    Displayable::_VM_init();
    VM_SYNCHRONIZED(Display::lockForDisplay());
    if (HAL_createCanvas(&nativeHandle, this) != 0) HAL_fatalError("HAL_createCanvas() failed.");
    int32_t doubleBuffer = 0, pointer = 0, motion = 0, repeat = 0;
    HAL_getDisplayCapabilities(nullptr, nullptr, nullptr, &doubleBuffer);
    HAL_getCanvasCapabilities(&pointer, &motion, &repeat);
    doubleBuffered = doubleBuffer != 0;
    pointerEvents = pointer != 0;
    pointerMotionEvents = motion != 0;
    repeatEvents = repeat != 0;
    return this;
}

Canvas::~Canvas() {
    if (nativeHandle) HAL_deleteCanvas(nativeHandle);
}

void Canvas::dispatchPaint(VMPtr<Graphics> g) {
    VM_SYNCHRONIZED(Display::lockForCallbacks());
    paint(g);
}

void Canvas::dispatchKeyPressed(int32_t keyCode) {
    if (!isKeyEventDelivered(keyCode)) return;
    VM_SYNCHRONIZED(Display::lockForCallbacks());
    keyPressed(keyCode);
}

void Canvas::dispatchKeyRepeated(int32_t keyCode) {
    if (!isKeyEventDelivered(keyCode)) return;
    VM_SYNCHRONIZED(Display::lockForCallbacks());
    keyRepeated(keyCode);
}

void Canvas::dispatchKeyReleased(int32_t keyCode) {
    if (!isKeyEventDelivered(keyCode)) return;
    VM_SYNCHRONIZED(Display::lockForCallbacks());
    keyReleased(keyCode);
}

void Canvas::dispatchPointerPressed(int32_t x, int32_t y) {
    VM_SYNCHRONIZED(Display::lockForCallbacks());
    pointerPressed(x, y);
}

void Canvas::dispatchPointerReleased(int32_t x, int32_t y) {
    VM_SYNCHRONIZED(Display::lockForCallbacks());
    pointerReleased(x, y);
}

void Canvas::dispatchPointerDragged(int32_t x, int32_t y) {
    VM_SYNCHRONIZED(Display::lockForCallbacks());
    pointerDragged(x, y);
}

void Canvas::dispatchShowNotify() {
    VM_SYNCHRONIZED(Display::lockForCallbacks());
    showNotify();
}

void Canvas::dispatchHideNotify() {
    VM_SYNCHRONIZED(Display::lockForCallbacks());
    hideNotify();
}

int32_t Canvas::getKeyCode(int32_t gameAction) {
    const int32_t code = HAL_getKeyCode(gameAction);
    if (code == 0) vm::throwNew<::java::lang::IllegalArgumentException>();
    return code;
}

VMPtr<::java::lang::String> Canvas::getKeyName(int32_t keyCode) {
    char16_t name[kKeyNameRoom];
    int32_t length = kKeyNameRoom;
    if (!HAL_getKeyName(keyCode, name, &length)) vm::throwNew<::java::lang::IllegalArgumentException>();
    VMPtr<::java::lang::String> text = ::java::lang::String::_VM_new();
    return text->_VM_init(name, length);
}

int32_t Canvas::getGameAction(int32_t keyCode) {
    const int32_t action = HAL_getGameAction(keyCode);
    if (action == -1) vm::throwNew<::java::lang::IllegalArgumentException>();
    return action;
}

// The platform may answer with a size change, whose callback runs under callbackLock: it is
// taken first, and displayLock is let go before the platform is called.
void Canvas::setFullScreenMode(bool mode) {
    if (mode == fullScreenMode) return;
    VM_SYNCHRONIZED(Display::lockForCallbacks());
    {
        VM_SYNCHRONIZED(Display::lockForDisplay());
        if (mode == fullScreenMode) return;
        fullScreenMode = mode;
    }
    HAL_setDisplayableFullScreenMode(nativeHandle, mode ? 1 : 0);
}

bool Canvas::isKeyEventDelivered(int32_t keyCode) {
    if (!suppressKeyEvents) return true;
    const int32_t action = getGameAction(keyCode);
    return action < 1 || !isGameAction(action);
}

}  // namespace javax::microedition::lcdui
