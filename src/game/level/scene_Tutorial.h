#pragma once

// scene::Tutorial (scene 4): a one-screen training level on the normal level's ground,
// character, enemy pool, loading and controls. An arrow points at one control at a time
// (walk left, walk right, jump, attack left, right and up, change weapon); only that
// control answers, and the step advances once the character has done it (one step a frame
// at most). Step 7 shows the HUD for 2000 ms, then a closing message; a tap after that
// lets the end curtain fall, the tutorial is recorded as played, and the game goes on to
// the story (when it came from the world map) or back to the menu. There is no spawning,
// scoring, glass, items or scrolling, and the end curtain has no hold.

#include <cstdint>

#include "src/game/level/scene_InGameNormal.h"
#include "src/kv/util/text/kv_util_text_WrappedText.h"

namespace scene {

class Tutorial : public InGameNormal {
    VM_CLASS(Tutorial, InGameNormal)

    static constexpr int32_t kClosingStep = 7, kMessageDelay = 2000, kStage = 4;
    static constexpr int32_t kPanelMessage = 16, kTextMessage = 6, kTextContinue = 3;

    VMPtr<Tutorial> _VM_init(VMPtr<ui::SceneManager> owner);
    void _VM_mark(uint32_t flags) override;

    void update(int32_t dt) override;
    void init() override;
    void paintObjects() override;
    void stepGame() override;
    void checkCollisions() override;
    void spawnEnemies() override;
    void paintControls() override;
    virtual void paintHint();
    virtual void checkStep();

    VMPtr<kv::AnimSet> hintSet{vmField()};
    VMPtr<kv::AnimPlayer> hintArrow{vmField()};
    VMPtr<kv::AnimPlayer> hintPanel{vmField()};
    VMPtr<kv::util::text::WrappedText> wrappedText{vmField()};
    int32_t step = 0;
    int32_t closingTime = 0;
    // What wrappedText holds: the text id and the language it was wrapped in (-1: nothing yet).
    int32_t wrappedTextId = -1, wrappedLanguage = -1;

protected:
    void runLoadStep(int32_t loadingStep) override;
    int32_t topBarFrameIndex() override { return 15; }
    // In play the HUD until the closing message shows, then the hint; under the end curtain the hint alone.
    void paintPlayOverlay() override;
    void paintEndOverlay() override { paintHint(); }
    // Only the current step's control answers, keys and presses alike.
    void keysInPlay() override;
    void pointerInPlay(const level::PointerEvent& event) override;
    void restart() override;
    void leave() override;

private:
    bool projectileFlying(int32_t direction);
    void placeArrowOnWeaponButton();
    void startEnd();
    void finishTutorial();
    void pressInStep(const level::PointerEvent& event);
    void paintClosingMessage();
};

}  // namespace scene
