#pragma once

// Runs a benchmark inside the real game, headless: a scratch module folder (with the compiled
// content when asked), silent audio, and a first scene that calls the benchmark's body on
// every frame until the body asks the scene manager to exit. One source per executable
// includes this header.

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "bench/BenchTiming.h"
#include "hal/base/VMCallbacks.h"
#include "hal/host/HeadlessBackend.h"
#include "hal/services/ModulePath.h"
#include "hal/shell/Shell.h"
#include "lib_src/vm/VM.h"
#include "pb_src/j2me/java_lang_Runtime.h"
#include "pb_src/j2me/java_lang_System.h"
#include "pb_src/j2me/javax_microedition_lcdui_Image.h"
#include "src/game/foundation/SceneTable.h"
#include "src/game/foundation/ui_Scene.h"
#include "src/game/foundation/ui_SceneManager.h"

namespace bench {

using Graphics = javax::microedition::lcdui::Graphics;
using Image = javax::microedition::lcdui::Image;

inline ui::SceneManager& manager() { return *static_cast<ui::SceneManager*>(kv::KvCanvas::instance.get()); }

// Bytes of the managed heap in use after a collection.
inline int64_t heapInUse() {
    java::lang::System::gc();
    VMPtr<java::lang::Runtime> runtime = java::lang::Runtime::getRuntime();
    return runtime->totalMemory() - runtime->freeMemory();
}

// The reference cost: median milliseconds of drawing an opaque 240 x 320 image over g.
inline double frameCopyMillis(VMPtr<Graphics> g, int samples) {
    VMPtr<Image> picture = Image::createImage(240, 320, false, 0x3B2F73);
    std::vector<double> copies;
    for (int i = 0; i < samples; ++i) copies.push_back(timedMillis([&] { g->drawImage(picture, 0, 0, 20); }));
    return median(copies);
}

inline std::function<void()> gameBenchFrame;

namespace {

class GameBenchScene : public ui::Scene {
    VM_CLASS(GameBenchScene, ui::Scene)
    VMPtr<GameBenchScene> _VM_init(VMPtr<ui::SceneManager>) {
        Scene::_VM_init();
        return this;
    }
    void update(int32_t) override { gameBenchFrame(); }
};

}  // namespace

// Boots the game with onFrame called every frame; returns the application's exit code.
inline int runGameBench(const std::string& name, bool withContent, std::function<void()> onFrame) {
    const auto folder = std::filesystem::temp_directory_path() / ("ostrel_" + name + "_bench_" + std::to_string(getpid()));
    std::filesystem::create_directories(folder / "properties");
    if (withContent)
        std::filesystem::copy(std::string(OSTREL_PROGRAM_DIR) + "/rsc", folder / "rsc", std::filesystem::copy_options::recursive);
    std::ofstream(folder / "properties" / "app.prop") << "MIDlet-Name: Ostrel\nMIDlet-1: Ostrel,/icon.png,Ostrel\n";
    HAL_setModuleDirectory(folder.c_str());
    setenv("OSTREL_DATABASE_DIR", (folder / "database").c_str(), 1);
    setenv("OSTREL_AUDIO", "silent", 1);
    host::setHostBackend(std::make_unique<host::HeadlessBackend>());
    const VMCallbacks callbacks = VM::callbacks();
    HAL_setVMCallbacks(&callbacks);
    gameBenchFrame = std::move(onFrame);
    ui::setSceneFactory(0, &ui::buildScene<GameBenchScene>);
    const int exitCode = HAL_appMain();
    std::filesystem::remove_all(folder);
    return exitCode;
}

}  // namespace bench

VM_DEFINE_CLASS_WITHOUT_FACTORY(bench::GameBenchScene, "bench.GameBenchScene", "ui.Scene", VM_NO_CLINIT)
