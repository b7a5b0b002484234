#pragma once

// The test game driver: boots the real application (the class app.prop names) headless in
// the test's process on a fake clock, and runs a scenario on the game-loop thread once the
// canvas is shown: frames through the canvas's tick, taps and keys through the window's
// input (a press can be held across frames and dragged), the current scene id, the frame
// saved as a PNG. It writes saved records before the start-up loading, asks for a scene as
// a scene does (a zero result for the stage, then the change), sets the previous scene id
// and the story mode, and records every scene id the manager is asked to build, also one that has no scene class
// yet (which still leads to the menu as in the game). Random generators are seeded from the
// fake clock. Test scenes (TestScene) follow a script per scene id and log every call the
// scene manager makes. Include it in exactly one file of a test executable: it defines and
// registers the test scene class.

#include <gtest/gtest.h>

#include <array>
#include <chrono>
#include <fstream>
#include <functional>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "hal/base/SystemClock.h"
#include "hal/display/HALScreenBuffer.h"
#include "hal/display/HALSurface.h"
#include "hal/shell/Shell.h"
#include "pb_src/j2me/java_lang_Thread.h"
#include "pb_src/j2me/java_lang_Throwable.h"
#include "src/game/foundation/ResourceIds.h"
#include "src/game/foundation/SceneTable.h"
#include "src/game/foundation/ui_Scene.h"
#include "src/game/foundation/ui_SceneManager.h"
#include "src/kv/FrameClock.h"
#include "src/kv/input/kv_input_PointerInputEventManager.h"
#include "tests/hal/shell/ShellHarness.h"
#include "tests/support/PngWriter.h"
#include "tests/support/WaitLimit.h"

namespace game_test {

// Made-up milliseconds. In stepping mode every sleep of the loop moves the time on by the
// sleep and only yields, so the real loop runs as fast as it can on exact fake time. In
// driven mode the loop thread's first sleep runs the driver's scenario.
class FakeClock : public kv::FrameClock {
public:
    int64_t now() override { return time; }
    void sleep(int32_t milliseconds) override {
        if (auto body = std::exchange(scenario, nullptr)) return body();
        if (stepping) time += milliseconds;
        java::lang::Thread::sleep(stepping ? 0 : std::min(milliseconds, 5));
    }
    // The show poll is slept out like any other sleep; the first poll runs the scenario.
    void sleepUntilSet(int32_t milliseconds, const bool&, java::lang::Object*) override { sleep(milliseconds); }
    void advance(int32_t milliseconds) { time += milliseconds; }

    int64_t time = 1'000'000;
    bool stepping = false;
    std::function<void()> scenario;
};

inline FakeClock* activeClock = nullptr;
inline int64_t fakeTime() { return activeClock->time; }

// What a test scene does in each call; empty steps do nothing.
struct SceneScript {
    std::function<void()> init = {}, update = {}, paint = {}, pointer = {}, dispose = {}, pause = {};
    int loadingUpdates = 0;   // isLoading is true until this many updates ran
    bool paused = false;      // isPaused
};

inline std::map<int32_t, SceneScript> scripts;
// "<id> <call>" for each call the manager makes on a test scene (isLoading and isPaused left out).
inline std::vector<std::string> calls;
// The last pointer event each handlePointer saw: type, x, y.
inline std::vector<std::array<int32_t, 3>> pointerEvents;
inline int32_t lastDt = -1;
// Every scene id the manager built or tried to build, in order.
inline std::vector<int32_t> askedScenes;

// The scene table as the game registered it, and a factory that records each id before it
// builds through it. An id without a class is tried with the real (empty) table, so the
// manager logs it and falls back to the menu exactly as it does in the game. The menu's
// entry stays empty while it has no class, since the manager's fallbacks test it; a request
// for that missing menu is the one request not recorded.
inline std::array<ui::SceneFactory, ui::kSceneIdCount> gameFactories{};
inline void wrapSceneTable();
inline void recordSceneRequests();
inline VMPtr<ui::Scene> recordingFactory(VMPtr<ui::SceneManager> manager) {
    recordSceneRequests();  // takes in entries a test changed in the table since
    const int32_t id = manager->getSceneId();
    askedScenes.push_back(id);
    if (gameFactories[size_t(id)]) return gameFactories[size_t(id)](manager);
    for (int32_t i = 0; i < ui::kSceneIdCount; ++i) ui::setSceneFactory(i, gameFactories[size_t(i)]);
    manager->createScene();
    wrapSceneTable();
    return nullptr;
}
inline void wrapSceneTable() {
    for (int32_t id = 0; id < ui::kSceneIdCount; ++id)
        ui::setSceneFactory(id, id == scene_id::kMenu && !gameFactories[size_t(id)] ? nullptr : &recordingFactory);
}
inline void recordSceneRequests() {
    for (int32_t id = 0; id < ui::kSceneIdCount; ++id) {
        const ui::SceneFactory current = ui::sceneFactory(id);
        if (current != &recordingFactory) gameFactories[size_t(id)] = current;
    }
    wrapSceneTable();
}

class TestScene : public ui::Scene {
    VM_CLASS(TestScene, ui::Scene)
    VMPtr<TestScene> _VM_init(VMPtr<ui::SceneManager> owner) {
        Scene::_VM_init();
        manager = owner;
        id = owner->getSceneId();
        init();
        return this;
    }
    void _VM_mark(uint32_t flags) override {
        Scene::_VM_mark(flags);
        vmMarkField(manager, flags);
    }
    void init() override { step("init", script().init); }
    void update(int32_t dt) override {
        lastDt = dt;
        ++updates;
        step("update", script().update);
    }
    void paint(VMPtr<Graphics> g) override {
        graphics = g.get();
        step("paint", script().paint);
    }
    void handlePointer() override;
    void pause() override { step("pause", script().pause); }
    void handleKeys() override { step("keys", nullptr); }
    void dispose() override { step("dispose", script().dispose); }
    bool isLoading() override { return updates < script().loadingUpdates; }
    bool isPaused() override { return script().paused; }

    SceneScript& script() { return scripts[id]; }
    void step(const char* call, const std::function<void()>& body) {
        calls.push_back(std::to_string(id) + " " + call);
        if (body) body();
    }

    VMPtr<ui::SceneManager> manager{vmField()};
    int32_t id = -1;
    int32_t updates = 0;
    Graphics* graphics = nullptr;  // valid during paint only
};

// Scene id `id` builds a TestScene that follows the script.
inline void useScene(int32_t id, SceneScript script = {}) {
    scripts[id] = std::move(script);
    gameFactories[size_t(id)] = &ui::buildScene<TestScene>;
    wrapSceneTable();
}

class GameDriver : public ShellHarness {
public:
    GameDriver() : ShellHarness("Ostrel") {
        std::ofstream(folder / "properties" / "app.prop") << "MIDlet-Name: Ostrel\nMIDlet-1: Ostrel,/icon.png,Ostrel\n";
        std::filesystem::create_directories(folder / "rsc");
        activeClock = &clock;
        kv::FrameClock::install(&clock);
        HAL_setTimeSource(&fakeTime);
        calls.clear();
        pointerEvents.clear();
        askedScenes.clear();
        recordSceneRequests();
    }
    ~GameDriver() {
        for (int32_t id = 0; id < ui::kSceneIdCount; ++id) ui::setSceneFactory(id, gameFactories[size_t(id)]);
        kv::FrameClock::install(nullptr);
        HAL_setTimeSource(nullptr);
        activeClock = nullptr;
    }

    // Boots the game; the scenario runs on the game-loop thread once the canvas is shown,
    // before the start-up loading. Returns the program's exit code.
    int run(std::function<void(GameDriver&)> scenario) {
        clock.scenario = [this, scenario] {
            while (!manager().isShownNow()) java::lang::Thread::sleep(1);
            try {
                scenario(*this);
            } catch (java::lang::Throwable* caught) {
                VMPtr<java::lang::Throwable> failure(caught);
                ADD_FAILURE() << "the scenario threw " << failure->toString()->toUtf8();
                manager().requestExit();
            }
        };
        return HAL_appMain();
    }
    // Boots the game and lets the real loop run on stepping fake time until it ends.
    int runLoop() {
        clock.stepping = true;
        return HAL_appMain();
    }

    ui::SceneManager& manager() { return *static_cast<ui::SceneManager*>(kv::KvCanvas::instance.get()); }
    // The start-up loading: media manager, saved records, scene 0.
    void start() { manager().startLoop(); }
    void frames(int count, int32_t dt = kv::KvCanvas::kFrameMillis) {
        for (int i = 0; i < count && !manager().isLoopEnding(); ++i) {
            clock.advance(dt);
            const auto began = std::chrono::steady_clock::now();
            manager().tick(dt);
            if (frameTimer) frameTimer(sceneId(), std::chrono::steady_clock::now() - began);
        }
    }
    // Told after each frame the scene id it ended in and its wall time (update, paint, flush).
    void (*frameTimer)(int32_t sceneId, std::chrono::steady_clock::duration wallTime) = nullptr;
    int32_t sceneId() { return manager().getSceneId(); }
    int32_t previousSceneId() { return manager().getPreviousSceneId(); }
    void setPreviousSceneId(int32_t id) { manager().previousSceneId = id; }
    int32_t stage() { return manager().stage; }
    int32_t storyPart() { return manager().storyMode; }
    // Which story the story scene plays next (1 introduction, 2 ending, 3 lead-in).
    void setStoryMode(int32_t mode) { manager().storyMode = mode; }

    // Saved records, on the loop thread; written before start() they are what the game
    // finds at start-up (a record that fails the start-up check is repaired).
    void writeRecord(int32_t slot, const std::vector<int8_t>& bytes) {
        VMPtr<VMArray<int8_t, 1>> array = VMArray<int8_t, 1>::_VM_new(int32_t(bytes.size()));
        std::copy(bytes.begin(), bytes.end(), array->elements());
        manager().saveRecord(slot, array);
    }
    std::vector<int8_t> record(int32_t slot) {
        VMPtr<VMArray<int8_t, 1>> array = manager().loadRecord(slot);
        if (!array) return {};
        return std::vector<int8_t>(array->elements(), array->elements() + array->length);
    }
    // Asks for a scene as the world map does: a zero result for the stage, then the change,
    // which the next frame applies (area reset, previous id, music stopped).
    void requestScene(int32_t id, int32_t stage) {
        manager().storeResult(0, 0, stage, 0, 0, 0, 0, 0);
        manager().changeScene(id);
    }

    // Input through the window, as the backend turns host input into messages; waits
    // until the UI thread has handled it.
    void tap(int32_t x, int32_t y) {
        backend->input().pointerDown(x, y);
        backend->input().pointerUp(x, y);
        settle();
    }
    // A press held across frames: down, any number of drags, up.
    void press(int32_t x, int32_t y) {
        backend->input().pointerDown(x, y);
        settle();
    }
    void drag(int32_t x, int32_t y) {
        backend->input().pointerMove(x, y);
        settle();
    }
    void release(int32_t x, int32_t y) {
        backend->input().pointerUp(x, y);
        settle();
    }
    void keyDown(uint32_t virtualKey) {
        backend->input().keyDown(virtualKey);
        settle();
    }
    void keyUp(uint32_t virtualKey) {
        backend->input().keyUp(virtualKey);
        settle();
    }
    void settle() {
        for (const WaitLimit limit; !backend->queue().empty() && !limit.reached();) java::lang::Thread::sleep(1);
        for (int i = 0; i < 3; ++i) java::lang::Thread::sleep(1);
    }

    // The canvas's last painted frame, RGB565 row by row.
    std::vector<uint16_t> frame() {
        HALSurface* surface = manager().screenBuffer->surface;
        std::vector<uint16_t> pixels;
        for (int32_t y = 0; y < surface->height; ++y)
            pixels.insert(pixels.end(), surface->row(y), surface->row(y) + surface->width);
        return pixels;
    }
    void savePng(const std::string& path) {
        HALSurface* surface = manager().screenBuffer->surface;
        const png_writer::Bytes bytes =
            png_writer::encodeRgb565(frame().data(), uint32_t(surface->width), uint32_t(surface->height));
        std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    }

    FakeClock clock;
};

inline void TestScene::handlePointer() {
    using kv::input::PointerInputEventManager;
    pointerEvents.push_back({PointerInputEventManager::getStaticFlag(), PointerInputEventManager::getStaticIntA(),
                             PointerInputEventManager::getStaticIntB()});
    step("pointer", script().pointer);
}

}  // namespace game_test

VM_DEFINE_CLASS_WITHOUT_FACTORY(game_test::TestScene, "test.TestScene", "ui.Scene", VM_NO_CLINIT)
