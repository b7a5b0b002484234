#include "src/kv/kv_KvCanvas.h"

#include <algorithm>
#include <string>
#include <vector>

#include "hal/shell/Shell.h"
#include "lib_src/vm/VMException.h"
#include "lib_src/vm/VMMonitor.h"
#include "pb_src/j2me/java_lang_ArrayIndexOutOfBoundsException.h"
#include "pb_src/j2me/java_lang_Exception.h"
#include "pb_src/j2me/java_io_PrintStream.h"
#include "pb_src/j2me/java_lang_System.h"
#include "pb_src/j2me/java_lang_Thread.h"
#include "pb_src/j2me/java_lang_Throwable.h"
#include "pb_src/j2me/javax_microedition_lcdui_Display.h"
#include "pb_src/j2me/javax_microedition_lcdui_Graphics.h"
#include "pb_src/j2me/javax_microedition_rms_RecordStore.h"
#include "pb_src/j2me/javax_microedition_rms_RecordStoreNotFoundException.h"
#include "src/kv/FrameClock.h"
#include "src/kv/input/kv_input_PointerInputEventManager.h"
#include "src/kv/util/text/kv_util_text_RichFont.h"

namespace kv {

using java::lang::String;

VM_DEFINE_ABSTRACT_CLASS(KvCanvas, "kv.KvCanvas", "javax.microedition.lcdui.game.GameCanvas", VM_NO_CLINIT)
VM_IMPLEMENTS(KvCanvas, "java.lang.Runnable")

VMPtr<KvCanvas::ByteArray> KvCanvas::outputBuffer{VMStaticScope::instance()};
int32_t KvCanvas::outputPosition = 0;
VMPtr<KvCanvas::ByteArray> KvCanvas::entryData{VMStaticScope::instance()};
int32_t KvCanvas::entryOffset = 0;
VMPtr<KvCanvas> KvCanvas::instance{VMStaticScope::instance()};
bool KvCanvas::soundSwitch = false;
int8_t KvCanvas::soundSettings[3] = {};
bool KvCanvas::soundSettingsDone = false;
VMPtr<util::text::RichFont> KvCanvas::defaultRichFont{VMStaticScope::instance()};

namespace {

bool isNearMagenta(int32_t argb) {
    const int32_t r = (argb >> 16) & 0xFF, g = (argb >> 8) & 0xFF, b = argb & 0xFF;
    return r >= 0xF0 && g <= 0x0F && b >= 0xF0;
}

int32_t distance(int32_t a, int32_t b) {
    int32_t sum = 0;
    for (int32_t shift = 0; shift <= 16; shift += 8) {
        const int32_t d = ((a >> shift) & 0xFF) - ((b >> shift) & 0xFF);
        sum += d * d;
    }
    return sum;
}

// The index of the palette colour closest to colour (0 for an empty palette).
int32_t nearest(const int32_t* colours, int32_t used, int32_t colour) {
    int32_t best = 0;
    for (int32_t k = 1; k < used; ++k)
        if (distance(colours[k], colour) < distance(colours[best], colour)) best = k;
    return best;
}

}  // namespace

VMPtr<KvCanvas::Image> KvCanvas::createRGBImage(VMPtr<IntArray> argb, int32_t width, int32_t height, bool processAlpha) {
    return Image::createRGBImage(argb, width, height, processAlpha);
}

void KvCanvas::getRGB(VMPtr<Image> image, VMPtr<IntArray> argb, int32_t offset, int32_t scanlength, int32_t x,
                      int32_t y, int32_t width, int32_t height) {
    image->getRGB(argb, offset, scanlength, x, y, width, height);
}

bool KvCanvas::hasTranslucentPixel(VMPtr<IntArray> argb) {
    for (int32_t i = argb->length - 1; i >= 0; --i)
        if (uint32_t(argb->elements()[i]) >> 24 < 0xF0) return true;
    return false;
}

int32_t KvCanvas::getAlphaType(VMPtr<IntArray> argb, int32_t offset, int32_t scanlength, int32_t x, int32_t y,
                               int32_t width, int32_t height) {
    bool transparent = false;
    for (int32_t j = 0; j < height; ++j) {
        for (int32_t i = 0; i < width; ++i) {
            const uint32_t top = uint32_t(argb->at(offset + scanlength * (y + j) + x + i)) >> 28;
            if (top != 0xF && top != 0) return 3;
            if (top == 0) transparent = true;
        }
    }
    return transparent ? 2 : 1;
}

VMPtr<KvCanvas::ByteArray> KvCanvas::toIndexedPixels(VMPtr<Image> image, VMPtr<IntArray> palette) {
    const int32_t w = image->getWidth(), h = image->getHeight();
    VMPtr<IntArray> pixels = IntArray::_VM_new(w * h);
    image->getRGB(pixels, 0, w, 0, 0, w, h);
    const int32_t capacity = palette->length;
    int32_t* colours = palette->elements();
    int32_t used = 0;
    for (int32_t i = 0; i < w * h && capacity > 0; ++i) {
        if (isNearMagenta(pixels->elements()[i])) {
            colours[used++] = pixels->elements()[i] & 0xFFFFFF;
            break;
        }
    }
    VMPtr<ByteArray> indices = ByteArray::_VM_new(w * h);
    for (int32_t i = 0; i < w * h; ++i) {
        const int32_t colour = pixels->elements()[i] & 0xFFFFFF;
        int32_t index = -1;
        for (int32_t k = 0; k < used && index < 0; ++k)
            if (colours[k] == colour) index = k;
        if (index < 0 && used < capacity) {
            index = used;
            colours[used++] = colour;
        }
        if (index < 0) index = nearest(colours, used, colour);
        indices->elements()[i] = int8_t(index);
    }
    return indices;
}

void KvCanvas::put(int32_t value, int32_t count) {
    if (!outputBuffer || outputPosition < 0 || outputPosition > outputBuffer->length - count)
        vm::throwNew<java::lang::ArrayIndexOutOfBoundsException>(outputPosition);
    for (int32_t i = 0; i < count; ++i) outputBuffer->elements()[outputPosition++] = int8_t(value >> (8 * i));
}

void KvCanvas::putShortLE(int32_t value) { put(value, 2); }
void KvCanvas::putIntLE(int32_t value) { put(value, 4); }
void KvCanvas::putByte(int32_t value) { put(value, 1); }

void KvCanvas::appendNumber(VMPtr<java::lang::StringBuffer> sb, int32_t value, int32_t minDigits, int32_t at) {
    int64_t magnitude = value;
    if (magnitude < 0) {
        sb->insert(at++, u'-');
        magnitude = -magnitude;
    }
    std::string digits = std::to_string(magnitude);
    if (magnitude < 65536 && int32_t(digits.size()) < minDigits) digits.insert(0, size_t(minDigits) - digits.size(), '0');
    sb->insert(at, String::fromUtf8(digits.c_str()));
}

void KvCanvas::setEntry(VMPtr<ByteArray> data, int32_t offset) {
    entryData = data;
    entryOffset = offset;
}

VMPtr<KvCanvas::ByteArray> KvCanvas::loadRecord(int32_t slot) {
    using javax::microedition::rms::RecordStore;
    VMPtr<RecordStore> store;
    try {
        store = RecordStore::openRecordStore(String::valueOf(slot), false);
    } catch (javax::microedition::rms::RecordStoreNotFoundException* caught) {
        VMPtr<java::lang::Object> missing(caught);
        return nullptr;
    }
    VMPtr<IntArray> ids = store->getRecordIDs();
    std::vector<int32_t> order(ids->elements(), ids->elements() + ids->length);
    std::sort(order.begin(), order.end());
    int32_t total = 0;
    for (int32_t id : order) total += store->getRecordSize(id);
    VMPtr<ByteArray> joined = ByteArray::_VM_new(total);
    int32_t offset = 0;
    for (int32_t id : order) offset += store->getRecord(id, joined, offset);
    store->closeRecordStore();
    return joined;
}

VMPtr<util::text::RichFont> KvCanvas::getRichFont() {
    if (!defaultRichFont) {
        defaultRichFont = util::text::RichFont::_VM_new();
        defaultRichFont->_VM_init();
    }
    return defaultRichFont;
}

}  // namespace kv

namespace kv {

using input::PointerInputEventManager;
using javax::microedition::lcdui::Graphics;

VMPtr<KvCanvas> KvCanvas::_VM_init(VMPtr<MIDlet> owner) {
    GameCanvas::_VM_init(false);
    setFullScreenMode(true);
    midlet = owner;
    showSignal = java::lang::Object::_VM_new();
    setGameArea(0, 0);
    instance = this;
    VMPtr<java::lang::Thread> loop = java::lang::Thread::_VM_new();
    loop->_VM_init(VMPtr<java::lang::Runnable>(this), String::fromUtf8("GameLoop"));
    loop->start();
    return this;
}

void KvCanvas::_VM_mark(uint32_t flags) {
    GameCanvas::_VM_mark(flags);
    vmMarkField(midlet, flags);
    vmMarkField(showSignal, flags);
}

// Polls every 50 ms until the canvas is first shown; the first showing notifies showSignal,
// which ends the poll's wait at once.
void KvCanvas::awaitFirstShowing() {
    FrameClock& clock = FrameClock::current();
    do {
        clock.sleepUntilSet(kShowPollMillis, shownOnce, showSignal.get());
    } while (!shownOnce && loopState != kLoopEnd);
}

void KvCanvas::run() {
    awaitFirstShowing();
    try {
        if (loopState != kLoopEnd) runFrames();
    } catch (java::lang::Throwable* caught) {
        // Nothing may end the loop silently: a failure the game did not handle stops it.
        VMPtr<java::lang::Throwable> failure(caught);
        java::lang::System::err->println(("The game stopped: " + failure->toString()->toUtf8()).c_str());
        HAL_setExitCode(1);
        destroyOnEnd = true;
    }
    loopState = kLoopEnd;
    if (destroyOnEnd && midlet) midlet->notifyDestroyed();
}

void KvCanvas::runFrames() {
    FrameClock& clock = FrameClock::current();
    startLoop();
    int64_t last = clock.now();
    int64_t nextFrame = last;
    while (loopState != kLoopEnd) {
        const int64_t frameStart = clock.now();
        tick(int32_t(std::min<int64_t>(std::max<int64_t>(frameStart - last, 0), kMaxFrameMillis)));
        last = frameStart;
        if (loopState == kLoopEnd) break;
        if (!shown) {
            clock.sleep(kHiddenSleepMillis);
            nextFrame = clock.now();
            continue;
        }
        // Frames keep a steady 50 ms schedule; a frame later than one whole frame starts the
        // schedule afresh instead of running late frames back to back.
        nextFrame += kFrameMillis;
        const int64_t now = clock.now();
        if (now - nextFrame > kFrameMillis) nextFrame = now;
        clock.sleep(int32_t(std::max<int64_t>(nextFrame - now, 0)));
    }
}

void KvCanvas::startLoop() {
    if (started) return;
    started = true;
    loadStep(0);
}

void KvCanvas::tick(int32_t dt) {
    frameMillis = dt;
    elapsedMillis += dt;
    snapshotKeys();
    update(dt);
    if (!shown || loopState == kLoopEnd) return;
    VMPtr<Graphics> g = getGraphics();
    g->translate(gameX, gameY);
    paint(g);
    flushGraphics();
}

void KvCanvas::handleEvent(int32_t type) {
    switch (type) {
    case kEventPause:
        shown = false;
        loadStep(1);
        break;
    case kEventResume:
        shown = true;
        break;
    case kEventExit:
        destroyOnEnd = true;
        loopState = kLoopEnd;
        break;
    default:
        break;
    }
}

void KvCanvas::setGameArea(int32_t width, int32_t height) {
    const int32_t screenWidth = getWidth(), screenHeight = getHeight();
    gameWidth = width < 1 ? screenWidth : width;
    gameHeight = height < 1 ? screenHeight : height;
    gameX = (screenWidth - gameWidth) / 2;
    gameY = (screenHeight - gameHeight) / 2;
}

bool KvCanvas::isKeyPressed(int32_t index) const {
    return index >= 0 && index < input::kKeyIndexCount && keysPressed[index];
}

bool KvCanvas::isKeyHeld(int32_t index) const {
    return index >= 0 && index < input::kKeyIndexCount && keysHeld[index];
}

bool KvCanvas::isAnyKeyPressed() const {
    return std::any_of(std::begin(keysPressed), std::end(keysPressed), [](bool pressed) { return pressed; });
}

void KvCanvas::snapshotKeys() {
    for (int32_t i = 0; i < input::kKeyIndexCount; ++i) {
        keysPressed[i] = keysPressedSince[i];
        keysHeld[i] = keysDown[i] || keysPressedSince[i];
        keysPressedSince[i] = false;
    }
}

void KvCanvas::initSoundSettings() {
    if (soundSettingsDone) return;
    soundSettingsDone = true;
    soundSwitch = true;
    std::fill(std::begin(soundSettings), std::end(soundSettings), int8_t(1));
}

void KvCanvas::keyPressed(int32_t keyCode) {
    const int32_t index = input::keyIndexOf(keyCode);
    if (index < 0) return;
    keysDown[index] = true;
    keysPressedSince[index] = true;
}

void KvCanvas::keyReleased(int32_t keyCode) {
    const int32_t index = input::keyIndexOf(keyCode);
    if (index >= 0) keysDown[index] = false;
}

void KvCanvas::queuePointer(int8_t type, int32_t x, int32_t y) {
    PointerInputEventManager::addEvent(type, x - gameX, y - gameY);
}

void KvCanvas::pointerPressed(int32_t x, int32_t y) { queuePointer(PointerInputEventManager::PRESSED, x, y); }
void KvCanvas::pointerDragged(int32_t x, int32_t y) { queuePointer(PointerInputEventManager::DRAGGED, x, y); }
void KvCanvas::pointerReleased(int32_t x, int32_t y) { queuePointer(PointerInputEventManager::RELEASED, x, y); }

void KvCanvas::showNotify() {
    shown = true;
    if (!shownOnce) {
        VM_SYNCHRONIZED(showSignal.get());
        shownOnce = true;
        showSignal->notifyAll();
    }
    PointerInputEventManager::setSuspended(false);
}

void KvCanvas::hideNotify() {
    shown = false;
    PointerInputEventManager::setSuspended(true);
}

void KvCanvas::dispatchPaint(VMPtr<Graphics> g) {
    VM_SYNCHRONIZED(javax::microedition::lcdui::Display::lockForCallbacks());
    GameCanvas::paint(g);
}

void KvCanvas::saveRecord(int32_t slot, VMPtr<ByteArray> data) {
    using javax::microedition::rms::RecordStore;
    VMPtr<RecordStore> store = RecordStore::openRecordStore(String::valueOf(slot), true);
    VMPtr<IntArray> ids = store->getRecordIDs();
    std::vector<int32_t> order(ids->elements(), ids->elements() + ids->length);
    std::sort(order.begin(), order.end());
    const int32_t length = data->length;
    size_t chunk = 0;
    for (int32_t offset = 0; offset < length; offset += kRecordChunk, ++chunk) {
        const int32_t size = std::min(kRecordChunk, length - offset);
        if (chunk < order.size()) store->setRecord(order[chunk], data, offset, size);
        else store->addRecord(data, offset, size);
    }
    for (; chunk < order.size(); ++chunk) store->deleteRecord(order[chunk]);
    store->closeRecordStore();
}

}  // namespace kv
