#include "src/game/frontend/scene_WorldMap.h"

#include "lib_src/vm/VMException.h"
#include "pb_src/j2me/java_lang_RuntimeException.h"
#include "pb_src/j2me/java_lang_String.h"
#include "pb_src/j2me/java_lang_StringBuffer.h"
#include "src/game/foundation/SavedProgress.h"
#include "src/game/foundation/SceneTable.h"
#include "src/game/frontend/SceneAssets.h"
#include "src/kv/input/kv_input_PointerInputEventManager.h"
#include "src/kv/kv_Resources.h"

namespace scene {

VM_DEFINE_CLASS(WorldMap, "scene.WorldMap", "ui.Scene", VM_NO_CLINIT)

namespace {

const ui::SceneRegistration registration(7, &ui::buildScene<WorldMap>);

using java::lang::String;
using namespace assets;
using Input = kv::input::PointerInputEventManager;

constexpr int32_t kInterfaceSet = 0x807, kInterfaceGobs = 0x812;
constexpr int32_t kCurtainSet = 0xC00, kCurtainGobs = 0xC03;
constexpr int32_t kStagePictureSet = 0x2401, kStagePictureGobs = 0x2407;
constexpr int32_t kTopBarFrame = 0, kBottomBarFrame = 1, kFirstSlideFrame = 9, kFirstPlacementFrame = 17;
// Box types of the layout frames.
constexpr int32_t kZoneBox = 0, kTextBox = 1, kNumberBox = 2;
// Texts: the two buttons, the line before the best time, the mark names for marks 0 to 3.
constexpr int32_t kMenuLabel = 34, kStartLabel = 56, kTimeLabel = 35, kUnknownMark = 0;
constexpr int32_t kMarkTexts[4] = {20, 19, 15, 21};
constexpr int32_t kNoMark = -1;
// Kept texts (ui::Scene::keptText).
constexpr int32_t kStageNumberText = 0, kTimeLineText = 1;
// Scenes reached from here.
constexpr int32_t kMenu = 1, kLevel = 2, kAchievements = 3, kTutorial = 4, kShop = 8, kStory = 11;
constexpr int32_t kIntroduction = 1;

VMPtr<kv::AnimPlayer> newPlayer(VMPtr<kv::AnimSet> set) {
    VMPtr<kv::AnimPlayer> player = kv::AnimPlayer::_VM_new();
    player->_VM_init();
    player->setAnimSet(set);
    return player;
}

// Decimal text with a leading zero while shorter than two characters.
VMPtr<String> twoDigits(int32_t value) {
    VMPtr<java::lang::StringBuffer> text = java::lang::StringBuffer::_VM_new();
    text->_VM_init(String::valueOf(value));
    for (int32_t added = 0; added < 2 && text->length() < 2; ++added) text->insert(0, u'0');
    return text->toString();
}

}  // namespace

VMPtr<WorldMap> WorldMap::_VM_init(VMPtr<ui::SceneManager> owner) {
    Scene::_VM_init();
    manager = owner;
    init();
    return this;
}

void WorldMap::init() {
    state = kLoading;
    loadStep = 0;
    readProgress();
}

void WorldMap::readProgress() {
    VMPtr<VMArray<int8_t, 1>> record = manager->loadRecord(1);
    openStageCount = 0;
    for (int32_t i = 0; i < kStages; ++i)
        if (record->at(i) == 1) ++openStageCount;
    selectedStage = openStageCount - 1;
    stageMarks = VMArray<int8_t, 1>::_VM_new(kStages);
    bestTimes = VMArray<int32_t, 2>::_VM_new(kStages, 3);
    for (int32_t i = 0; i < kStages; ++i) {
        stageMarks->at(i) = record->at(ui::progress::kMarks + i);
        bestTimes->at(i)->at(0) = record->at(ui::progress::kBestHours + i);
        bestTimes->at(i)->at(1) = record->at(ui::progress::kBestMinutes + i);
        bestTimes->at(i)->at(2) = record->at(ui::progress::kBestSeconds + i);
    }
}

void WorldMap::load() {
    switch (loadStep) {
        case 0:
            loadStep = 15;
            return;
        case 15:
            interfaceSet = loadAnimSet(kInterfaceSet, kInterfaceGobs);
            break;
        case 14:
            topBar = interfaceSet->getFrame(kTopBarFrame);
            bottomBar = interfaceSet->getFrame(kBottomBarFrame);
            arrowPlayer = newPlayer(interfaceSet);
            arrowPlayer->setAnimation(kArrowsNone);
            centrePlayer = newPlayer(interfaceSet);
            centrePlayer->setAnimation(0);
            centrePlayer->setX(manager->getGameWidth() / 2);
            centrePlayer->setY(manager->getGameHeight() / 2);
            break;
        case 12:
            slideFrame = interfaceSet->getFrame(kFirstSlideFrame + selectedStage);
            transitionPlayer = newPlayer(loadAnimSet(kCurtainSet, kCurtainGobs));
            break;
        case 11:
            loadStagePicture();
            break;
        case 1:
            kv::Resources::closePack();
            state = kReady;
            return;
        default:
            break;
    }
    --loadStep;
}

void WorldMap::loadStagePicture() {
    stageSet = nullptr;
    stageGobs = nullptr;
    if (selectedStage < 0 || selectedStage >= kStages)
        vm::throwNew<java::lang::RuntimeException>(String::withNumber("no stage picture for stage ", selectedStage));
    stageGobs = assets::loadGobs(kStagePictureGobs + selectedStage);
    stageSet = assets::loadAnimSet(kStagePictureSet + selectedStage, stageGobs);
    stagePicture = stageSet->getFrame(0);
}

// ---- per frame ----

void WorldMap::update(int32_t dt) {
    if (state == kLoading) {
        load();
        return;
    }
    centrePlayer->update(dt);
    arrowPlayer->update(dt);
    const int32_t arrows = wantedArrows();
    if (arrowPlayer->getAnimation() != arrows) arrowPlayer->setAnimation(arrows);
    if (state == kMovingNext || state == kMovingPrevious) updateMove(dt);
}

int32_t WorldMap::wantedArrows() const {
    if (openStageCount == 1) return kArrowsNone;
    if (selectedStage == 0) return kArrowsUp;
    if (selectedStage == openStageCount - 1) return kArrowsDown;
    return kArrowsBoth;
}

int32_t WorldMap::barOffset() { return topBar->getHeight(0) / 2; }

int32_t WorldMap::curtainHeight() {
    VMPtr<kv::Frame> frame = transitionPlayer->getCurrentFrame();
    return frame ? frame->getHeight(0) : 0;
}

void WorldMap::updateMove(int32_t dt) {
    const int32_t y = transitionPlayer->getY(), h = curtainHeight(), t = transitionPlayer->getFrameTop(0);
    const int32_t bandTop = slideFrame->getY(0) + barOffset(), bandBottom = bandTop + slideFrame->getHeight(0);
    const int32_t animation = transitionPlayer->getAnimation();
    if (state == kMovingNext) {
        if (animation == kNextFirstHalf) {
            if (y - h > bandBottom) {
                transitionPlayer->setAnimation(kNextSecondHalf);
                transitionPlayer->setY(bandTop);
                ++selectedStage;
                loadStagePicture();
            }
        } else if (animation == kNextSecondHalf) {
            if (y + t > bandBottom) state = kReady;
        } else {
            return;
        }
    } else {
        if (animation == kPreviousFirstHalf) {
            if (y + h < bandTop) {
                transitionPlayer->setAnimation(kPreviousSecondHalf);
                transitionPlayer->setY(bandBottom);
                --selectedStage;
                loadStagePicture();
            }
        } else if (animation == kPreviousSecondHalf) {
            if (y + h < bandTop) state = kReady;
        } else {
            return;
        }
    }
    transitionPlayer->update(dt);
}

// ---- actions ----

bool WorldMap::startMoveToNext() {
    if (selectedStage + 1 >= openStageCount) return false;
    transitionPlayer->setAnimation(kNextFirstHalf);
    transitionPlayer->setY(slideFrame->getY(0) + barOffset());
    state = kMovingNext;
    return true;
}

bool WorldMap::startMoveToPrevious() {
    if (selectedStage - 1 < 0) return false;
    transitionPlayer->setAnimation(kPreviousFirstHalf);
    transitionPlayer->setY(slideFrame->getY(0) + slideFrame->getHeight(0) + barOffset());
    state = kMovingPrevious;
    return true;
}

void WorldMap::startSelectedStage() {
    VMPtr<VMArray<int8_t, 1>> record = manager->loadRecord(0);
    manager->storeResult(0, 0, selectedStage, 0, 0, 0, 0, 0);
    if (selectedStage != 0) {
        manager->changeScene(kLevel);
    } else if (record->at(ui::progress::kTutorialDone) == 0) {
        manager->changeScene(kTutorial);
    } else {
        manager->storyMode = kIntroduction;
        manager->changeScene(kStory);
    }
}

void WorldMap::handleKeys() {
    if (state != kReady) return;
    if (manager->isActionPressed(10)) {
        startMoveToNext();
    } else if (manager->isActionPressed(11)) {
        startMoveToPrevious();
    } else if (manager->isActionPressed(13)) {
        manager->changeScene(kShop);
    } else if (manager->isActionPressed(12)) {
        manager->changeScene(kAchievements);
    } else if (manager->isActionPressed(14) || manager->isActionPressed(20) || manager->isActionPressed(3)) {
        startSelectedStage();
    } else if (manager->isActionPressed(16) || manager->isActionPressed(19) || manager->isActionPressed(1)) {
        manager->changeScene(kMenu);
    }
}

void WorldMap::handlePointer() {
    if (state != kReady || Input::getStaticFlag() != 1) return;
    const int32_t x = Input::getStaticIntA(), y = Input::getStaticIntB();
    const int32_t width = manager->getGameWidth(), height = manager->getGameHeight(), bar = barOffset();
    // Every zone is gathered before the first test; a frame with fewer boxes has fewer zones.
    VMPtr<BoxArray> barBoxes = clearedBoxes(scratchBoxes, InGameObject::kZoneBoxes, 2),
                    buttonBoxes = clearedBoxes(scratchBoxes, InGameObject::kButtonBoxes, 2),
                    centreBoxes = clearedBoxes(scratchBoxes, InGameObject::kCentreBoxes, 2);
    const int32_t barCount = topBar->getCollisionBoxes(0, barBoxes, kZoneBox);
    const int32_t buttonCount = bottomBar->getCollisionBoxes(0, buttonBoxes, kZoneBox);
    const int32_t centreCount = centrePlayer->getCollisionBoxes(0, centreBoxes, kZoneBox);
    auto hit = [&](VMPtr<BoxArray>& boxes, int32_t count, int32_t i, int32_t dx, int32_t dy) {
        return i < count && isPointInBox(x, y, rectOf(boxes->at(i), dx, dy));
    };
    if (hit(barBoxes, barCount, 0, 0, bar)) {
        startMoveToNext();
    } else if (hit(barBoxes, barCount, 1, 0, bar)) {
        startMoveToPrevious();
    } else if (hit(buttonBoxes, buttonCount, 0, width / 2, height)) {
        manager->changeScene(kMenu);
    } else if (hit(buttonBoxes, buttonCount, 1, width / 2, height)) {
        startSelectedStage();
    } else if (hit(centreBoxes, centreCount, 0, width / 2, height / 2)) {
        manager->changeScene(kAchievements);
    } else if (hit(centreBoxes, centreCount, 1, width / 2, height / 2)) {
        manager->changeScene(kShop);
    }
}

// ---- painting ----

void WorldMap::paint(VMPtr<Graphics> g) {
    if (state == kLoading) return;
    const int32_t width = manager->getGameWidth(), height = manager->getGameHeight(), bar = barOffset();
    g->setColor(0x000000);
    g->fillRect(0, 0, 240, 320);

    VMPtr<BoxArray> place = clearedBoxes(scratchBoxes, InGameObject::kPlaceBoxes, 1);
    interfaceSet->getFrame(kFirstPlacementFrame + selectedStage)->getCollisionBoxes(0, place);
    stagePicture->paint(g, place->at(0)->x, place->at(0)->y + bar, 0);

    if (state == kMovingNext || state == kMovingPrevious) {
        const int32_t y = transitionPlayer->getY(), h = curtainHeight(), t = transitionPlayer->getFrameTop(0);
        const int32_t bandHeight = slideFrame->getHeight(0), animation = transitionPlayer->getAnimation();
        transitionPlayer->paint(g);
        if (state == kMovingNext) {
            if (animation == kNextFirstHalf) g->fillRect(0, 0, width, y + t);
            else if (animation == kNextSecondHalf) g->fillRect(0, y + t + h, width, bandHeight);
        } else {
            if (animation == kPreviousFirstHalf) g->fillRect(0, y + t + h, width, bandHeight - y + h);
            else if (animation == kPreviousSecondHalf) g->fillRect(0, 0, width, y - t);
        }
    }

    topBar->paint(g, 0, bar, 0);
    bottomBar->paint(g, width / 2, height, 0);
    centrePlayer->paint(g);
    arrowPlayer->paint(g, 0, bar, 0);
    paintTexts(g);
}

void WorldMap::paintTexts(VMPtr<Graphics> g) {
    const int32_t width = manager->getGameWidth(), height = manager->getGameHeight(), bar = barOffset();
    VMPtr<ui::SceneManager::Translation> texts = manager->translations->at(manager->languageIndex);
    VMPtr<ui::SceneManager::RichFont> title = manager->fonts->at(0), body = manager->fonts->at(1);

    VMPtr<BoxArray> labels = clearedBoxes(scratchBoxes, InGameObject::kLabelBoxes, 2);
    bottomBar->getCollisionBoxes(0, labels, kTextBox);
    const int32_t labelY = height - body->getHeight() / 2;
    body->drawString(g, texts->getText(kMenuLabel), labels->at(0)->x + width / 2, labels->at(0)->y + labelY, 1);
    body->drawString(g, texts->getText(kStartLabel), labels->at(1)->x + width / 2, labels->at(1)->y + labelY, 1);

    VMPtr<BoxArray> number = clearedBoxes(scratchBoxes, InGameObject::kNumberBoxes, 1);
    topBar->getCollisionBoxes(0, number, kNumberBox);
    VMPtr<String> stageNumber = keptText(kStageNumberText, {selectedStage}, [&] { return String::valueOf(selectedStage + 1); });
    title->drawString(g, stageNumber, number->at(0)->x, number->at(0)->y + bar - title->getHeight() / 2, 1);

    paintMarkAndTime(g);
}

void WorldMap::paintMarkAndTime(VMPtr<Graphics> g) {
    const int32_t mark = stageMarks->at(selectedStage);
    if (mark == kNoMark) return;
    VMPtr<ui::SceneManager::Translation> texts = manager->translations->at(manager->languageIndex);
    VMPtr<ui::SceneManager::RichFont> body = manager->fonts->at(1);
    VMPtr<BoxArray> place = clearedBoxes(scratchBoxes, InGameObject::kHeadBoxes, 1);
    topBar->getCollisionBoxes(0, place, kTextBox);
    const int32_t x = place->at(0)->x, lineHeight = body->getHeight();
    const int32_t markY = place->at(0)->y + barOffset() - lineHeight / 2;
    body->drawString(g, texts->getText(mark >= 0 && mark <= 3 ? kMarkTexts[mark] : kUnknownMark), x, markY, 1);

    VMPtr<VMArray<int32_t, 1>> time = bestTimes->at(selectedStage);
    const TextKey key = {manager->languageIndex, time->at(0), time->at(1), time->at(2)};
    VMPtr<String> timeLine = keptText(kTimeLineText, key, [&] {
        VMPtr<java::lang::StringBuffer> line = java::lang::StringBuffer::_VM_new();
        line->_VM_init(texts->getText(kTimeLabel));
        line->append("  ", 2)->append(twoDigits(time->at(0)))->append(u':')->append(twoDigits(time->at(1)))->append(u':');
        line->append(twoDigits(time->at(2)));
        return line->toString();
    });
    body->drawString(g, timeLine, x, markY + lineHeight + lineHeight / 2, 1);
}

}  // namespace scene
