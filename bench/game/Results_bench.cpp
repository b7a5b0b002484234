// Figures for the result, game-over, shop and achievement screens in the running game on
// the compiled content, against the 50 ms frame each must fit in:
// - the result screen's creation (settling a stage, two record saves), median of 41;
// - a purchase (the record read, changed and saved once), median of 41;
// - update plus paint of each loaded screen, mean over 1,000 frames, beside a 240 x 320
//   image drawn to the game area (the frame copy);
// - managed allocations per frame of each screen (counted through the linker's wrap of the
//   heap's allocation entries) and the heap in use after a collection before and after
//   10,000 frames (flat: what a frame allocates is garbage by the next).
// Usage: results_bench

#include <cstdio>
#include <vector>

#include "bench/ManagedAllocations.h"
#include "bench/game/GameBench.h"
#include "src/game/results/Progress.h"
#include "src/game/results/scene_Achievement.h"
#include "src/game/results/scene_GameOver.h"
#include "src/game/results/scene_Result.h"
#include "src/game/results/scene_Shop.h"

namespace {

using namespace bench;

template <typename S> void measureScreen(const char* name, VMPtr<Graphics> g, double copyMillis) {
    VMPtr<ui::Scene> screen = ui::buildScene<S>(VMPtr<ui::SceneManager>(&manager()));
    for (int i = 0; i < 16; ++i) screen->update(50);
    const double millis = timedMillis([&] {
        for (int i = 0; i < 1000; ++i) {
            screen->update(50);
            screen->paint(g);
        }
    }) / 1000;
    const uint64_t before = managedAllocations;
    for (int i = 0; i < 100; ++i) {
        screen->update(50);
        screen->paint(g);
    }
    const double perFrame = double(managedAllocations - before) / 100;
    const int64_t heapBefore = heapInUse();
    for (int i = 0; i < 10000; ++i) {
        screen->update(50);
        screen->paint(g);
    }
    const int64_t heapAfter = heapInUse();
    std::printf("%-12s update+paint %6.3f ms (%5.2f%% of 50 ms, %5.1f x the frame copy), %5.1f allocations a frame, "
                "heap %lld -> %lld bytes over 10,000 frames\n",
                name, millis, millis * 2, millis / copyMillis, perFrame, (long long)heapBefore,
                (long long)heapAfter);
}

void measureResults() {
    std::vector<double> settle, purchase;
    for (int i = 0; i < 41; ++i) {
        manager().storeResult(0, 10, i % 5, 0, 1, 0, 3, 40);
        settle.push_back(timedMillis([] { ui::buildScene<scene::Result>(VMPtr<ui::SceneManager>(&manager())); }));
    }
    for (int i = 0; i < 41; ++i) {
        manager().setSavedCounter(50);
        manager().unlockItem(1);
        VMPtr<VMArray<int8_t, 1>> record = results::loadRecord(manager(), 0);
        record->at(3) = 1;
        manager().saveRecord(0, record);
        purchase.push_back(timedMillis([] {
            VMPtr<VMArray<int8_t, 1>> r = results::loadRecord(manager(), 0);
            int32_t money = r->at(0);
            results::buy(results::bytes(r), 1, money);
            results::saveRecord(manager(), 0, r);
        }));
    }
    std::printf("result creation (settlement, two saves): %6.3f ms (%5.2f%% of 50 ms)\n", median(settle),
                median(settle) * 2);
    std::printf("purchase (one save):                     %6.3f ms (%5.2f%% of 50 ms)\n", median(purchase),
                median(purchase) * 2);
    VMPtr<Image> screen = Image::createImage(240, 320, false, 0x3B2F73);
    VMPtr<Graphics> g = screen->getGraphics();
    const double copy = frameCopyMillis(g, 1000);
    std::printf("frame copy (240 x 320 image drawn):      %6.3f ms\n", copy);
    manager().storeResult(0, 10, 0, 0, 1, 0, 3, 40);
    measureScreen<scene::Result>("result", g, copy);
    measureScreen<scene::GameOver>("game over", g, copy);
    measureScreen<scene::Shop>("shop", g, copy);
    measureScreen<scene::Achievement>("achievements", g, copy);
    manager().requestExit();
}

}  // namespace

int main() { return runGameBench("results", true, measureResults); }
