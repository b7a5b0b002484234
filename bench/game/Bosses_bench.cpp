// Figures for the last two boss fights in the real game, headless, on the compiled content:
// - each of the sixteen load calls (median of 5 loads) against the 50 ms frame;
// - update and paint of each fight's busiest frame, median of 400 frames, against the 50 ms
//   frame and the copy of a 240 x 320 picture: boss 4 with all six falling objects in play,
//   the sweep running and the hero firing; boss 5 with 50 icicles, 10 shards and 5 guards;
// - managed allocations per frame of that play, and the heap in use after 20,000 such frames
//   against the heap after the first 2,000.
// Usage: bosses_bench

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

#include "bench/ManagedAllocations.h"
#include "bench/game/BossCrowds.h"
#include "bench/game/GameBench.h"
#include "src/game/boss/BossFrame.h"
#include "src/game/boss/scene_InGameBoss_4.h"
#include "src/game/boss/scene_InGameBoss_5.h"

namespace {

using namespace bench;
using Boss4 = scene::InGameBoss_4;
using Boss5 = scene::InGameBoss_5;

template <class S> VMPtr<S> newFight(int32_t stage) {
    manager().storeResult(0, 0, stage, 0, 1, 0, 0, 0);
    VMPtr<S> fight = S::_VM_new();
    fight->_VM_init(VMPtr<ui::SceneManager>(&manager()));
    return fight;
}

// The busiest frame: the fight held in play, its field crowded (bench/game/BossCrowds.h).
template <class S> void crowdFight(S& fight) {
    holdFight(fight);
    crowd(fight);
}

bool busy(Boss4& fight) {
    for (int32_t i = 0; i < Boss4::kShotCount; ++i)
        if (!fight.activeShots->at(i)) return false;
    return fight.state == boss::kPlaying;
}

bool busy(Boss5& fight) {
    for (int32_t i = 0; i < Boss5::kMinionCount; ++i)
        if (!fight.activeMinions->at(i) || fight.activeMinions->at(i)->state != InGameObject::Enemy::kAlive) return false;
    for (int32_t i = 0; i < Boss5::kShardCount; ++i)
        if (!fight.activeShards->at(i)) return false;
    for (int32_t i = 0; i < fight.rainList->size(); ++i)
        if (fight.rainAt(i)->getAnimation() != Boss5::kRainFall) return false;
    return fight.state == boss::kPlaying && fight.rainList->size() == Boss5::kRainMost;
}

template <class S> void measure(const char* name, int32_t stage) {
    std::vector<std::vector<double>> steps(16);
    for (int n = 0; n < 5; ++n) {
        VMPtr<S> fight = newFight<S>(stage);
        for (int call = 0; call < 16; ++call) steps[size_t(call)].push_back(timedMillis([&] { fight->load(); }));
    }
    std::printf("%s load calls (median of 5), frame 50 ms:\n", name);
    for (int call = 0; call < 16; ++call)
        std::printf("  call %2d (step %2d): %7.2f ms\n", call + 1, call == 0 ? 0 : 16 - call, median(steps[size_t(call)]));

    VMPtr<S> fight = newFight<S>(stage);
    for (int call = 0; call < 16; ++call) fight->load();
    crowdFight(*fight);
    VMPtr<Image> screen = Image::createImage(240, 320, false, 0), target = Image::createImage(240, 320, false, 0);
    VMPtr<Graphics> g = screen->getGraphics();
    const double copy = frameCopyMillis(target->getGraphics(), 400);
    std::vector<double> updates, paints;
    for (int i = 0; i < 400; ++i) {
        if (!busy(*fight)) crowdFight(*fight);
        updates.push_back(timedMillis([&] { fight->update(50); }));
        paints.push_back(timedMillis([&] { fight->paint(g); }));
    }
    const double update = median(updates), paint = median(paints);
    std::printf("%s busiest frame, median of 400: update %.3f ms, paint %.3f ms; together %.1f %% of the 50 ms frame, "
                "%.2f x a 240 x 320 copy (%.3f ms)\n",
                name, update, paint, 100.0 * (update + paint) / 50.0, (update + paint) / copy, copy);
    crowdFight(*fight);
    const uint64_t before = managedAllocations;
    int frames = 0;
    for (; frames < 100 && busy(*fight); ++frames) {
        fight->update(50);
        fight->paint(g);
    }
    std::printf("  managed allocations a frame: %.1f\n", double(managedAllocations - before) / std::max(frames, 1));
    int64_t early = 0;
    for (int frame = 0; frame < 20000; ++frame) {
        if (!busy(*fight)) crowdFight(*fight);
        fight->update(50);
        fight->paint(g);
        if (frame == 2000) early = heapInUse();
    }
    const int64_t late = heapInUse();
    std::printf("  heap in use after 2,000 frames %lld KiB, after 20,000 %lld KiB\n", (long long)(early / 1024),
                (long long)(late / 1024));
}

void measureBosses() {
    measure<Boss4>("boss 4", 3);
    measure<Boss5>("boss 5", 4);
    manager().requestExit();
}

}  // namespace

int main() { return runGameBench("bosses", true, measureBosses); }
