// Figures for the three boss fights in the real game, headless, on the compiled content:
// - each of the sixteen load calls of each fight (median of 5 loads) against the 50 ms frame;
// - update and paint of each fight's busiest frame (boss 1 with its ten drops out, boss 2 with
//   its five minions, boss 3 with its twenty shots), median of 400 frames, against the 50 ms
//   frame and the copy of a 240 x 320 picture;
// - managed allocations per frame of those frames (the box arrays of the collision, drawing
//   and HUD steps are made anew each frame).
// Usage: boss_bench

#include <cstdio>
#include <vector>

#include "bench/ManagedAllocations.h"
#include "bench/game/BossCrowds.h"
#include "bench/game/GameBench.h"
#include "src/game/boss/BossFrame.h"
#include "src/game/boss/scene_InGameBoss_1.h"
#include "src/game/boss/scene_InGameBoss_2.h"
#include "src/game/boss/scene_InGameBoss_3.h"

namespace {

using namespace bench;

template <class S> VMPtr<S> newFight(int32_t stage) {
    manager().storeResult(0, 0, stage, 0, 1, 0, 12, 50);
    VMPtr<S> fight = S::_VM_new();
    fight->_VM_init(VMPtr<ui::SceneManager>(&manager()));
    return fight;
}

template <class S> void measureLoading(int32_t stage) {
    std::vector<std::vector<double>> steps(16);
    for (int n = 0; n < 5; ++n) {
        VMPtr<S> fight = newFight<S>(stage);
        for (int call = 0; call < 16; ++call) steps[size_t(call)].push_back(timedMillis([&] { fight->load(); }));
    }
    std::printf("boss %d load calls (median of 5), against the 50 ms frame:\n", stage + 1);
    for (int call = 0; call < 16; ++call) {
        const double ms = median(steps[size_t(call)]);
        std::printf("  call %2d (step %2d): %7.3f ms = %.4f frames\n", call + 1, call == 0 ? 0 : 16 - call, ms, ms / 50);
    }
}

template <class S> void measurePlay(int32_t stage, const char* busiest, double copy) {
    VMPtr<S> fight = newFight<S>(stage);
    for (int call = 0; call < 16; ++call) fight->load();
    fight->state = boss::kPlaying;
    VMPtr<Image> screen = Image::createImage(240, 320, false, 0);
    VMPtr<Graphics> g = screen->getGraphics();
    auto frame = [&](std::vector<double>* updates, std::vector<double>* paints) {
        fight->character->setInvulnerableTimer(1'000'000);
        fight->character->health = 100;
        crowd(*fight);
        const double update = timedMillis([&] { fight->update(50); });
        const double paint = timedMillis([&] { fight->paint(g); });
        if (updates) updates->push_back(update);
        if (paints) paints->push_back(paint);
    };
    std::vector<double> updates, paints;
    for (int i = 0; i < 400; ++i) frame(&updates, &paints);
    const double update = median(updates), paint = median(paints);
    std::printf("boss %d, %s, median of 400 frames:\n", stage + 1, busiest);
    std::printf("  update %.4f ms, paint %.4f ms; together %.5f of the 50 ms frame = %.2f copies\n", update, paint,
                (update + paint) / 50, (update + paint) / copy);
    const uint64_t before = managedAllocations;
    for (int i = 0; i < 100; ++i) frame(nullptr, nullptr);
    std::printf("  managed allocations a frame: %.1f (state %d at the end)\n",
                double(managedAllocations - before) / 100.0, fight->state);
}

void measureBosses() {
    manager().setGameArea(240, 320);
    VMPtr<Image> screen = Image::createImage(240, 320, false, 0);
    const double copy = frameCopyMillis(screen->getGraphics(), 400);
    std::printf("a 240 x 320 copy: %.4f ms (median of 400)\n", copy);
    measureLoading<scene::InGameBoss_1>(0);
    measureLoading<scene::InGameBoss_2>(1);
    measureLoading<scene::InGameBoss_3>(2);
    measurePlay<scene::InGameBoss_1>(0, "ten drops walking", copy);
    measurePlay<scene::InGameBoss_2>(1, "five minions out", copy);
    measurePlay<scene::InGameBoss_3>(2, "twenty shots falling", copy);
    manager().requestExit();
}

}  // namespace

int main() { return runGameBench("boss", true, measureBosses); }
