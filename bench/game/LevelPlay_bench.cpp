// Figures for the normal level's play in the real game, headless, on the compiled content:
// - checkCollisions with every array full (4 enemies, every attack slot busy, 5 items) and
//   updateGlass with checkGlassHits over 50 pieces, against the 50 ms frame and the copy of
//   a 240 x 320 picture;
// - update plus paint of each frame of stage 0 played to its clear (the attack held toward
//   the nearest enemy, the strongest weapon), median and worst;
// - managed allocations per pointer event and per frame of that run.
// Usage: level_play_bench

#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <vector>

#include "hal/base/VMCallbacks.h"
#include "hal/host/HeadlessBackend.h"
#include "hal/services/ModulePath.h"
#include "hal/shell/Shell.h"
#include "lib_src/vm/VM.h"
#include "pb_src/j2me/javax_microedition_lcdui_Image.h"
#include "src/game/foundation/SceneTable.h"
#include "src/game/level/scene_InGameNormal.h"
#include "src/kv/input/kv_input_PointerInputEventManager.h"

static uint64_t managedAllocations = 0;
extern "C" {
void* __real__Z12_VM_allocatemb(uint64_t size, bool exceptionsAllowed);
void* __real__Z17_VM_allocateBytesm(uint64_t size);
void* __wrap__Z12_VM_allocatemb(uint64_t size, bool exceptionsAllowed) {
    ++managedAllocations;
    return __real__Z12_VM_allocatemb(size, exceptionsAllowed);
}
void* __wrap__Z17_VM_allocateBytesm(uint64_t size) {
    ++managedAllocations;
    return __real__Z17_VM_allocateBytesm(size);
}
}

namespace {

using Clock = std::chrono::steady_clock;
using Image = javax::microedition::lcdui::Image;
using Level = scene::InGameNormal;
using kv::input::PointerInputEventManager;

ui::SceneManager& manager() { return *static_cast<ui::SceneManager*>(kv::KvCanvas::instance.get()); }

double median(std::vector<double> samples) {
    std::sort(samples.begin(), samples.end());
    return samples[samples.size() / 2];
}

template <typename Step> double timed(Step step) {
    const Clock::time_point start = Clock::now();
    step();
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

VMPtr<Level> loadedLevel(int32_t stage) {
    manager().setGameArea(240, 320);
    manager().storeResult(0, 0, stage, 0, 0, 0, 0, 0);
    VMPtr<Level> level = Level::_VM_new();
    level->_VM_init(VMPtr<ui::SceneManager>(&manager()));
    for (int call = 0; call < 16; ++call) level->load();
    level->state = Level::kPlaying;
    return level;
}

double copyMillis() {
    VMPtr<Image> screen = Image::createImage(240, 320, false, 0), target = Image::createImage(240, 320, false, 0);
    std::vector<double> copies;
    for (int i = 0; i < 200; ++i) copies.push_back(timed([&] { target->getGraphics()->drawImage(screen, 0, 0, 0); }));
    return median(copies);
}

// Stage 4: four enemies (two of them throwers) with their effects in flight, every attack
// slot's projectile on an enemy, five items away from the character.
void fillArrays(Level& level) {
    InGameObject::Character& hero = *level.character;
    for (int32_t i = 0; i < level.activeEnemies->length; ++i) {
        InGameObject::Enemy* enemy = level.activeEnemies->at(i) ? level.activeEnemies->at(i) : level.freeEnemies->at(i * 2);
        level.activeEnemies->set(i, enemy);
        level.freeEnemies->set(i * 2, nullptr);
        enemy->player->setX(20 + 50 * i);
        enemy->player->setY(224);
        enemy->effect->setAnimation(InGameObject::Enemy::kEffectFlight);
        enemy->effect->setX(10);
        enemy->effect->setY(100);
    }
    for (int32_t slot = 0; slot < InGameObject::Character::kSlots; ++slot) {
        kv::AnimPlayer* shot = hero.shots->at(slot);
        shot->setAnimation(6);
        shot->setX(20 + 50 * slot);
        shot->setY(210);
        hero.projectiles->set(slot, shot);
        hero.hitCounts->at(slot) = 0;
        hero.hitsLeft->at(slot) = 8;
        hero.slotDamage->at(slot) = 0;  // hits that change nothing, so every call does the same work
    }
    for (int32_t i = 0; i < Level::kItemCount; ++i) {
        if (!level.activeItems->at(i)) {
            level.activeItems->set(i, level.spareItems->at(i));
            level.spareItems->set(i, nullptr);
        }
        level.activeItems->at(i)->spawn(10 + 45 * i, 40);
    }
}

// 25 pieces resting in a row and 25 falling above them, none touching yet.
void placeGlass(Level& level) {
    for (int32_t i = 0; i < Level::kGlassCount; ++i) {
        if (!level.activeGlass->at(i)) {
            for (int32_t k = 0; k < Level::kGlassCount; ++k)
                if (level.spareGlass->at(k)) {
                    level.activeGlass->set(i, level.spareGlass->at(k));
                    level.spareGlass->set(k, nullptr);
                    break;
                }
        }
        InGameObject::Glass* piece = level.activeGlass->at(i);
        piece->start(i % 7, 0);
        const bool resting = i < 25;
        piece->setPosition(5 + (i % 25) * 9, resting ? 223 : 60);
        piece->state = resting ? InGameObject::Glass::kResting : InGameObject::Glass::kFalling;
    }
    for (int32_t k = 0; k < 20; ++k) level.controlPoints->at(k) = 320;
}

void measureSteps(double copy) {
    VMPtr<Level> level = loadedLevel(4);
    std::vector<double> collisions, glass;
    for (int i = 0; i < 2000; ++i) {
        fillArrays(*level);
        collisions.push_back(timed([&] { level->checkCollisions(); }));
        placeGlass(*level);
        glass.push_back(timed([&] {
            level->updateGlass(0);
            level->checkGlassHits();
        }));
    }
    std::printf("checkCollisions, every array full: %.4f ms = %.5f of the 50 ms frame = %.2f copies\n", median(collisions),
                median(collisions) / 50, median(collisions) / copy);
    std::printf("updateGlass + checkGlassHits, 50 pieces: %.4f ms = %.5f of the frame = %.2f copies\n", median(glass),
                median(glass) / 50, median(glass) / copy);
}

void pointerEvent(Level& level, int8_t type, int32_t x, int32_t y) {
    PointerInputEventManager::addEvent(type, x, y);
    PointerInputEventManager::nextEvent();
    level.handlePointer();
}

void measurePointer() {
    VMPtr<Level> level = loadedLevel(0);
    struct Case {
        const char* name;
        int8_t type;
        int32_t x, y;
        int32_t state;
    } cases[] = {{"press on a zone", 1, 60, 160, Level::kPlaying},  {"drag", 2, 90, 190, Level::kPlaying},
                 {"release", 3, 60, 160, Level::kPlaying},          {"press on the pause menu", 1, 5, 5, Level::kPauseMenu},
                 {"event in the quit question", 3, 5, 5, Level::kQuitQuestion}};
    for (const Case& c : cases) {
        level->state = c.state;
        const uint64_t before = managedAllocations;
        for (int i = 0; i < 100; ++i) pointerEvent(*level, c.type, c.x, c.y);
        std::printf("  %s: %.1f managed allocations\n", c.name, double(managedAllocations - before) / 100.0);
    }
}

int32_t nearestEnemyX(Level& level) {
    const int32_t heroX = level.character->getX();
    int32_t best = -1;
    for (int32_t i = 0; i < level.activeEnemies->length; ++i) {
        InGameObject::Enemy* enemy = level.activeEnemies->at(i);
        if (!enemy || enemy->state != InGameObject::Enemy::kAlive) continue;
        if (best < 0 || std::abs(enemy->getX() - heroX) < std::abs(best - heroX)) best = enemy->getX();
    }
    return best;
}

void measureClearRun(double copy) {
    VMPtr<Level> level = loadedLevel(0);
    level->random->setSeed(1234);
    for (int32_t i = 0; i < 7; ++i) level->character->weaponStates->at(i) = 0;
    level->character->switchToOwnedWeapon(true);
    VMPtr<Image> screen = Image::createImage(240, 320, false, 0);
    VMPtr<javax::microedition::lcdui::Graphics> g = screen->getGraphics();
    std::vector<double> frames;
    const uint64_t before = managedAllocations;
    int count = 0;
    for (; count < 20 * 60 * 20 && level->state == Level::kPlaying; ++count) {
        const int32_t target = nearestEnemyX(*level), heroX = level->character->getX();
        level->attackLeftFlag = target >= 0 && target < heroX;
        level->attackRightFlag = target >= 0 && target >= heroX;
        frames.push_back(timed([&] {
            level->update(50);
            g->translate(0, manager().getGameY() - g->getTranslateY());
            level->paint(g);
        }));
    }
    std::printf("stage 0 to its clear (%d frames, %s): update + paint median %.3f ms, worst %.3f ms (%.2f copies)\n",
                count, level->state == Level::kCleared ? "cleared" : "not cleared", median(frames),
                *std::max_element(frames.begin(), frames.end()), *std::max_element(frames.begin(), frames.end()) / copy);
    std::printf("  managed allocations a frame: %.1f\n", double(managedAllocations - before) / count);
}

class BenchScene : public ui::Scene {
    VM_CLASS(BenchScene, ui::Scene)
    VMPtr<BenchScene> _VM_init(VMPtr<ui::SceneManager>) {
        Scene::_VM_init();
        return this;
    }
    void update(int32_t) override {
        const double copy = copyMillis();
        std::printf("a 240 x 320 copy: %.4f ms\n", copy);
        measureSteps(copy);
        std::printf("pointer events (100 each):\n");
        measurePointer();
        measureClearRun(copy);
        manager().requestExit();
    }
};

}  // namespace

VM_DEFINE_CLASS_WITHOUT_FACTORY(BenchScene, "bench.LevelPlayBenchScene", "ui.Scene", VM_NO_CLINIT)

int main() {
    const auto folder = std::filesystem::temp_directory_path() / ("ostrel_level_play_bench_" + std::to_string(getpid()));
    std::filesystem::create_directories(folder / "properties");
    std::filesystem::copy(OSTREL_PROGRAM_DIR "/rsc", folder / "rsc");
    std::ofstream(folder / "properties" / "app.prop") << "MIDlet-Name: Ostrel\nMIDlet-1: Ostrel,/icon.png,Ostrel\n";
    HAL_setModuleDirectory(folder.c_str());
    setenv("OSTREL_DATABASE_DIR", (folder / "database").c_str(), 1);
    setenv("OSTREL_AUDIO", "silent", 1);
    host::setHostBackend(std::make_unique<host::HeadlessBackend>());
    const VMCallbacks callbacks = VM::callbacks();
    HAL_setVMCallbacks(&callbacks);
    ui::setSceneFactory(0, &ui::buildScene<BenchScene>);
    const int exitCode = HAL_appMain();
    std::filesystem::remove_all(folder);
    return exitCode;
}
