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

#include <sys/types.h>
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
#include "pb_src/j2me/java_lang_System.h"
#include "pb_src/j2me/javax_microedition_lcdui_Image.h"
#include "src/game/foundation/SceneTable.h"
#include "src/game/foundation/ui_SceneManager.h"
#include "src/game/results/Progress.h"
#include "src/game/results/scene_Achievement.h"
#include "src/game/results/scene_GameOver.h"
#include "src/game/results/scene_Result.h"
#include "src/game/results/scene_Shop.h"

uint64_t allocations = 0;

extern "C" {
void* __real__Z12_VM_allocatemb(uint64_t size, bool exceptionsAllowed);
void* __real__Z17_VM_allocateBytesm(uint64_t size);
void* __wrap__Z12_VM_allocatemb(uint64_t size, bool exceptionsAllowed) {
    ++allocations;
    return __real__Z12_VM_allocatemb(size, exceptionsAllowed);
}
void* __wrap__Z17_VM_allocateBytesm(uint64_t size) {
    ++allocations;
    return __real__Z17_VM_allocateBytesm(size);
}
}

namespace {

using Clock = std::chrono::steady_clock;
using Graphics = javax::microedition::lcdui::Graphics;
using Image = javax::microedition::lcdui::Image;

ui::SceneManager& manager() { return *static_cast<ui::SceneManager*>(kv::KvCanvas::instance.get()); }

template <typename Step> double timed(Step step) {
    const Clock::time_point start = Clock::now();
    step();
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

double median(std::vector<double> samples) {
    std::sort(samples.begin(), samples.end());
    return samples[samples.size() / 2];
}

uint64_t heapInUse() {
    java::lang::System::gc();
    return _VM_totalMemory() - _VM_freeMemory();
}

template <typename S> void measureScreen(const char* name, VMPtr<Graphics> g, double copyMillis) {
    VMPtr<ui::Scene> screen = ui::buildScene<S>(VMPtr<ui::SceneManager>(&manager()));
    for (int i = 0; i < 16; ++i) screen->update(50);
    const double millis = timed([&] {
        for (int i = 0; i < 1000; ++i) {
            screen->update(50);
            screen->paint(g);
        }
    }) / 1000;
    const uint64_t before = allocations;
    for (int i = 0; i < 100; ++i) {
        screen->update(50);
        screen->paint(g);
    }
    const double perFrame = double(allocations - before) / 100;
    const uint64_t heapBefore = heapInUse();
    for (int i = 0; i < 10000; ++i) {
        screen->update(50);
        screen->paint(g);
    }
    const uint64_t heapAfter = heapInUse();
    std::printf("%-12s update+paint %6.3f ms (%5.2f%% of 50 ms, %5.1f x the frame copy), %5.1f allocations a frame, "
                "heap %llu -> %llu bytes over 10,000 frames\n",
                name, millis, millis * 2, millis / copyMillis, perFrame, (unsigned long long)heapBefore,
                (unsigned long long)heapAfter);
}

class BenchScene : public ui::Scene {
    VM_CLASS(BenchScene, ui::Scene)
    VMPtr<BenchScene> _VM_init(VMPtr<ui::SceneManager>) {
        Scene::_VM_init();
        return this;
    }
    void update(int32_t) override {
        run();
        manager().requestExit();
    }
    static void run() {
        std::vector<double> settle, purchase;
        for (int i = 0; i < 41; ++i) {
            manager().storeResult(0, 10, i % 5, 0, 1, 0, 3, 40);
            settle.push_back(timed([] { ui::buildScene<scene::Result>(VMPtr<ui::SceneManager>(&manager())); }));
        }
        for (int i = 0; i < 41; ++i) {
            manager().setSavedCounter(50);
            manager().unlockItem(1);
            VMPtr<VMArray<int8_t, 1>> record = results::loadRecord(manager(), 0);
            record->at(3) = 1;
            manager().saveRecord(0, record);
            purchase.push_back(timed([] {
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
        VMPtr<Image> picture = Image::createImage(240, 320, false, 0x3B2F73);
        VMPtr<Graphics> g = screen->getGraphics();
        const double copy = timed([&] {
            for (int i = 0; i < 1000; ++i) g->drawImage(picture, 0, 0, 20);
        }) / 1000;
        std::printf("frame copy (240 x 320 image drawn):      %6.3f ms\n", copy);
        manager().storeResult(0, 10, 0, 0, 1, 0, 3, 40);
        measureScreen<scene::Result>("result", g, copy);
        measureScreen<scene::GameOver>("game over", g, copy);
        measureScreen<scene::Shop>("shop", g, copy);
        measureScreen<scene::Achievement>("achievements", g, copy);
    }
};

}  // namespace

VM_DEFINE_CLASS_WITHOUT_FACTORY(BenchScene, "bench.ResultsScene", "ui.Scene", VM_NO_CLINIT)

int main() {
    const auto folder = std::filesystem::temp_directory_path() / ("ostrel_results_bench_" + std::to_string(getpid()));
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
