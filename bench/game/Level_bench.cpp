// Figures for the normal level of stage 4 in the real game, headless, on the compiled content:
// - each of its sixteen load calls (median of 5 loads) against the 50 ms frame;
// - update and paint of its busiest frame (4 enemies, 50 glass pieces, 5 items, the view
//   climbing), median of 400 frames, against the 50 ms frame and the copy of a 240 x 320
//   picture;
// - managed allocations per frame of play (no enemy, glass or item is made in play), and the
//   heap in use after ten minutes of such frames, against the heap after the first minute.
// Usage: level_bench

#include <cstdio>
#include <vector>

#include "bench/ManagedAllocations.h"
#include "bench/game/GameBench.h"
#include "src/game/level/scene_InGameNormal.h"

namespace {

using namespace bench;
using Level = scene::InGameNormal;

VMPtr<Level> newLevel() {
    manager().storeResult(0, 0, 4, 0, 0, 0, 0, 0);
    VMPtr<Level> level = Level::_VM_new();
    level->_VM_init(VMPtr<ui::SceneManager>(&manager()));
    return level;
}

// Stage 4's busiest frame: its most enemies, every glass piece, every item, the view climbing.
void crowd(Level& level) {
    level.state = Level::kPlaying;
    for (int32_t i = 0; i < level.activeEnemies->length; ++i) {
        InGameObject::Enemy* enemy = level.freeEnemies->at(i * 2);
        level.activeEnemies->set(i, enemy);
        level.freeEnemies->set(i * 2, nullptr);
        enemy->spawn(i % 2, 0);
    }
    for (int32_t i = 0; i < Level::kGlassCount; ++i) {
        level.activeGlass->set(i, level.spareGlass->at(i));
        level.spareGlass->set(i, nullptr);
        level.activeGlass->at(i)->setPosition(5 + i * 4, 120 + (i % 5) * 10);
        level.activeGlass->at(i)->state = 0;
    }
    for (int32_t i = 0; i < Level::kItemCount; ++i) {
        level.activeItems->set(i, level.spareItems->at(i));
        level.spareItems->set(i, nullptr);
        level.activeItems->at(i)->spawn(30 + i * 40, 100);
    }
    level.maxHeight = -20000;  // the marker climbs every frame
}

void measureLoading() {
    std::vector<std::vector<double>> steps(16);
    for (int n = 0; n < 5; ++n) {
        VMPtr<Level> level = newLevel();
        for (int call = 0; call < 16; ++call) steps[size_t(call)].push_back(timedMillis([&] { level->load(); }));
    }
    std::printf("stage 4 load calls (median of 5), frame 50 ms:\n");
    for (int call = 0; call < 16; ++call)
        std::printf("  call %2d (step %2d): %7.2f ms\n", call + 1, call == 0 ? 0 : 16 - call, median(steps[size_t(call)]));
}

void measurePlay() {
    VMPtr<Level> level = newLevel();
    for (int call = 0; call < 16; ++call) level->load();
    crowd(*level);
    VMPtr<Image> screen = Image::createImage(240, 320, false, 0);
    VMPtr<Graphics> g = screen->getGraphics();
    std::vector<double> updates, paints, copies;
    VMPtr<Image> target = Image::createImage(240, 320, false, 0);
    for (int i = 0; i < 400; ++i) {
        if (level->state != Level::kPlaying) crowd(*level);
        updates.push_back(timedMillis([&] { level->update(50); }));
        paints.push_back(timedMillis([&] {
            g->translate(0, manager().getGameY() - g->getTranslateY());
            level->paint(g);
        }));
        copies.push_back(timedMillis([&] { target->getGraphics()->drawImage(screen, 0, 0, 0); }));
    }
    std::printf("busiest frame (4 enemies, 50 glass, 5 items, climbing), median of 400:\n");
    std::printf("  update %.3f ms, paint %.3f ms; a 240 x 320 copy %.3f ms; frame 50 ms\n", median(updates),
                median(paints), median(copies));
    const uint64_t before = managedAllocations;
    for (int i = 0; i < 100; ++i) {
        level->update(50);
        level->paint(g);
    }
    std::printf("  managed allocations a frame: %.1f\n", double(managedAllocations - before) / 100.0);
    int64_t afterMinute = 0;
    for (int frame = 0; frame < 12000; ++frame) {  // ten minutes of 50 ms frames
        if (level->state != Level::kPlaying) crowd(*level);
        if (manager().getGameY() > 20000) {
            manager().setGameArea(240, 320);
            manager().setGameY(0);
        }
        level->update(50);
        level->paint(g);
        if (frame == 1200) afterMinute = heapInUse();
    }
    const int64_t afterTen = heapInUse();
    std::printf("  heap in use after 1 min %lld KiB, after 10 min %lld KiB\n", (long long)(afterMinute / 1024),
                (long long)(afterTen / 1024));
}

void measureLevel() {
    measureLoading();
    measurePlay();
    manager().requestExit();
}

}  // namespace

int main() { return runGameBench("level", true, measureLevel); }
