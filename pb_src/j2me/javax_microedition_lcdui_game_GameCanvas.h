#pragma once

// javax::microedition::lcdui::game::GameCanvas: a canvas with an off-screen screen buffer
// that the application draws into through one reused Graphics and flushes to the screen.
// getGraphics hands out the same Graphics every time, reset to the whole buffer and the
// default state, and the platform context is given that state too. The GameCanvas owns
// its screen buffer; its destructor touches no other managed object (the Graphics' context
// is detached from the buffer when the buffer is deleted, and deleted with the Graphics).

#include <cstdint>

#include "pb_src/j2me/javax_microedition_lcdui_Canvas.h"

class HALScreenBuffer;

namespace javax::microedition::lcdui::game {

class GameCanvas : public ::javax::microedition::lcdui::Canvas {
    VM_ABSTRACT_CLASS(GameCanvas, ::javax::microedition::lcdui::Canvas)
    using Graphics = ::javax::microedition::lcdui::Graphics;

    static constexpr int32_t UP_PRESSED = 1 << UP, DOWN_PRESSED = 1 << DOWN, LEFT_PRESSED = 1 << LEFT,
                             RIGHT_PRESSED = 1 << RIGHT, FIRE_PRESSED = 1 << FIRE, GAME_A_PRESSED = 1 << GAME_A,
                             GAME_B_PRESSED = 1 << GAME_B, GAME_C_PRESSED = 1 << GAME_C,
                             GAME_D_PRESSED = 1 << GAME_D;

    // With suppressKeyEvents, keys that have a game action reach no key callback.
    VMPtr<GameCanvas> _VM_init(bool suppressKeyEvents);
    ~GameCanvas() override;
    void _VM_mark(uint32_t flags) override;

    // Draws the whole buffer at g's translation.
    void paint(VMPtr<Graphics> g) override;
    virtual VMPtr<Graphics> getGraphics();
    // The game-key bits held or pressed since the last call.
    virtual int32_t getKeyStates();
    virtual void flushGraphics();
    virtual void flushGraphics(int32_t x, int32_t y, int32_t w, int32_t h);

    HALScreenBuffer* screenBuffer = nullptr;
    VMPtr<Graphics> bufferGraphics{vmField()};
};

}  // namespace javax::microedition::lcdui::game
