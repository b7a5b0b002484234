#include "src/game/results/scene_Result.h"

#include "content/ContentIds.h"
#include "src/game/foundation/ResourceIds.h"
#include "src/game/foundation/SavedProgress.h"
#include "src/game/foundation/SceneTable.h"
#include "src/game/results/Progress.h"
#include "src/game/results/ScreenParts.h"

namespace scene {

VM_DEFINE_CLASS(Result, "scene.Result", "ui.Scene", VM_NO_CLINIT)

namespace {

const ui::SceneRegistration registration(scene_id::kResult, &ui::buildScene<Result>);

constexpr int32_t kPanelFrame = 14, kLastStage = 4, kEndingStory = 2;
constexpr int32_t kCentreX = 120, kCentreY = 160;
// Kept texts (ui::Scene::keptText); 0 is the panel head's time line.
constexpr int32_t kNoVerdictText = 1;
constexpr int32_t kVerdicts[4] = {content::text::MARK_0, content::text::MARK_1, content::text::MARK_2,
                                  content::text::MARK_3};

}  // namespace

VMPtr<Result> Result::_VM_init(VMPtr<ui::SceneManager> owner) {
    Scene::_VM_init();
    manager = owner;
    init();
    return this;
}

void Result::init() {
    state = 0;
    loadStep = 0;
    stageOpened = achievementUnlocked = itemUnlocked = false;
    progress = results::loadRecord(*manager, 0);
    VMPtr<VMArray<int8_t, 1>> record0 = results::loadRecord(*manager, 0), record1 = results::loadRecord(*manager, 1);
    const results::Settlement done = results::settle(results::bytes(record0), results::bytes(record1));
    stageMark = done.mark;
    stageOpened = done.stageOpened;
    itemUnlocked = done.itemUnlocked;
    achievementUnlocked = done.achievementUnlocked;
    // The mark first (a won fight has stored this very one already), the records, then the
    // mark cleared: a start after a kill at any of these writes finishes the settlement.
    manager->storePendingWin(record0, record1);
    results::saveRecord(*manager, 0, record0);
    results::saveRecord(*manager, 1, record1);
    manager->clearPendingWin();
}

void Result::update(int32_t) {
    if (state == 0) load();
}

void Result::load() {
    if (loadStep == 0) {
        loadStep = 15;
    } else if (loadStep == 15) {
        backgroundSet = results::loadAnimSet(content::res::BACKDROP_SET, content::res::BACKDROP_GOBS);
        loadStep = 14;
    } else if (loadStep == 14) {
        panelFrame = results::loadAnimSet(content::res::PANEL_SET, content::res::PANEL_GOBS)->getFrame(kPanelFrame);
        loadStep = 13;
    } else if (loadStep >= 2 && loadStep <= 13) {
        --loadStep;
    } else if (loadStep == 1) {
        state = 1;
    }
}

void Result::continueOn() {
    if (progress->at(ui::progress::kStage) == kLastStage) {
        manager->storyMode = kEndingStory;
        manager->changeScene(scene_id::kStory);
    } else {
        manager->changeScene(scene_id::kWorldMap);
    }
}

void Result::playNextStage() {
    const int32_t stage = progress->at(ui::progress::kStage);
    if (stage == kLastStage) {
        manager->storyMode = kEndingStory;
        manager->changeScene(scene_id::kStory);
        return;
    }
    manager->storeResult(0, 0, stage + 1, 0, 0, 0, 0, 0);
    manager->changeScene(scene_id::kNormalLevel);
}

void Result::choose(int32_t choice) {
    if (choice == 0) continueOn();
    else if (choice == 1) playNextStage();
}

void Result::handleKeys() {
    if (state != 1) return;
    choose(results::panelChoiceOfKeys(*manager));
}

void Result::handlePointer() {
    if (state == 1) choose(results::panelChoiceOfPointer(*this, panelFrame));
}

void Result::paint(VMPtr<Graphics> g) {
    if (state != 1) return;
    VMPtr<results::String> verdict =
        stageMark >= 0 && stageMark <= 3 ? results::textOf(*manager, kVerdicts[stageMark])
                                         : keptText(kNoVerdictText, {}, [] { return results::String::fromUtf8(""); });
    results::paintPanelScreen(*this, *manager, g, backgroundSet, panelFrame, content::text::RESULT_TITLE, progress, verdict,
                              content::text::CONTINUE, content::text::NEXT);
    VMPtr<kv::util::text::RichFont> body = results::fontOf(*manager, 1);
    const int32_t h1 = body->getHeight();
    VMPtr<results::BoxArray> lines = results::boxesOf(*this, InGameObject::kLineBoxes, panelFrame, 1, 3);
    int32_t ids[3], count = 0;
    if (stageOpened) ids[count++] = content::text::UNLOCKED_STAGE;
    if (itemUnlocked) ids[count++] = content::text::UNLOCKED_ITEM;
    if (achievementUnlocked) ids[count++] = content::text::UNLOCKED_ACHIEVEMENT;
    if (count == 0) ids[count++] = content::text::RESULT_NOTHING_NEW;
    for (int32_t j = 0; j < count; ++j)
        body->drawString(g, results::textOf(*manager, ids[j]), lines->at(j)->x + kCentreX,
                         lines->at(j)->y + kCentreY - h1 / 2, results::kLeft);
}

}  // namespace scene
