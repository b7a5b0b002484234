// Steady play makes no managed object: each kind of scene, entered through the game driver
// on the compiled content and kept busy (enemies coming and dying, fights going on with the
// hero firing, the tutorial's shot and closing message, the front-end and result screens),
// runs its frames after a warm-up (frames played, every animation set's frame objects made)
// without adding an object to the heap or starting a collection.

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>
#include <typeinfo>
#include <vector>

#include "lib_src/vm/VM.h"
#include "pb_src/j2me/java_lang_System.h"
#include "src/game/boss/BossFrame.h"
#include "src/game/foundation/ResourceIds.h"
#include "src/game/boss/scene_InGameBoss_1.h"
#include "src/game/boss/scene_InGameBoss_2.h"
#include "src/game/boss/scene_InGameBoss_3.h"
#include "src/game/boss/scene_InGameBoss_4.h"
#include "src/game/boss/scene_InGameBoss_5.h"
#include "src/game/foundation/global_GameConfig.h"
#include "src/game/level/scene_Tutorial.h"
#include "tests/game/support/GameDriver.h"

namespace {

using namespace game_test;
using Level = scene::InGameNormal;
using Tutorial = scene::Tutorial;

constexpr int kWarmFrames = 200, kCountedFrames = 100;

struct SteadyScene {
    std::string name;
    int32_t id, stage;
    std::function<void(ui::Scene&)> keepBusy;  // before every frame
};

// The hero unhurt and firing at the nearest enemy; the stage never runs out of enemies.
void keepLevelBusy(ui::Scene& s) {
    Level& level = dynamic_cast<Level&>(s);
    level.state = Level::kPlaying;
    level.character->setInvulnerableTimer(1'000'000);
    level.character->health = 100;
    level.spawnedCount = 0;
    if (level.defeatedCount + 1 >= global::GameConfig::stages()->at(level.stage)->at(global::GameConfig::ENEMY_TOTAL))
        level.defeatedCount = 0;
    const int32_t heroX = level.character->getX();
    int32_t target = -1;
    for (int32_t i = 0; i < level.activeEnemies->length; ++i) {
        InGameObject::Enemy* enemy = level.activeEnemies->at(i);
        if (enemy && enemy->state == InGameObject::Enemy::kAlive &&
            (target < 0 || std::abs(enemy->getX() - heroX) < std::abs(target - heroX)))
            target = enemy->getX();
    }
    level.attackLeftFlag = target >= 0 && target < heroX;
    level.attackRightFlag = target >= 0 && target >= heroX;
}

// The fight goes on: the hero unhurt and firing upward, the boss never beaten.
template <class S> void keepFightGoing(ui::Scene& s) {
    S& fight = dynamic_cast<S&>(s);
    fight.state = boss::kPlaying;
    fight.bossHitPoints = S::kMaxHitPoints;
    fight.character->setInvulnerableTimer(1'000'000);
    fight.character->health = 100;
    fight.attackUpFlag = true;
}

std::vector<SteadyScene> scenes() {
    auto still = [](ui::Scene&) {};
    return {
        {"menu", scene_id::kMenu, 0, still},
        {"world map", scene_id::kWorldMap, 0, still},
        {"stage 1", scene_id::kNormalLevel, 0, keepLevelBusy},
        {"stage 4", scene_id::kNormalLevel, 3, keepLevelBusy},
        {"boss 1", scene_id::kBoss1, 0, keepFightGoing<scene::InGameBoss_1>},
        {"boss 2", scene_id::kBoss1 + 1, 1, keepFightGoing<scene::InGameBoss_2>},
        {"boss 3", scene_id::kBoss1 + 2, 2, keepFightGoing<scene::InGameBoss_3>},
        {"boss 4", scene_id::kBoss1 + 3, 3, keepFightGoing<scene::InGameBoss_4>},
        {"boss 5", scene_id::kBoss1 + 4, 4, keepFightGoing<scene::InGameBoss_5>},
        {"tutorial shot", scene_id::kTutorial, 0,
         [](ui::Scene& s) {
             Tutorial& t = dynamic_cast<Tutorial&>(s);
             t.state = Tutorial::kPlaying;
             t.step = 3;
             t.attackLeftFlag = true;
         }},
        {"tutorial message", scene_id::kTutorial, 0,
         [](ui::Scene& s) {
             Tutorial& t = dynamic_cast<Tutorial&>(s);
             t.state = Tutorial::kPlaying;
             t.step = Tutorial::kClosingStep;
             t.closingTime = 2100;
         }},
        {"result", scene_id::kResult, 0, still},
        {"shop", scene_id::kShop, 0, still},
    };
}

// The game driver with the compiled content in place and every scene the game's own.
class ContentGame : public GameDriver {
public:
    ContentGame() {
        std::filesystem::copy(OSTREL_CONTENT_RSC, folder / "rsc",
                              std::filesystem::copy_options::overwrite_existing | std::filesystem::copy_options::recursive);
    }
};

// Every animation set in the heap makes each of its frame objects now: a set makes one on a
// frame's first use and keeps it, which is part of warming up, not of steady play.
void makeEveryFrame() {
    std::vector<VMPtr<kv::AnimSet>> sets;
    for (java::lang::Object* object = VM::instance()->objects; object; object = object->next)
        if (auto* set = dynamic_cast<kv::AnimSet*>(object)) sets.emplace_back(set);
    for (const VMPtr<kv::AnimSet>& set : sets) {
        for (int32_t frame = 0; frame < set->getFrameCount(); ++frame) set->getFrame(frame);
        for (int32_t animation = 0; animation < set->getAnimationCount(); ++animation) set->getAnimationFrame(animation);
    }
}

// The classes of the objects made since `head` led the heap's list (new objects go first).
std::vector<std::string> madeSince(java::lang::Object* head) {
    std::vector<std::string> made;
    for (java::lang::Object* object = VM::instance()->objects; object && object != head; object = object->next)
        made.push_back(typeid(*object).name());
    return made;
}

struct Counted {
    std::string name;
    std::vector<std::string> made;
    uint32_t collections;
    bool operator==(const Counted&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Counted& c) {
    out << c.name << ": " << c.collections << " collections, made";
    for (const std::string& made : c.made) out << " " << made;
    return out;
}

TEST(SteadyFrames, EveryKindOfSceneRunsWithoutMakingAnObject) {
    static std::vector<Counted> counted, expected;
    ContentGame game;
    EXPECT_EQ(game.run([](GameDriver& g) {
        auto& game = static_cast<ContentGame&>(g);
        game.start();
        game.manager().setStageMark(0, 3);
        game.manager().storeBestTime(0, 0, 5, 7);
        for (const SteadyScene& steady : scenes()) {
            // A cleared stage's result, as a level stores it before its fight or the result screen.
            game.manager().storeResult(0, 7, steady.stage, 0, 1, 0, 12, 50);
            const ui::Scene* before = game.manager().getScene().get();
            game.manager().changeScene(steady.id);
            for (int i = 0; i < 100 && (game.manager().getScene().get() == before || game.manager().getScene()->isLoading()); ++i)
                game.frames(1);
            VMPtr<ui::Scene> entered = game.manager().getScene();
            bool stayed = game.manager().getSceneId() == steady.id;
            auto frame = [&] {
                stayed = stayed && game.manager().getScene().get() == entered.get();
                if (!stayed) return;
                steady.keepBusy(*entered);
                game.frames(1);
            };
            for (int i = 0; i < kWarmFrames; ++i) frame();
            makeEveryFrame();
            EXPECT_TRUE(stayed) << steady.name << " left for scene " << game.manager().getSceneId();
            java::lang::System::gc();
            VM& vm = *VM::instance();
            java::lang::Object* head = vm.objects;
            const uint32_t collections = vm.collections;
            for (int i = 0; i < kCountedFrames; ++i) frame();
            // A collection may have freed the old head: the list is read only when none ran.
            const uint32_t ran = vm.collections - collections;
            counted.push_back({steady.name, ran == 0 ? madeSince(head) : std::vector<std::string>{}, ran});
            expected.push_back({steady.name, {}, 0});
        }
        game.manager().requestExit();
    }), 0);
    EXPECT_EQ(counted, expected);
}

}  // namespace
