// The front-end scenes in the real game, headless, on the game's compiled content: for each
// of the option screens, the menu, help and about, the time of each load step (one a frame,
// sixteen in all) and of update plus paint of a frame once the scene shows (the menu with
// its title played and its bar open), as a ratio to the 50 ms frame and to a copy of one
// 240 x 320 frame (an opaque image drawn over the screen). Medians of 200 frames, and of 9
// loads with the resource pack closed before each.

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
#include "src/game/foundation/ui_Scene.h"
#include "src/game/foundation/ui_SceneManager.h"
#include "src/kv/kv_Resources.h"

namespace {

using Clock = std::chrono::steady_clock;
using Image = javax::microedition::lcdui::Image;

constexpr int kFrames = 200, kLoads = 9, kLoadSteps = 16;

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
        for (int step = 0; step < kLoadSteps; ++step) steps[size_t(step)].push_back(timed([&] { built->update(50); }));
        if (built->isLoading()) std::printf("%s: still loading after 16 updates\n", scene.name);
    }
    for (int i = 0; i < scene.settleFrames; ++i) built->update(50);
    VMPtr<javax::microedition::lcdui::Graphics> g = screen->getGraphics();
    std::vector<double> frames;
    for (int i = 0; i < kFrames; ++i) frames.push_back(timed([&] {
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

class BenchScene : public ui::Scene {
    VM_CLASS(BenchScene, ui::Scene)
    VMPtr<BenchScene> _VM_init(VMPtr<ui::SceneManager>) {
        Scene::_VM_init();
        return this;
    }
    void update(int32_t) override {
        VMPtr<Image> screen = Image::createImage(240, 320, false, 0);
        VMPtr<Image> picture = Image::createImage(240, 320, false, 0x3B2F73);
        VMPtr<javax::microedition::lcdui::Graphics> g = screen->getGraphics();
        std::vector<double> copies;
        for (int i = 0; i < kFrames; ++i) copies.push_back(timed([&] { g->drawImage(picture, 0, 0, 20); }));
        const double frameCopy = median(copies);
        std::printf("frame copy (240 x 320 opaque image): %.3f ms\n", frameCopy);
        for (const Measured& scene : {Measured{"FirstOption", 14, 0}, Measured{"Audio", 13, 0}, Measured{"Language", 9, 0},
                                      Measured{"Menu", 1, 40}, Measured{"Help", 10, 0}, Measured{"About", 6, 0}})
            measureScene(scene, screen, frameCopy);
        manager().requestExit();
    }
};

}  // namespace

VM_DEFINE_CLASS_WITHOUT_FACTORY(BenchScene, "bench.FrontEndScene", "ui.Scene", VM_NO_CLINIT)

int main() {
    const auto folder = std::filesystem::temp_directory_path() / ("ostrel_front_bench_" + std::to_string(getpid()));
    std::filesystem::create_directories(folder / "properties");
    std::filesystem::copy(OSTREL_PROGRAM_DIR "/rsc", folder / "rsc", std::filesystem::copy_options::recursive);
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
