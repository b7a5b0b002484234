#include "pb_src/j2me/javax_microedition_lcdui_game_GameCanvas.h"

#include "hal/base/FatalError.h"
#include "hal/display/HALScreenBuffer.h"
#include "hal/input/KeyStates.h"
#include "hal/profile/ProfileGraphics.h"

namespace javax::microedition::lcdui::game {

VM_DEFINE_ABSTRACT_CLASS(GameCanvas, "javax.microedition.lcdui.game.GameCanvas", "javax.microedition.lcdui.Canvas",
                         VM_NO_CLINIT)

VMPtr<GameCanvas> GameCanvas::_VM_init(bool suppressKeyEvents) {
    Canvas::_VM_init();
    this->suppressKeyEvents = suppressKeyEvents;
    if (HAL_createScreenBuffer(nativeHandle, &screenBuffer) != 0) HAL_fatalError("HAL_createScreenBuffer() failed.");
    return this;
}

GameCanvas::~GameCanvas() {
    if (screenBuffer) HAL_deleteScreenBuffer(screenBuffer);
}

void GameCanvas::_VM_mark(uint32_t flags) {
    Canvas::_VM_mark(flags);
    vmMarkField(bufferGraphics, flags);
}

void GameCanvas::paint(VMPtr<Graphics> g) { HAL_paintScreenBuffer(g.get(), screenBuffer); }

VMPtr<GameCanvas::Graphics> GameCanvas::getGraphics() {
    if (!bufferGraphics) {
        bufferGraphics = Graphics::createGraphicsWithScreenBuffer(screenBuffer);
        return bufferGraphics;
    }
    int32_t w = 0, h = 0;
    HAL_getScreenBufferSize(screenBuffer, &w, &h);
    HAL_setGraphicsSize(bufferGraphics.get(), w, h);
    // The platform context is reset too: a colour set later that equals the reset one must
    // not be drawn in the colour the context kept from the last frame.
    bufferGraphics->resetState(true);
    return bufferGraphics;
}

int32_t GameCanvas::getKeyStates() { return HAL_getKeyStates(); }

void GameCanvas::flushGraphics() {
    if (HAL_flushScreenBuffer(screenBuffer) != 0) HAL_fatalError("HAL_flushScreenBuffer() failed.");
}

void GameCanvas::flushGraphics(int32_t x, int32_t y, int32_t w, int32_t h) {
    if (HAL_flushScreenBufferRegion(screenBuffer, x, y, w, h) != 0) HAL_fatalError("HAL_flushScreenBufferRegion() failed.");
}

}  // namespace javax::microedition::lcdui::game
