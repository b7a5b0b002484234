// Figures for the normal level of stage 4 in the real game, headless, on the compiled content:
// - each of its sixteen load calls (median of 5 loads) against the 50 ms frame;
// - update and paint of its busiest frame (4 enemies, 50 glass pieces, 5 items, the view
//   climbing), median of 400 frames, against the 50 ms frame and the copy of a 240 x 320
//   picture;
// - managed allocations per frame of play (no enemy, glass or item is made in play), and the
//   heap in use after ten minutes of such frames, against the heap after the first minute.
// Usage: level_bench

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
#include "lib_src/vm/VMHeap.h"
#include "pb_src/j2me/java_lang_Runtime.h"
#include "pb_src/j2me/javax_microedition_lcdui_Image.h"
#include "src/game/foundation/SceneTable.h"
#include "src/game/level/scene_InGameNormal.h"

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

class BenchScene : public ui::Scene {
    VM_CLASS(BenchScene, ui::Scene)
    VMPtr<BenchScene> _VM_init(VMPtr<ui::SceneManager>) {
        Scene::_VM_init();
        return this;
    }
    void update(int32_t) override {
        measureLoading();
        measurePlay();
        manager().requestExit();
    }

    static void measureLoading() {
        std::vector<std::vector<double>> steps(16);
        for (int n = 0; n < 5; ++n) {
            VMPtr<Level> level = newLevel();
            for (int call = 0; call < 16; ++call) steps[size_t(call)].push_back(timed([&] { level->load(); }));
        }
        std::printf("stage 4 load calls (median of 5), frame 50 ms:\n");
        for (int call = 0; call < 16; ++call)
            std::printf("  call %2d (step %2d): %7.2f ms\n", call + 1, call == 0 ? 0 : 16 - call, median(steps[size_t(call)]));
    }

    static void measurePlay() {
        VMPtr<Level> level = newLevel();
        for (int call = 0; call < 16; ++call) level->load();
        crowd(*level);
        VMPtr<Image> screen = Image::createImage(240, 320, false, 0);
        VMPtr<javax::microedition::lcdui::Graphics> g = screen->getGraphics();
        std::vector<double> updates, paints, copies;
        VMPtr<Image> target = Image::createImage(240, 320, false, 0);
        for (int i = 0; i < 400; ++i) {
            if (level->state != Level::kPlaying) crowd(*level);
            updates.push_back(timed([&] { level->update(50); }));
            paints.push_back(timed([&] {
                g->translate(0, manager().getGameY() - g->getTranslateY());
                level->paint(g);
            }));
            copies.push_back(timed([&] { target->getGraphics()->drawImage(screen, 0, 0, 0); }));
        }
        std::printf("busiest frame (4 enemies, 50 glass, 5 items, climbing), median of 400:\n");
        std::printf("  update %.3f ms, paint %.3f ms; a 240 x 320 copy %.3f ms; frame 50 ms\n", median(updates),
                    median(paints), median(copies));
        VMPtr<java::lang::Runtime> runtime = java::lang::Runtime::getRuntime();
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
            if (frame == 1200) {
                runtime->gc();
                afterMinute = runtime->totalMemory() - runtime->freeMemory();
            }
        }
        runtime->gc();
        const int64_t afterTen = runtime->totalMemory() - runtime->freeMemory();
        std::printf("  heap in use after 1 min %lld KiB, after 10 min %lld KiB\n", (long long)(afterMinute / 1024),
                    (long long)(afterTen / 1024));
    }
};

}  // namespace

VM_DEFINE_CLASS_WITHOUT_FACTORY(BenchScene, "bench.LevelBenchScene", "ui.Scene", VM_NO_CLINIT)

int main() {
    const auto folder = std::filesystem::temp_directory_path() / ("ostrel_level_bench_" + std::to_string(getpid()));
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
