#include "src/game/results/scene_GameOver.h"

#include "content/ContentIds.h"
#include "src/game/foundation/ResourceIds.h"
#include "src/game/foundation/SavedProgress.h"
#include "src/game/foundation/SceneTable.h"
#include "src/game/results/Progress.h"
#include "src/game/results/ScreenParts.h"

namespace scene {

VM_DEFINE_CLASS(GameOver, "scene.GameOver", "ui.Scene", VM_NO_CLINIT)

namespace {

const ui::SceneRegistration registration(scene_id::kGameOver, &ui::buildScene<GameOver>);

constexpr int32_t kPanelFrame = 13, kPictureFrame = 50, kFromBoss = 16;
constexpr int32_t kCentreX = 120, kCentreY = 160;

}  // namespace

VMPtr<GameOver> GameOver::_VM_init(VMPtr<ui::SceneManager> owner) {
    Scene::_VM_init();
    manager = owner;
    init();
    return this;
}

void GameOver::init() {
    state = 0;
    loadStep = 0;
    progress = results::loadRecord(*manager, 0);
}

void GameOver::update(int32_t) {
    if (state == 0) load();
}

void GameOver::load() {
    if (loadStep == 0) {
        loadStep = 15;
    } else if (loadStep == 15) {
        panelFrame = results::loadAnimSet(content::res::PANEL_SET, content::res::PANEL_GOBS)->getFrame(kPanelFrame);
        loadStep = 14;
    } else if (loadStep == 14) {
        pictureFrame = results::loadAnimSet(content::res::DEFEAT_SET, content::res::DEFEAT_GOBS)->getFrame(kPictureFrame);
        backgroundSet = results::loadAnimSet(content::res::BACKDROP_SET, content::res::BACKDROP_GOBS);
        loadStep = 13;
    } else if (loadStep >= 2 && loadStep <= 13) {
        --loadStep;
    } else if (loadStep == 1) {
        state = 1;
    }
}

void GameOver::retry() {
    const int32_t stage = progress->at(ui::progress::kStage);
    if (progress->at(kFromBoss) != 0) {
        if (stage >= 0 && stage < ui::progress::kStageCount) manager->changeScene(scene_id::kBoss1 + stage);
        return;
    }
    manager->storeResult(0, 0, stage, 0, 0, 0, 0, 0);
    manager->changeScene(scene_id::kNormalLevel);
}

void GameOver::choose(int32_t choice) {
    if (choice == 0) manager->changeScene(scene_id::kWorldMap);
    else if (choice == 1) retry();
}

void GameOver::handleKeys() {
    if (state != 1) return;
    choose(results::panelChoiceOfKeys(*manager));
}

void GameOver::handlePointer() {
    if (state == 1) choose(results::panelChoiceOfPointer(*this, panelFrame));
}

void GameOver::paint(VMPtr<Graphics> g) {
    if (state != 1) return;
    results::paintPanelScreen(*this, *manager, g, backgroundSet, panelFrame, content::text::GAME_OVER, progress, nullptr,
                              content::text::CONTINUE, content::text::RETRY);
    VMPtr<results::BoxArray> picture = results::boxesOf(*this, InGameObject::kPlaceBoxes, panelFrame, 1, 1);
    pictureFrame->paint(g, picture->at(0)->x + kCentreX, picture->at(0)->y + kCentreY, 0);
}

}  // namespace scene
