#pragma once

// ui::SceneManager: the game's one canvas. It holds the current scene, builds scenes by id
// (0 to 20) through the scene table, and each frame updates the current scene, hands it at
// most one pointer event and paints it, with its loading indicator while the scene loads
// and black side panels when the screen is wider than the game area. It starts and stops
// the music of the game scenes, reads keys as game actions and keeps the saved progress.
//
// Scene changes are recorded and applied as soon as the scene call that asked for them
// returns, in the same frame: the game area back to 240 x 320, the music stopped, the old
// scene disposed, its id kept as the previous id, the loading indicator reset, the new scene
// built. So the calling scene's code always runs to its end untouched by the next scene.
//
// A failure inside any scene call, or while a scene is built or disposed, is logged with the
// scene id and leads to the menu (scene 1). When the menu itself fails, or there is no menu,
// the game stops with a message and exit code 1. An id without a scene class is logged and
// leads to the menu when there is one; otherwise no scene is current.
//
// The start-up loading makes the two fonts (0 titles and dialogs, 1 body text and entries),
// the five text tables (language index 0 to 4) and the loading screen (its picture and the
// spinning indicator drawn over it). Content that cannot be read is logged with its resource
// id and replaced: a font by the system font, a text table by an empty one, the loading
// screen by a row of plain cells, so the game still starts.
//
// Saved progress: records 0 and 1 (layouts in SavedProgress.h), checked and repaired at
// start-up and created on the first run; every operation loads its record, changes the
// bytes it names and saves the whole record again in one write.
//
// A won stage's settlement changes both records, so it is made whole through the pending
// win (slot 2): its mark, holding both settled records, is written before either record and
// cleared after both. The start-up loading finishes a mark it finds (both records written
// from it, then the mark cleared) before it checks the records, so a kill at any instant of
// a win leaves a later start either the progress before the win or the win settled, once.

#include <cstdint>
#include <span>
#include <string>

#include "lib_src/vm/VMArray.h"
#include "src/game/foundation/ui_Scene.h"
#include "src/kv/kv_AnimPlayer.h"
#include "src/kv/kv_AnimSet.h"
#include "src/kv/kv_KvCanvas.h"
#include "src/kv/kv_MediaManager.h"
#include "src/kv/util/text/kv_util_text_RichFont.h"
#include "src/kv/util/text/kv_util_text_Translation.h"

namespace ui {

// Called with the whole image of a saved record just before it is written (written false)
// and once the write returned (written true), for every record write the game makes; tests
// use it to log what each save holds and to stop the game at a chosen write.
using RecordImageHook = void (*)(int32_t slot, std::span<const int8_t> image, bool written);
inline RecordImageHook recordImageHook = nullptr;

class SceneManager : public ::kv::KvCanvas {
    VM_CLASS(SceneManager, ::kv::KvCanvas)
    using Graphics = ::javax::microedition::lcdui::Graphics;
    using RichFont = ::kv::util::text::RichFont;
    using Translation = ::kv::util::text::Translation;

    static constexpr int32_t kGameWidth = 240, kGameHeight = 320, kSideWidth = 40;
    static constexpr int32_t kNoScene = -1;
    static constexpr int32_t kLoadingCells = 8;
    // The loading set's picture frame and indicator animation; the ring sits below the title.
    static constexpr int32_t kLoadingPictureFrame = 0, kLoadingIndicatorAnimation = 0;
    static constexpr int32_t kLoadingIndicatorY = 216;

    VMPtr<SceneManager> _VM_init(VMPtr<MIDlet> owner);
    void _VM_mark(uint32_t flags) override;

    // 0: the start-up loading (media manager, saved records, scene 0); 1: a pause (music
    // stopped, the scene's pause).
    void loadStep(int32_t code) override;
    void update(int32_t dt) override;
    void paint(VMPtr<Graphics> g) override;

    // Builds the scene of the current id and makes it current.
    void createScene();
    // Recorded while a scene is current (or being built); nothing otherwise.
    void changeScene(int32_t id);
    void requestExit() { handleEvent(kEventExit); }
    // Stops the game: the message on the console and exit code 1.
    void stopGame(const std::string& reason);

    // Game actions 0 to 20 (17 any key); 18 and any other number are false.
    bool isActionPressed(int32_t action);
    // The same keys as held now; 17 is false.
    bool isActionHeld(int32_t action);

    // Takes a language index 0 to 4; any other value is ignored.
    void setSettingChoice(int32_t value);

    // Saved progress.
    void storeResult(int32_t hurt, int32_t earned, int32_t stage, int64_t time, int32_t cleared, int32_t hours,
                     int32_t minutes, int32_t seconds);
    // Record 0 as storeResult would save it, not saved.
    VMPtr<ByteArray> resultRecord(int32_t hurt, int32_t earned, int32_t stage, int32_t cleared, int32_t hours,
                                  int32_t minutes, int32_t seconds);
    // Writes the mark of a pending win with the settled records (their first 20 and 25
    // bytes); no write when that very mark is stored already.
    void storePendingWin(VMPtr<ByteArray> settled0, VMPtr<ByteArray> settled1);
    void clearPendingWin();
    // When a mark is stored: both records written from it, then the mark cleared; true then.
    bool completePendingWin();
    void setTutorialDone();
    void addSavedCounter(int32_t n);
    void setSavedCounter(int32_t n);
    bool unlockItem(int32_t item);
    void markItemBought(int32_t item);
    bool unlockAchievement(int32_t achievement);
    bool openStage(int32_t stage);
    void setStageMark(int32_t stage, int32_t mark);
    void storeBestTime(int32_t stage, int32_t hours, int32_t minutes, int32_t seconds);
    bool areAllStageMarksTwoOrThree(int32_t unused);
    bool areAllStageMarksThree(int32_t unused);
    // The canvas's record write, told to the record image hook.
    void saveRecord(int32_t slot, VMPtr<ByteArray> data) override;

    VMPtr<Scene> getScene() { return scene; }
    int32_t getSceneId() const { return sceneId; }
    int32_t getPreviousSceneId() const { return previousSceneId; }
    // The music entry of a game scene, -1 for the other scenes.
    int32_t musicFor(int32_t id) const;

    VMPtr<Scene> scene{vmField()};
    VMPtr<::kv::MediaManager> mediaManager{vmField()};
    VMPtr<VMArray<RichFont*, 1>> fonts{vmField()};
    VMPtr<VMArray<Translation*, 1>> translations{vmField()};
    // The loading screen: frame 0 of the set is its picture, the player its indicator.
    VMPtr<::kv::AnimSet> loadingSet{vmField()};
    VMPtr<::kv::AnimPlayer> loadingIndicator{vmField()};
    int32_t sceneId = 0;
    int32_t previousSceneId = kNoScene;
    int32_t pendingSceneId = kNoScene;
    bool building = false;
    bool musicStarted = false;
    int32_t stage = 0;
    int32_t storyMode = 0;
    int32_t languageIndex = 0;
    int32_t sideWidth = kSideWidth;
    int32_t loadingFrame = 0;

private:
    template <typename Body> void callScene(const char* what, Body body);
    void sceneFailed(const char* what, const std::string& failure);
    void applyPendingChange();
    void updateMusic(bool loading, bool paused);
    void paintLoadingIndicator(VMPtr<Graphics> g);
    void paintSidePanels(VMPtr<Graphics> g);
    void checkSavedRecords();
    void loadFonts();
    void loadTranslations();
    void loadLoadingScreen();
    void resetLoadingIndicator();
    VMPtr<ByteArray> loadProgress(int32_t slot);
};

}  // namespace ui
