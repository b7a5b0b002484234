// The front-end scenes in the real game, headless, on the game's compiled content: for each
// of the option screens, the menu, help and about, the time of each load step (one a frame,
// sixteen in all) and of update plus paint of a frame once the scene shows (the menu with
// its title played and its bar open), as a ratio to the 50 ms frame and to a copy of one
// 240 x 320 frame (an opaque image drawn over the screen). Medians of 200 frames, and of 9
// loads with the resource pack closed before each.

#include <algorithm>
#include <cstdio>
#include <vector>

#include "bench/game/GameBench.h"
#include "src/kv/kv_Resources.h"

namespace {

using namespace bench;

constexpr int kFrames = 200, kLoads = 9, kLoadSteps = 16;

struct Measured {
    const char* name;
    int32_t id;
    int32_t settleFrames;  // frames after the load before measuring
};

void measureScene(const Measured& scene, VMPtr<Image> screen, double frameCopy) {
    std::vector<std::vector<double>> steps(kLoadSteps);
    VMPtr<ui::Scene> built;
    for (int load = 0; load < kLoads; ++load) {
        kv::Resources::closePack();
        built = ui::sceneFactory(scene.id)(VMPtr<ui::SceneManager>(&manager()));
        for (int step = 0; step < kLoadSteps; ++step) steps[size_t(step)].push_back(timedMillis([&] { built->update(50); }));
        if (built->isLoading()) std::printf("%s: still loading after 16 updates\n", scene.name);
    }
    for (int i = 0; i < scene.settleFrames; ++i) built->update(50);
    VMPtr<Graphics> g = screen->getGraphics();
    std::vector<double> frames;
    for (int i = 0; i < kFrames; ++i) frames.push_back(timedMillis([&] {
        built->update(50);
        built->paint(g);
    }));
    const double frame = median(frames);
    std::printf("%-13s update+paint %7.3f ms = %5.2f%% of 50 ms = %5.2f frame copies\n", scene.name, frame,
                100.0 * frame / 50.0, frame / frameCopy);
    std::printf("%-13s load steps (ms):", scene.name);
    double worst = 0;
    for (const auto& step : steps) {
        std::printf(" %.2f", median(step));
        worst = std::max(worst, median(step));
    }
    std::printf("  (worst %.1f%% of 50 ms)\n", 100.0 * worst / 50.0);
}

void measureScenes() {
    VMPtr<Image> screen = Image::createImage(240, 320, false, 0);
    const double frameCopy = frameCopyMillis(screen->getGraphics(), kFrames);
    std::printf("frame copy (240 x 320 opaque image): %.3f ms\n", frameCopy);
    for (const Measured& scene : {Measured{"FirstOption", 14, 0}, Measured{"Audio", 13, 0}, Measured{"Language", 9, 0},
                                  Measured{"Menu", 1, 40}, Measured{"Help", 10, 0}, Measured{"About", 6, 0}})
        measureScene(scene, screen, frameCopy);
    manager().requestExit();
}

}  // namespace

int main() { return runGameBench("front", true, measureScenes); }
