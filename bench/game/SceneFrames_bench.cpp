// The per-scene frame table, in the real game, headless, on the compiled content. For each
// scene (menu, world map, each stage's normal level, bosses 1 to 5, tutorial, result, shop),
// warmed up by 2,000 frames and kept at its busiest:
// - update plus paint per frame, median, 99th percentile and worst of 1,000 frames, against
//   the 50 ms frame and against the copy of a 240 x 320 picture measured in the same run
//   (also printed: a 240 x 320 frame handed to the headless window and to an SDL one, as
//   framecopy_bench measures them);
// - managed allocations per frame over those 1,000 frames (an array counts twice: its
//   object and its elements);
// - collections during 10,000 further frames.
// Usage: scene_frames_bench [scene-name [frames]] | --window [frames]
//   With a scene name only that scene runs; its frames after the warm-up pass through
//   measuredFrames, which bench/scene-frames-callgrind.sh counts instructions inside.
//   --window plays the real program in its window (run it under a display, e.g. Xvfb, with
//   OSTREL_SCALE=2): after the start-up every scene of the table in turn through the real
//   loop at its own pace, `frames` frames each once loaded (default 100), kept busy as here;
//   then it prints the resident memory (VmRSS, VmHWM) and ends. OSTREL_TOUR_STEPS=1 also
//   prints the resident memory, the managed heap and the platform blocks before each scene.
//   OSTREL_TRACE_ALLOCATIONS=N prints a stack for each managed allocation of N warm frames;
//   OSTREL_WARM_FRAMES=N warms up by N frames instead; OSTREL_WORST_FRAMES=1 names each
//   measured frame over ten times the median; OSTREL_NATURAL_FIGHTS=1 lets the fights run as
//   they go (the hero unhurt, the boss unbeaten).

#include <execinfo.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "bench/ManagedAllocations.h"
#include "hal/base/Memory.h"
#include "hal/host/HeadlessBackend.h"
#include "hal/host/SdlBackend.h"
#include "bench/game/BossCrowds.h"
#include "bench/game/GameBench.h"
#include "src/game/boss/BossFrame.h"
#include "src/game/boss/scene_InGameBoss_1.h"
#include "src/game/boss/scene_InGameBoss_2.h"
#include "src/game/boss/scene_InGameBoss_3.h"
#include "src/game/boss/scene_InGameBoss_4.h"
#include "src/game/boss/scene_InGameBoss_5.h"
#include "src/game/foundation/ResourceIds.h"
#include "src/game/foundation/global_GameConfig.h"
#include "src/game/level/scene_InGameNormal.h"
#include "src/game/level/scene_Tutorial.h"
#include "src/kv/FrameClock.h"

namespace {

using namespace bench;
using Level = scene::InGameNormal;
using Tutorial = scene::Tutorial;

// Frames played before measuring: every animation frame and box array the play reaches has
// been made by then (each set makes a frame's object on its first use and keeps it).
constexpr int kWarmFrames = 2000;

struct SceneRun {
    std::string name;
    std::function<VMPtr<ui::Scene>()> make;
    std::function<void(ui::Scene&)> keepBusy;  // before every frame
};

template <class S> S& as(ui::Scene& s) { return static_cast<S&>(s); }

VMPtr<ui::Scene> fromTable(int32_t id) {
    manager().setGameArea(240, 320);
    manager().setGameY(0);
    VMPtr<ui::Scene> built = ui::sceneFactory(id)(VMPtr<ui::SceneManager>(&manager()));
    for (int i = 0; i < 40 && built->isLoading(); ++i) built->update(50);
    return built;
}

template <class S> VMPtr<ui::Scene> loaded(int32_t stage) {
    manager().setGameArea(240, 320);
    manager().setGameY(0);
    manager().storeResult(0, 0, stage, 0, 1, 0, 12, 50);
    VMPtr<S> scene = S::_VM_new();
    scene->_VM_init(VMPtr<ui::SceneManager>(&manager()));
    for (int call = 0; call < 16; ++call) scene->load();
    return scene;
}

// ---------------------------------------------------------------- normal level

int32_t nearestEnemyX(Level& level) {
    const int32_t heroX = level.character->getX();
    int32_t best = -1;
    for (int32_t i = 0; i < level.activeEnemies->length; ++i) {
        InGameObject::Enemy* enemy = level.activeEnemies->at(i);
        if (!enemy || enemy->state != InGameObject::Enemy::kAlive) continue;
        if (best < 0 || std::abs(enemy->getX() - heroX) < std::abs(best - heroX)) best = enemy->getX();
    }
    return best;
}

VMPtr<ui::Scene> playingLevel(int32_t stage) {
    VMPtr<ui::Scene> made = loaded<Level>(stage);
    Level& level = as<Level>(*made);
    level.state = Level::kPlaying;
    level.random->setSeed(1234);
    for (int32_t i = 0; i < 7; ++i) level.character->weaponStates->at(i) = 0;
    level.character->switchToOwnedWeapon(true);
    return made;
}

// Real play that never ends: the strongest weapon fired toward the nearest enemy, the hero
// unhurt, the stage's enemy count never reached (the defeated count starts again one short
// of it), so enemies keep coming, dying, dropping glass and items.
void keepLevelBusy(ui::Scene& s) {
    Level& level = as<Level>(s);
    level.state = Level::kPlaying;
    level.character->setInvulnerableTimer(1'000'000);
    level.character->health = 100;
    level.spawnedCount = 0;
    if (level.defeatedCount + 1 >= global::GameConfig::stages()->at(level.stage)->at(global::GameConfig::ENEMY_TOTAL)) level.defeatedCount = 0;
    const int32_t target = nearestEnemyX(level), heroX = level.character->getX();
    level.attackLeftFlag = target >= 0 && target < heroX;
    level.attackRightFlag = target >= 0 && target >= heroX;
}

// ---------------------------------------------------------------- bosses

template <class S> SceneRun bossRun(int32_t number) {
    return {"boss " + std::to_string(number), [number] { return loaded<S>(number - 1); },
            [](ui::Scene& s) {
                S& fight = as<S>(s);
                holdFight(fight);
                if (!std::getenv("OSTREL_NATURAL_FIGHTS")) crowd(fight);
            }};
}

// ---------------------------------------------------------------- the table

std::vector<SceneRun> scenes() {
    std::vector<SceneRun> runs;
    runs.push_back({"menu", [] { return fromTable(scene_id::kMenu); }, [](ui::Scene&) {}});
    runs.push_back({"world map", [] {
                        VMPtr<VMArray<int8_t, 1>> progress = VMArray<int8_t, 1>::_VM_new(25);
                        for (int i = 0; i < 5; ++i) progress->at(i) = 1;
                        manager().saveRecord(1, progress);
                        return fromTable(scene_id::kWorldMap);
                    },
                    [](ui::Scene&) {}});
    for (int32_t stage = 0; stage < 5; ++stage)
        runs.push_back({"stage " + std::to_string(stage + 1), [stage] { return playingLevel(stage); }, keepLevelBusy});
    runs.push_back(bossRun<scene::InGameBoss_1>(1));
    runs.push_back(bossRun<scene::InGameBoss_2>(2));
    runs.push_back(bossRun<scene::InGameBoss_3>(3));
    runs.push_back(bossRun<scene::InGameBoss_4>(4));
    runs.push_back(bossRun<scene::InGameBoss_5>(5));
    // Step 3 (the attack) with a shot held flying, the HUD and the hint arrow drawn.
    runs.push_back({"tutorial", [] {
                        VMPtr<ui::Scene> made = loaded<Tutorial>(Tutorial::kStage);
                        as<Tutorial>(*made).state = Tutorial::kPlaying;
                        return made;
                    },
                    [](ui::Scene& s) {
                        Tutorial& tutorial = as<Tutorial>(s);
                        tutorial.step = 3;
                        tutorial.attackLeftFlag = true;
                        tutorial.character->health = 100;
                    }});
    // The closing step with its message up.
    runs.push_back({"tutorial message", [] {
                        VMPtr<ui::Scene> made = loaded<Tutorial>(Tutorial::kStage);
                        as<Tutorial>(*made).state = Tutorial::kPlaying;
                        return made;
                    },
                    [](ui::Scene& s) {
                        Tutorial& tutorial = as<Tutorial>(s);
                        tutorial.step = Tutorial::kClosingStep;
                        tutorial.closingTime = 2050;
                        tutorial.character->health = 100;
                    }});
    runs.push_back({"result", [] {
                        manager().storeResult(0, 10, 0, 0, 1, 0, 3, 40);
                        return fromTable(scene_id::kResult);
                    },
                    [](ui::Scene&) {}});
    runs.push_back({"shop", [] { return fromTable(scene_id::kShop); }, [](ui::Scene&) {}});
    return runs;
}

void frame(const SceneRun& run, ui::Scene& s, VMPtr<Graphics> g) {
    run.keepBusy(s);
    s.update(50);
    s.paint(g);
}

// The frames callgrind counts.
__attribute__((noinline)) void measuredFrames(const SceneRun& run, ui::Scene& s, VMPtr<Graphics> g, int frames) {
    for (int i = 0; i < frames; ++i) frame(run, s, g);
}

void traceAllocation() {
    void* stack[24];
    const int depth = backtrace(stack, 24);
    std::fprintf(stderr, "---- managed allocation\n");
    backtrace_symbols_fd(stack, depth, 2);
}

uint32_t collections() { return VM::instance()->collections; }

void measureScene(const SceneRun& run, VMPtr<Graphics> g, double copy) {
    VMPtr<ui::Scene> s = run.make();
    const char* warm = std::getenv("OSTREL_WARM_FRAMES");
    for (int i = 0; i < (warm ? std::atoi(warm) : kWarmFrames); ++i) frame(run, *s, g);
    if (const char* traced = std::getenv("OSTREL_TRACE_ALLOCATIONS")) {
        onManagedAllocation = traceAllocation;
        for (int i = 0; i < std::atoi(traced); ++i) {
            std::fprintf(stderr, "==== %s frame %d\n", run.name.c_str(), i);
            frame(run, *s, g);
        }
        onManagedAllocation = nullptr;
    }
    std::vector<double> frames;
    const uint64_t before = managedAllocations;
    for (int i = 0; i < 1000; ++i) frames.push_back(timedMillis([&] { frame(run, *s, g); }));
    const double perFrame = double(managedAllocations - before) / 1000.0;
    const uint32_t collectionsBefore = collections();
    for (int i = 0; i < 10000; ++i) frame(run, *s, g);
    const uint32_t collected = collections() - collectionsBefore;
    const double mid = median(frames), worst = *std::max_element(frames.begin(), frames.end());
    std::vector<double> sorted = frames;
    std::sort(sorted.begin(), sorted.end());
    const double p99 = sorted[sorted.size() * 99 / 100];
    if (std::getenv("OSTREL_WORST_FRAMES"))
        for (size_t i = 0; i < frames.size(); ++i)
            if (frames[i] > 10 * mid) std::fprintf(stderr, "%s: frame %zu took %.3f ms\n", run.name.c_str(), i, frames[i]);
    std::printf("| %s | %.4f | %.4f | %.4f | %.5f | %.1f | %.1f | %.2f | %u |\n", run.name.c_str(), mid, p99, worst, mid / 50.0,
                mid / copy, worst / copy, perFrame, collected);
    std::fflush(stdout);
}

// Median milliseconds of handing one 240 x 320 frame to a window of `backend` (as
// framecopy_bench does), or -1 when its window does not open.
double presentMillis(host::HostBackend& backend) {
    if (!backend.openWindow("frame copy")) return -1;
    std::vector<uint16_t> frame(size_t(host::kScreenWidth) * host::kScreenHeight);
    for (size_t i = 0; i < frame.size(); ++i) frame[i] = uint16_t(i * 2654435761u);
    std::vector<double> copies;
    for (int i = 0; i < 1000; ++i)
        copies.push_back(timedMillis(
            [&] { backend.presentFrame(frame.data(), host::kScreenWidth, host::kScreenHeight, host::kScreenWidth); }));
    backend.closeWindow();
    return median(copies);
}

std::string only;
int callgrindFrames = 100;

void measureAll() {
    VMPtr<Image> screen = Image::createImage(240, 320, false, 0), target = Image::createImage(240, 320, false, 0);
    VMPtr<Graphics> g = screen->getGraphics();
    if (!only.empty()) {
        for (const SceneRun& run : scenes()) {
            if (run.name != only) continue;
            VMPtr<ui::Scene> s = run.make();
            for (int i = 0; i < kWarmFrames; ++i) frame(run, *s, g);
            measuredFrames(run, *s, g, callgrindFrames);
        }
        manager().requestExit();
        return;
    }
    const double copy = frameCopyMillis(target->getGraphics(), 1000);
    std::printf("240 x 320 copy: %.4f ms (median of 1,000)\n", copy);
    host::HeadlessBackend headless;
    std::printf("240 x 320 frame handed to the headless window: %.4f ms (median of 1,000)\n", presentMillis(headless));
    if (!std::getenv("DISPLAY")) setenv("SDL_VIDEODRIVER", "dummy", 0);
    host::SdlBackend sdl;
    std::printf("240 x 320 frame handed to an SDL window (%s): %.4f ms (median of 1,000; -1: no window)\n\n",
                std::getenv("DISPLAY") ? "the display" : "dummy driver", presentMillis(sdl));
    std::printf("| scene | median ms | 99th percentile ms | worst ms | median / 50 ms | median / copy | worst / copy | "
                "allocations a frame | collections in 10,000 frames |\n|---|---|---|---|---|---|---|---|---|\n");
    for (const SceneRun& run : scenes()) measureScene(run, g, copy);
    manager().requestExit();
}

// ---------------------------------------------------------------- the window tour

std::string statusLine(const char* key) {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind(key, 0) == 0) return line;
    return key;
}

// The system clock that also takes the tour a step before each of the loop's sleeps (on the
// loop thread, between frames, where a scene may be asked for).
class TourClock : public kv::FrameClock {
public:
    explicit TourClock(int frames) : framesEach(frames) {}
    void sleep(int32_t milliseconds) override {
        step();
        FrameClock::sleep(milliseconds);
    }

private:
    void step() {
        ui::SceneManager& m = manager();
        if (!m.isShownNow() || m.isLoopEnding()) return;
        if (++startFrames < 100) return;  // the logo and the start-up loading first
        VMPtr<ui::Scene> current = m.getScene();
        if (next > 0 && current && current.get() == entered && !current->isLoading()) {
            tour[size_t(next - 1)].keepBusy(*current);
            if (++played >= framesEach) ask();
        } else if (next == 0 || (current && current.get() != entered && !asked)) {
            ask();
        } else if (current && current.get() != entered) {
            entered = current.get();
            asked = false;
        }
    }
    void ask() {
        ui::SceneManager& m = manager();
        if (next == int(tour.size())) {
            std::printf("after every scene once (%d frames each): %s, %s\n", framesEach, statusLine("VmRSS").c_str(),
                        statusLine("VmHWM").c_str());
            std::fflush(stdout);
            m.requestExit();
            return;
        }
        if (std::getenv("OSTREL_TOUR_STEPS")) {
            VMPtr<java::lang::Runtime> runtime = java::lang::Runtime::getRuntime();
            std::printf("before %s: %s, heap %lld KiB of %lld KiB, platform blocks %llu KiB (pixels %llu KiB)\n",
                        next < int(tour.size()) ? tour[size_t(next)].name.c_str() : "", statusLine("VmRSS").c_str(),
                        (long long)((runtime->totalMemory() - runtime->freeMemory()) / 1024),
                        (long long)(runtime->totalMemory() / 1024), (unsigned long long)(HAL_getAllocatedBytes() / 1024),
                        (unsigned long long)(HAL_getPixelBytes() / 1024));
        }
        const SceneRun& run = tour[size_t(next)];
        const int32_t stage = run.name.rfind("stage ", 0) == 0 ? run.name.back() - '1'
                              : run.name.rfind("boss ", 0) == 0 ? run.name.back() - '1'
                                                                : 0;
        m.setStageMark(0, 3);
        m.storeBestTime(0, 0, 5, 7);
        m.storeResult(0, 7, stage, 0, 1, 0, 12, 50);
        m.changeScene(idOf(run.name));
        entered = m.getScene().get();
        asked = true;
        played = 0;
        ++next;
    }
    static int32_t idOf(const std::string& name) {
        if (name == "menu") return scene_id::kMenu;
        if (name == "world map") return scene_id::kWorldMap;
        if (name.rfind("stage ", 0) == 0) return scene_id::kNormalLevel;
        if (name.rfind("boss ", 0) == 0) return scene_id::kBoss1 + (name.back() - '1');
        if (name.rfind("tutorial", 0) == 0) return scene_id::kTutorial;
        if (name == "result") return scene_id::kResult;
        return scene_id::kShop;
    }

    std::vector<SceneRun> tour = scenes();
    int framesEach, startFrames = 0, next = 0, played = 0;
    const ui::Scene* entered = nullptr;
    bool asked = false;
};

// The real program in its window (the platform's own backend), with the tour clock.
int windowTour(int frames) {
    const auto folder = std::filesystem::temp_directory_path() / ("ostrel_scene_tour_" + std::to_string(getpid()));
    std::filesystem::create_directories(folder / "properties");
    std::filesystem::copy(std::string(OSTREL_PROGRAM_DIR) + "/rsc", folder / "rsc", std::filesystem::copy_options::recursive);
    std::ofstream(folder / "properties" / "app.prop") << "MIDlet-Name: Ostrel\nMIDlet-1: Ostrel,/icon.png,Ostrel\n";
    HAL_setModuleDirectory(folder.c_str());
    setenv("OSTREL_DATABASE_DIR", (folder / "database").c_str(), 1);
    const VMCallbacks callbacks = VM::callbacks();
    HAL_setVMCallbacks(&callbacks);
    TourClock clock(frames);
    kv::FrameClock::install(&clock);
    const int exitCode = HAL_appMain();
    kv::FrameClock::install(nullptr);
    std::filesystem::remove_all(folder);
    return exitCode;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc > 1 && std::strcmp(argv[1], "--window") == 0) return windowTour(argc > 2 ? std::atoi(argv[2]) : 100);
    if (argc > 1) only = argv[1];
    if (argc > 2) callgrindFrames = std::atoi(argv[2]);
    return runGameBench("scene_frames", true, measureAll);
}
