#pragma once

// The front-end scenes in the real application on the game's compiled content: the driver
// with the resource folder in place, input as the player gives it (taps through the window,
// keys as the canvas receives them, then the scene's key handler), and the frame checks.

#include <filesystem>
#include <string>

#include "pb_src/j2me/javax_microedition_lcdui_Image.h"
#include "tests/game/support/GameDriver.h"

namespace front_test {

using namespace game_test;

// Key codes the canvas receives: the phone's left, right and fire keys, the two soft keys
// (game actions 19 and 20) and '*' (any key, 17).
constexpr int32_t kLeft = -3, kRight = -4, kFire = -5, kSoftLeft = -6, kSoftRight = -7, kStar = '*';

inline // Whether the scene's paint changes any pixel of an image.
bool paintChangesPixels(ui::Scene& scene) {
    using javax::microedition::lcdui::Image;
    VMPtr<Image> image = Image::createImage(240, 320, false, 0x123456);
    VMPtr<VMArray<int32_t, 1>> before = VMArray<int32_t, 1>::_VM_new(240 * 320), after = VMArray<int32_t, 1>::_VM_new(240 * 320);
    image->getRGB(before, 0, 240, 0, 0, 240, 320);
    scene.paint(image->getGraphics());
    image->getRGB(after, 0, 240, 0, 0, 240, 320);
    return !std::equal(before->elements(), before->elements() + 240 * 320, after->elements());
}

class FrontEndGame : public GameDriver {
public:
    FrontEndGame() {
        std::filesystem::copy(OSTREL_CONTENT_RSC, folder / "rsc",
                              std::filesystem::copy_options::overwrite_existing | std::filesystem::copy_options::recursive);
    }
    template <typename S> S& scene() { return *dynamic_cast<S*>(manager().getScene().get()); }

    // Boots and builds scene `id` through the manager's change, in one frame that also
    // gives the new scene its first update.
    void startAt(int32_t id) {
        start();
        manager().changeScene(id);
        frames(1);
    }
    // A key pressed for one frame, with the scene's key handler called in that frame (a
    // scene it asks for is built at the next frame).
    void key(int32_t code) {
        manager().keyPressed(code);
        frames(1);
        if (manager().getScene()) manager().getScene()->handleKeys();
        manager().keyReleased(code);
    }
    // A tap: its press reaches the scene in one frame, its release in the next.
    void tapAt(int32_t x, int32_t y) {
        tap(x, y);
        frames(2);
    }
    // One pointer event of the type, handed to the scene in the next frame.
    void pointer(int8_t type, int32_t x, int32_t y) {
        kv::input::PointerInputEventManager::addEvent(type, x, y);
        frames(1);
    }
    // The frame differs from an all-black one in many pixels.
    bool showsSomething() {
        const std::vector<uint16_t> pixels = frame();
        return std::count_if(pixels.begin(), pixels.end(), [](uint16_t p) { return p != 0; }) > int(pixels.size()) / 4;
    }
};

}  // namespace front_test
