#include "src/game/frontend/scene_Story.h"

#include "src/game/foundation/SceneTable.h"
#include "src/game/objects/SetLoading.h"
#include "src/kv/kv_Resources.h"

namespace scene {

VM_DEFINE_CLASS(Story, "scene.Story", "ui.Scene", VM_NO_CLINIT)

namespace {

const ui::SceneRegistration registration(11, &ui::buildScene<Story>);

// Each story: its set and images, its player count, the players' y (x is 120), the scene
// that follows it.
struct Sequence {
    int32_t set, gobs, players, y, lastY, next;
};
constexpr Sequence kSequences[4] = {
    {},
    {0x1004, 0x100E, 3, 160, 224, 2},
    {0x1000, 0x100A, 1, 160, 160, 7},
    {0x1006, 0x1010, 5, 224, 224, 19},
};
constexpr int32_t kX = 120;
constexpr int32_t kWorldMap = 7;

bool isKnownMode(int32_t mode) { return mode >= Story::kIntroduction && mode <= Story::kLeadIn; }

}  // namespace

VMPtr<Story> Story::_VM_init(VMPtr<ui::SceneManager> owner) {
    Scene::_VM_init();
    manager = owner;
    init();
    return this;
}

void Story::init() {
    state = 0;
    loadStep = 0;
}

void Story::load() {
    if (!isKnownMode(manager->storyMode)) return;
    if (loadStep == 0) {
        loadStep = 15;
    } else if (loadStep == 15) {
        loadSequence();
        loadStep = 14;
    } else if (loadStep > 1) {
        --loadStep;
    } else {
        state = 1;
    }
}

void Story::loadSequence() {
    const Sequence& story = kSequences[manager->storyMode];
    storySet = InGameObject::loadAnimSet(story.set, story.gobs);
    players = PlayerArray::_VM_new(story.players);
    for (int32_t i = 0; i < story.players; ++i) {
        VMPtr<kv::AnimPlayer> player = kv::AnimPlayer::_VM_new();
        player->_VM_init();
        player->setAnimSet(storySet);
        player->setAnimation(i);
        player->setX(kX);
        player->setY(i == story.players - 1 ? story.lastY : story.y);
        players->set(i, player);
        // The ending and the lead-in settle their first frame before it is drawn.
        if (manager->storyMode != kIntroduction) player->update(0);
    }
}

void Story::update(int32_t dt) {
    if (!isKnownMode(manager->storyMode)) {
        manager->changeScene(kWorldMap);
        return;
    }
    if (state == 0) {
        load();
        return;
    }
    if (advance(dt)) manager->changeScene(kSequences[manager->storyMode].next);
}

bool Story::advance(int32_t dt) {
    const int32_t last = players->length - 1;
    bool othersEnded = true;
    // Every player before the last is advanced, also one that has ended already.
    for (int32_t i = 0; i < last; ++i)
        if (players->at(i)->update(dt)) othersEnded = false;
    return othersEnded && !players->at(last)->update(dt);
}

void Story::paint(VMPtr<Graphics> g) {
    if (state == 0) {
        load();
        return;
    }
    const int32_t last = players->length - 1;
    if (manager->storyMode != kEnding) {
        g->setColor(0x000000);
        g->fillRect(0, 0, 240, 320);
    }
    bool painted = false;
    for (int32_t i = 0; i < last; ++i) {
        if (!isPlaying(i)) continue;
        players->at(i)->paint(g);
        painted = true;
    }
    if (!painted) players->at(last)->paint(g);
}

}  // namespace scene
