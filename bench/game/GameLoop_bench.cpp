// The game loop on the real clock, headless, with an empty scene: the pace of 1,000 frames
// (mean interval and worst deviation from 50 ms), the CPU the process uses meanwhile (the
// loop must sleep, not spin), and the time of one progress save through the scene manager.
// Usage: game_loop_bench [frames]   (about 50 s for the default 1,000 frames)

#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cmath>
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
#include "src/game/foundation/SceneTable.h"
#include "src/game/foundation/ui_Scene.h"
#include "src/game/foundation/ui_SceneManager.h"

namespace {

using Clock = std::chrono::steady_clock;

int frameCount = 1000;
constexpr int kWarmUpFrames = 5, kSaves = 200;
std::vector<Clock::time_point> frameTimes;
std::vector<double> saveMillis;
double cpuStart = 0;
Clock::time_point wallStart;

double cpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) + double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

ui::SceneManager& manager() { return *static_cast<ui::SceneManager*>(kv::KvCanvas::instance.get()); }

class EmptyScene : public ui::Scene {
    VM_CLASS(EmptyScene, ui::Scene)
    VMPtr<EmptyScene> _VM_init(VMPtr<ui::SceneManager>) {
        Scene::_VM_init();
        return this;
    }
    void update(int32_t) override {
        const int frame = int(frameTimes.size()) - kWarmUpFrames;
        if (frame == -kWarmUpFrames) measureSaves();
        if (frame == 0) {
            cpuStart = cpuSeconds();
            wallStart = Clock::now();
        }
        frameTimes.push_back(Clock::now());
        if (frame == frameCount) manager().requestExit();
    }
    static void measureSaves() {
        for (int i = 0; i < kSaves; ++i) {
            const auto start = Clock::now();
            manager().setSavedCounter(i % 100);
            saveMillis.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
        }
    }
};

}  // namespace

VM_DEFINE_CLASS_WITHOUT_FACTORY(EmptyScene, "bench.EmptyScene", "ui.Scene", VM_NO_CLINIT)

int main(int argc, char** argv) {
    if (argc > 1) frameCount = std::max(10, std::atoi(argv[1]));
    const auto folder = std::filesystem::temp_directory_path() / ("ostrel_loop_bench_" + std::to_string(getpid()));
    std::filesystem::create_directories(folder / "properties");
    std::ofstream(folder / "properties" / "app.prop") << "MIDlet-Name: Ostrel\nMIDlet-1: Ostrel,/icon.png,Ostrel\n";
    HAL_setModuleDirectory(folder.c_str());
    setenv("OSTREL_DATABASE_DIR", (folder / "database").c_str(), 1);
    setenv("OSTREL_AUDIO", "silent", 1);
    host::setHostBackend(std::make_unique<host::HeadlessBackend>());
    const VMCallbacks callbacks = VM::callbacks();
    HAL_setVMCallbacks(&callbacks);
    ui::setSceneFactory(0, &ui::buildScene<EmptyScene>);

    const int exitCode = HAL_appMain();
    const double cpu = cpuSeconds() - cpuStart;
    const double wall = std::chrono::duration<double>(Clock::now() - wallStart).count();
    std::filesystem::remove_all(folder);

    double sum = 0, worst = 0;
    for (size_t i = kWarmUpFrames + 1; i < frameTimes.size(); ++i) {
        const double interval = std::chrono::duration<double, std::milli>(frameTimes[i] - frameTimes[i - 1]).count();
        sum += interval;
        worst = std::max(worst, std::abs(interval - 50.0));
    }
    const size_t intervals = frameTimes.size() - kWarmUpFrames - 1;
    std::sort(saveMillis.begin(), saveMillis.end());
    double saveSum = 0;
    for (double ms : saveMillis) saveSum += ms;
    std::printf("frames: %zu intervals, mean %.3f ms, worst deviation from 50 ms %.3f ms\n", intervals,
                sum / double(intervals), worst);
    std::printf("cpu: %.3f s over %.1f s of frames (%.2f%% of one core, empty scene)\n", cpu, wall, 100.0 * cpu / wall);
    std::printf("progress save (record 0, 20 bytes): mean %.3f ms, median %.3f ms, worst %.3f ms over %d saves\n",
                saveSum / double(saveMillis.size()), saveMillis[saveMillis.size() / 2], saveMillis.back(), kSaves);
    return exitCode;
}
