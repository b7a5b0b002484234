#include "src/game/foundation/ui_SceneManager.h"

#include <algorithm>
#include <cstdio>
#include <utility>
#include <vector>

#include "hal/shell/Shell.h"
#include "lib_src/vm/VMException.h"
#include "pb_src/j2me/java_io_PrintStream.h"
#include "pb_src/j2me/java_lang_IllegalArgumentException.h"
#include "pb_src/j2me/java_lang_System.h"
#include "pb_src/j2me/java_lang_Throwable.h"
#include "src/game/foundation/ResourceIds.h"
#include "src/game/foundation/SavedProgress.h"
#include "src/game/foundation/SceneTable.h"
#include "src/kv/kv_Resources.h"
#include "src/kv/input/kv_input_PointerInputEventManager.h"

namespace ui {

using java::lang::String;
using kv::input::PointerInputEventManager;

VM_DEFINE_CLASS_WITHOUT_FACTORY(SceneManager, "ui.SceneManager", "kv.KvCanvas", VM_NO_CLINIT)

namespace {

constexpr int32_t kMaxChangesPerCall = 16;
constexpr int32_t kAnyKey = 17;

// The key indexes of each game action 0 to 20 (-1 ends a list); 17 (any key) and 18 have none.
constexpr int8_t kActionKeys[21][4] = {
    {16, -1}, {17, -1}, {18, -1}, {19, -1}, {20, -1}, {21, -1}, {22, -1}, {23, -1}, {24, -1}, {25, -1},
    {1, 30, 18, -1}, {6, 31, 24, -1}, {2, 32, 20, -1}, {5, 33, 22, -1}, {8, 34, 21, -1},
    {7, -1}, {15, -1}, {-1}, {-1}, {27, 7, -1}, {29, 15, -1},
};

void log(const std::string& line) { java::lang::System::err->println(line.c_str()); }

std::vector<int8_t> bytesOf(const VMPtr<VMArray<int8_t, 1>>& array) {
    if (!array) return {};
    return std::vector<int8_t>(array->elements(), array->elements() + array->length);
}

VMPtr<VMArray<int8_t, 1>> arrayOf(const std::vector<int8_t>& bytes) {
    VMPtr<VMArray<int8_t, 1>> array = VMArray<int8_t, 1>::_VM_new(int32_t(bytes.size()));
    std::copy(bytes.begin(), bytes.end(), array->elements());
    return array;
}

int8_t clampMoney(int64_t value) { return int8_t(std::clamp<int64_t>(value, 0, progress::kMaxMoney)); }

[[noreturn]] void refuse(const std::string& what) {
    vm::throwNew<java::lang::IllegalArgumentException>(String::fromUtf8(what.c_str()));
}

std::string hex(int32_t id) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%X", unsigned(id));
    return text;
}

void checkIndex(int32_t value, int32_t count, const char* what) {
    if (value < 0 || value >= count) refuse(std::string(what) + " " + std::to_string(value) + " out of range");
}

}  // namespace

VMPtr<SceneManager> SceneManager::_VM_init(VMPtr<MIDlet> owner) {
    KvCanvas::_VM_init(owner);
    setGameArea(kGameWidth, kGameHeight);
    return this;
}

void SceneManager::_VM_mark(uint32_t flags) {
    KvCanvas::_VM_mark(flags);
    vmMarkField(scene, flags);
    vmMarkField(mediaManager, flags);
    vmMarkField(fonts, flags);
    vmMarkField(translations, flags);
    vmMarkField(loadingSet, flags);
    vmMarkField(loadingIndicator, flags);
}

void SceneManager::loadStep(int32_t code) {
    if (code == 0) {
        loadFonts();
        loadTranslations();
        loadLoadingScreen();
        mediaManager = kv::MediaManager::_VM_new();
        mediaManager->_VM_init();
        completePendingWin();
        checkSavedRecords();
        stage = loadProgress(0)->at(progress::kStage);
        sceneId = scene_id::kLogo;
        createScene();
        applyPendingChange();
    } else if (code == 1) {
        if (mediaManager && mediaManager->isSoundEnabled()) mediaManager->stopMusic();
        musicStarted = false;
        if (scene) callScene("pause", [&] { scene->pause(); });
    }
}

void SceneManager::loadFonts() {
    const int32_t glyphs[2] = {res::kFontTitleGobs, res::kFontBodyGobs};
    fonts = VMArray<RichFont*, 1>::_VM_new(2);
    for (int32_t i = 0; i < 2; ++i) {
        VMPtr<RichFont> font = RichFont::_VM_new();
        font->_VM_init();
        try {
            VMPtr<kv::Gob::GobArray> gobs = kv::Resources::getGobs(glyphs[i]);
            if (!gobs) refuse("no gob array");
            font->setGlyphs(gobs);
        } catch (java::lang::Throwable* caught) {
            VMPtr<java::lang::Throwable> failure(caught);
            log("Font " + hex(glyphs[i]) + " not loaded, the system font stands in: " + failure->toString()->toUtf8());
        }
        fonts->set(i, font);
    }
}

void SceneManager::loadTranslations() {
    translations = VMArray<Translation*, 1>::_VM_new(5);
    for (int32_t i = 0; i < 5; ++i) {
        VMPtr<Translation> table;
        try {
            table = kv::Resources::getTranslation(res::kTranslations[i]);
        } catch (java::lang::Throwable* caught) {
            VMPtr<java::lang::Throwable> failure(caught);
            log("Text table " + hex(res::kTranslations[i]) + " not loaded: " + failure->toString()->toUtf8());
            table = Translation::_VM_new();
            table->_VM_init();
        }
        translations->set(i, table);
    }
}

void SceneManager::loadLoadingScreen() {
    try {
        VMPtr<kv::AnimSet> set = kv::Resources::getAnimSet(content::res::LOADING_SET);
        VMPtr<kv::Gob::GobArray> gobs = kv::Resources::getGobs(content::res::LOADING_GOBS);
        if (!gobs) refuse("no gob array " + hex(content::res::LOADING_GOBS));
        set->setGobs(gobs);
        VMPtr<kv::AnimPlayer> indicator = kv::AnimPlayer::_VM_new();
        indicator->_VM_init();
        indicator->setAnimSet(set);
        indicator->setX(kGameWidth / 2);
        indicator->setY(kLoadingIndicatorY);
        loadingSet = set;
        loadingIndicator = indicator;
        resetLoadingIndicator();
    } catch (java::lang::Throwable* caught) {
        VMPtr<java::lang::Throwable> failure(caught);
        log("Loading screen " + hex(content::res::LOADING_SET) + " not loaded, plain cells stand in: " +
            failure->toString()->toUtf8());
    }
}

void SceneManager::resetLoadingIndicator() {
    loadingFrame = 0;
    if (loadingIndicator) loadingIndicator->setAnimation(kLoadingIndicatorAnimation);
}

template <typename Body> void SceneManager::callScene(const char* what, Body body) {
    try {
        body();
    } catch (java::lang::Throwable* caught) {
        VMPtr<java::lang::Throwable> failure(caught);
        sceneFailed(what, failure->toString()->toUtf8());
    }
    applyPendingChange();
}

void SceneManager::sceneFailed(const char* what, const std::string& failure) {
    log("Scene " + std::to_string(sceneId) + " failed in " + what + ": " + failure);
    if (sceneId == scene_id::kMenu || !sceneFactory(scene_id::kMenu)) {
        stopGame("scene " + std::to_string(sceneId) + " failed and there is no menu to go back to");
        return;
    }
    pendingSceneId = scene_id::kMenu;
}

void SceneManager::stopGame(const std::string& reason) {
    log("The game cannot go on: " + reason);
    scene = nullptr;
    pendingSceneId = kNoScene;
    HAL_setExitCode(1);
    handleEvent(kEventExit);
}

void SceneManager::changeScene(int32_t id) {
    if (scene || building) pendingSceneId = id;
}

void SceneManager::applyPendingChange() {
    for (int32_t n = 0; n < kMaxChangesPerCall && pendingSceneId != kNoScene && !building && !isLoopEnding(); ++n) {
        const int32_t next = std::exchange(pendingSceneId, kNoScene);
        setGameArea(kGameWidth, kGameHeight);
        sideWidth = kSideWidth;
        if (mediaManager) mediaManager->stopMusic();
        musicStarted = false;
        VMPtr<Scene> old = std::exchange(scene, nullptr);
        try {
            if (old) old->dispose();
        } catch (java::lang::Throwable* caught) {
            VMPtr<java::lang::Throwable> failure(caught);
            sceneFailed("dispose", failure->toString()->toUtf8());
        }
        if (isLoopEnding()) return;
        previousSceneId = sceneId;
        sceneId = pendingSceneId != kNoScene ? std::exchange(pendingSceneId, kNoScene) : next;
        resetLoadingIndicator();
        createScene();
    }
}

void SceneManager::createScene() {
    const SceneFactory factory = sceneFactory(sceneId);
    if (!factory) {
        log("Scene " + std::to_string(sceneId) + " is not built yet");
        if (sceneId != scene_id::kMenu && sceneFactory(scene_id::kMenu)) {
            building = true;  // lets the change be recorded with no scene current
            changeScene(scene_id::kMenu);
            building = false;
        }
        return;
    }
    building = true;
    VMPtr<Scene> made;
    try {
        made = factory(this);
    } catch (java::lang::Throwable* caught) {
        VMPtr<java::lang::Throwable> failure(caught);
        building = false;
        sceneFailed("init", failure->toString()->toUtf8());
        return;
    }
    building = false;
    scene = made;
}

void SceneManager::update(int32_t dt) {
    if (!scene) {
        // No scene to hand them to: touches do not wait for the next scene.
        while (PointerInputEventManager::nextEvent()) {
        }
        return;
    }
    bool loading = false, paused = false;
    callScene("isLoading", [&] { loading = scene->isLoading(); });
    if (scene) callScene("isPaused", [&] { paused = scene->isPaused(); });
    if (loading) {
        ++loadingFrame;
        if (loadingIndicator) loadingIndicator->update(dt);
    }
    updateMusic(loading, paused);
    if (scene) callScene("update", [&] { scene->update(dt); });
    PointerInputEventManager::setPointerOffset(0, 0);
    if (scene && PointerInputEventManager::nextEvent()) callScene("handlePointer", [&] { scene->handlePointer(); });
    // A scene that paused in this frame (its pause button, its own update) has its music
    // stopped before the frame is painted with the pause menu, not a frame later.
    if (scene && musicStarted) {
        callScene("isPaused", [&] { paused = scene->isPaused(); });
        if (scene && paused) updateMusic(false, true);
    }
}

void SceneManager::updateMusic(bool loading, bool paused) {
    const int32_t music = musicFor(sceneId);
    if (music < 0 || !mediaManager) return;
    if (paused && musicStarted) {
        mediaManager->stopMusic();
        musicStarted = false;
    } else if (!loading && !paused && !musicStarted) {
        mediaManager->playMusic(music);
        musicStarted = true;
    }
}

int32_t SceneManager::musicFor(int32_t id) const {
    const int32_t musicStage = stage >= 0 && stage < progress::kStageCount ? stage : 0;
    if (id == scene_id::kNormalLevel) return res::kMusicStage[musicStage];
    if (id == scene_id::kTutorial) return res::kMusicStage[0];
    if (id >= scene_id::kBoss1 && id <= scene_id::kBoss5) return res::kMusicBoss[id - scene_id::kBoss1];
    return -1;
}

void SceneManager::paint(VMPtr<Graphics> g) {
    bool loading = false;
    if (scene) callScene("paint", [&] { scene->paint(g); });
    if (scene) callScene("isLoading", [&] { loading = scene->isLoading(); });
    if (!scene || loading) paintLoadingIndicator(g);
    paintSidePanels(g);
}

void SceneManager::paintLoadingIndicator(VMPtr<Graphics> g) {
    constexpr int32_t kCell = 8, kGap = 4;
    g->setColor(0);
    g->fillRect(0, 0, getGameWidth(), getGameHeight());
    if (!scene) return;
    if (loadingSet) {
        loadingSet->getFrame(kLoadingPictureFrame)->paint(g, 0, 0, 0);
        loadingIndicator->paint(g);
        return;
    }
    const int32_t width = kLoadingCells * kCell + (kLoadingCells - 1) * kGap;
    const int32_t left = (getGameWidth() - width) / 2, top = (getGameHeight() - kCell) / 2;
    const int32_t lit = (loadingFrame / 2) % kLoadingCells;
    for (int32_t i = 0; i < kLoadingCells; ++i) {
        g->setColor(i == lit ? 0xFFFFFF : 0x404040);
        g->fillRect(left + i * (kCell + kGap), top, kCell, kCell);
    }
}

void SceneManager::paintSidePanels(VMPtr<Graphics> g) {
    const int32_t screenWidth = getWidth(), screenHeight = getHeight();
    if (screenWidth <= getGameWidth()) return;
    g->setColor(0);
    g->fillRect(-getGameX(), -getGameY(), getGameX(), screenHeight);
    g->fillRect(getGameWidth(), -getGameY(), screenWidth - getGameWidth() - getGameX(), screenHeight);
}

bool SceneManager::isActionPressed(int32_t action) {
    if (action == kAnyKey) return isAnyKeyPressed();
    if (action < 0 || action > 20) return false;
    for (const int8_t* key = kActionKeys[action]; *key >= 0; ++key)
        if (isKeyPressed(*key)) return true;
    return false;
}

bool SceneManager::isActionHeld(int32_t action) {
    if (action < 0 || action > 20) return false;
    for (const int8_t* key = kActionKeys[action]; *key >= 0; ++key)
        if (isKeyHeld(*key)) return true;
    return false;
}

void SceneManager::setSettingChoice(int32_t value) {
    if (value < 0 || value >= 5) return;
    // The texts kept for the language left behind go with it.
    if (value != languageIndex && translations && translations->at(languageIndex))
        translations->at(languageIndex)->dropCachedTexts();
    languageIndex = value;
}

// Saved progress.

void SceneManager::checkSavedRecords() {
    for (int32_t slot = 0; slot < 2; ++slot) {
        VMPtr<ByteArray> stored = loadRecord(slot);
        const std::vector<int8_t> bytes = bytesOf(stored), valid = progress::repaired(slot, bytes);
        if (stored && bytes == valid) continue;
        log(stored ? "Saved record " + std::to_string(slot) + " repaired" : "Saved record " + std::to_string(slot) + " created");
        saveRecord(slot, arrayOf(valid));
    }
}

void SceneManager::saveRecord(int32_t slot, VMPtr<ByteArray> data) {
    const std::span<const int8_t> image(data->elements(), size_t(data->length));
    if (recordImageHook) recordImageHook(slot, image, false);
    KvCanvas::saveRecord(slot, data);
    if (recordImageHook) recordImageHook(slot, image, true);
}

VMPtr<SceneManager::ByteArray> SceneManager::loadProgress(int32_t slot) {
    return arrayOf(progress::repaired(slot, bytesOf(loadRecord(slot))));
}

VMPtr<SceneManager::ByteArray> SceneManager::resultRecord(int32_t hurt, int32_t earned, int32_t resultStage,
                                                         int32_t cleared, int32_t hours, int32_t minutes,
                                                         int32_t seconds) {
    checkIndex(resultStage, progress::kStageCount, "stage");
    VMPtr<ByteArray> record = loadProgress(0);
    const int32_t values[7] = {hurt, clampMoney(earned), resultStage, cleared, hours, minutes, seconds};
    for (int32_t i = 0; i < 7; ++i) record->at(progress::kResult + i) = int8_t(values[i]);
    return record;
}

void SceneManager::storeResult(int32_t hurt, int32_t earned, int32_t resultStage, int64_t, int32_t cleared,
                               int32_t hours, int32_t minutes, int32_t seconds) {
    saveRecord(0, resultRecord(hurt, earned, resultStage, cleared, hours, minutes, seconds));
    stage = resultStage;
}

void SceneManager::storePendingWin(VMPtr<ByteArray> settled0, VMPtr<ByteArray> settled1) {
    if (settled0->length < progress::kRecordLength[0] || settled1->length < progress::kRecordLength[1])
        refuse("a settled record is short");
    std::vector<int8_t> mark{1};
    mark.insert(mark.end(), settled0->elements(), settled0->elements() + progress::kRecordLength[0]);
    mark.insert(mark.end(), settled1->elements(), settled1->elements() + progress::kRecordLength[1]);
    if (bytesOf(loadRecord(progress::kPendingWinSlot)) == mark) return;
    saveRecord(progress::kPendingWinSlot, arrayOf(mark));
}

void SceneManager::clearPendingWin() { saveRecord(progress::kPendingWinSlot, arrayOf({0})); }

bool SceneManager::completePendingWin() {
    const std::vector<int8_t> mark = bytesOf(loadRecord(progress::kPendingWinSlot));
    if (mark.size() != size_t(progress::kPendingWinLength) || mark[0] != 1) return false;
    const auto settled1 = mark.begin() + 1 + progress::kRecordLength[0];
    // Absolute images: writing them again after a kill here counts nothing twice.
    saveRecord(0, arrayOf(progress::repaired(0, std::vector<int8_t>(mark.begin() + 1, settled1))));
    saveRecord(1, arrayOf(progress::repaired(1, std::vector<int8_t>(settled1, mark.end()))));
    clearPendingWin();
    log("A pending win was settled");
    return true;
}

void SceneManager::setTutorialDone() {
    VMPtr<ByteArray> record = loadProgress(0);
    record->at(progress::kTutorialDone) = 1;
    saveRecord(0, record);
}

void SceneManager::addSavedCounter(int32_t n) {
    VMPtr<ByteArray> record = loadProgress(0);
    record->at(progress::kMoney) = clampMoney(int64_t(record->at(progress::kMoney)) + n);
    saveRecord(0, record);
}

void SceneManager::setSavedCounter(int32_t n) {
    VMPtr<ByteArray> record = loadProgress(0);
    record->at(progress::kMoney) = clampMoney(n);
    saveRecord(0, record);
}

bool SceneManager::unlockItem(int32_t item) {
    checkIndex(item, progress::kItemCount, "item");
    VMPtr<ByteArray> record = loadProgress(0);
    int8_t& state = record->at(progress::kItems + item);
    const bool unlocked = state == progress::kItemLocked;
    if (unlocked) state = progress::kItemForSale;
    saveRecord(0, record);
    return unlocked;
}

void SceneManager::markItemBought(int32_t item) {
    checkIndex(item, progress::kItemCount, "item");
    VMPtr<ByteArray> record = loadProgress(0);
    int8_t& state = record->at(progress::kItems + item);
    if (state == progress::kItemForSale) state = progress::kItemOwned;
    const int8_t* items = record->elements() + progress::kItems;
    // The achievement for owning every item goes in the same write as the purchase.
    if (std::all_of(items, items + progress::kItemCount, [](int8_t s) { return s == progress::kItemOwned; }))
        record->at(progress::kAchievements + 3) = 1;
    saveRecord(0, record);
}

bool SceneManager::unlockAchievement(int32_t achievement) {
    checkIndex(achievement, progress::kAchievementCount, "achievement");
    VMPtr<ByteArray> record = loadProgress(0);
    int8_t& flag = record->at(progress::kAchievements + achievement);
    const bool first = flag == 0;
    flag = 1;
    saveRecord(0, record);
    return first;
}

bool SceneManager::openStage(int32_t openedStage) {
    checkIndex(openedStage, progress::kStageCount, "stage");
    VMPtr<ByteArray> record = loadProgress(1);
    int8_t& open = record->at(openedStage);
    const bool first = open == 0;
    open = 1;
    saveRecord(1, record);
    return first;
}

void SceneManager::setStageMark(int32_t markedStage, int32_t mark) {
    checkIndex(markedStage, progress::kStageCount, "stage");
    checkIndex(mark + 1, 5, "mark");
    VMPtr<ByteArray> record = loadProgress(1);
    record->at(progress::kMarks + markedStage) = int8_t(mark);
    saveRecord(1, record);
}

void SceneManager::storeBestTime(int32_t timedStage, int32_t hours, int32_t minutes, int32_t seconds) {
    checkIndex(timedStage, progress::kStageCount, "stage");
    VMPtr<ByteArray> record = loadProgress(1);
    int8_t& h = record->at(progress::kBestHours + timedStage);
    int8_t& m = record->at(progress::kBestMinutes + timedStage);
    int8_t& s = record->at(progress::kBestSeconds + timedStage);
    const bool none = h == 0 && m == 0 && s == 0;
    if (none || hours * 3600 + minutes * 60 + seconds < h * 3600 + m * 60 + s) {
        h = int8_t(hours);
        m = int8_t(minutes);
        s = int8_t(seconds);
    }
    saveRecord(1, record);
}

bool SceneManager::areAllStageMarksTwoOrThree(int32_t) {
    VMPtr<ByteArray> record = loadProgress(1);
    const int8_t* marks = record->elements() + progress::kMarks;
    return std::all_of(marks, marks + progress::kStageCount, [](int8_t m) { return m == 2 || m == 3; });
}

bool SceneManager::areAllStageMarksThree(int32_t) {
    VMPtr<ByteArray> record = loadProgress(1);
    const int8_t* marks = record->elements() + progress::kMarks;
    return std::all_of(marks, marks + progress::kStageCount, [](int8_t m) { return m == 3; });
}

}  // namespace ui
