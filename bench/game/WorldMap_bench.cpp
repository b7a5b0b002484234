// Figures for the world map and the story scene in the real application, headless, on the
// compiled content, against the 50 ms frame and against one 240 x 320 frame copy (a full
// screen image drawn onto the screen):
// - the map's update plus paint at rest and in the middle of a move;
// - the picture reload at the move's half-way switch (the pack closed before, so its part is
//   reopened and its sheet PNG decoded), which runs inside one frame of the move;
// - the managed allocations of one paint and of one press handled (the layout boxes are
//   made anew on every call), and the heap in use after 10,000 frames of both against the
//   start (after a collection each);
// - each story's update plus paint while it plays.
// Usage: world_map_bench

#include <cstdio>
#include <vector>

#include "bench/ManagedAllocations.h"
#include "bench/game/GameBench.h"
#include "src/game/frontend/scene_Story.h"
#include "src/game/frontend/scene_WorldMap.h"
#include "src/kv/input/kv_input_PointerInputEventManager.h"
#include "src/kv/kv_Resources.h"

namespace {

using namespace bench;
constexpr double kFrameMillis = 50.0;

double copyMicros = 1;

void report(const char* what, double us) {
    std::printf("%-40s %8.1f us  %6.3f %% of the frame  %6.2f frame copies\n", what, us, 100.0 * us / (kFrameMillis * 1000.0),
                us / copyMicros);
}

VMPtr<scene::WorldMap> readyMap() {
    VMPtr<scene::WorldMap> map = scene::WorldMap::_VM_new();
    map->_VM_init(VMPtr<ui::SceneManager>(&manager()));
    while (map->isLoading()) map->update(50);
    return map;
}

void measureMap(VMPtr<Graphics> g) {
    VMPtr<VMArray<int8_t, 1>> progress = VMArray<int8_t, 1>::_VM_new(25);
    for (int i = 0; i < 3; ++i) progress->at(i) = 1;
    for (int i = 0; i < 5; ++i) progress->at(5 + i) = int8_t(i < 3 ? 3 - i : -1);
    progress->at(12) = 0, progress->at(17) = 5, progress->at(22) = 9;
    manager().saveRecord(1, progress);
    VMPtr<scene::WorldMap> map = readyMap();

    std::vector<double> rest;
    for (int i = 0; i < 2000; ++i) rest.push_back(timedMicros([&] {
        map->update(50);
        map->paint(g);
    }));
    report("map at rest, update + paint", median(rest));

    std::vector<double> moving, switching;
    for (int i = 0; i < 4000; ++i) {
        if (map->state == scene::WorldMap::kReady) {
            if (map->selectedStage == 0) map->startMoveToNext();
            else map->startMoveToPrevious();
        }
        const int32_t stage = map->selectedStage;
        const double us = timedMicros([&] {
            map->update(50);
            map->paint(g);
        });
        (map->selectedStage != stage ? switching : moving).push_back(us);
    }
    report("map mid-move, update + paint", median(moving));
    report("map switch frame (picture reloaded)", median(switching));

    std::vector<double> reload;
    for (int i = 0; i < 21; ++i) {
        kv::Resources::closePack();
        reload.push_back(timedMicros([&] { map->loadStagePicture(); }));
    }
    report("picture reload after closePack", median(reload));

    while (map->state != scene::WorldMap::kReady) map->update(50);
    using Input = kv::input::PointerInputEventManager;
    auto press = [&] {
        Input::addEvent(Input::PRESSED, 120, 100);  // on the picture: no zone
        Input::nextEvent();
        map->handlePointer();
    };
    map->paint(g);
    press();
    uint64_t before = managedAllocations;
    map->paint(g);
    const uint64_t paintAllocations = managedAllocations - before;
    before = managedAllocations;
    press();
    const uint64_t pressAllocations = managedAllocations - before;
    std::printf("%-40s %8llu paint, %llu press\n", "map managed allocations per call", (unsigned long long)paintAllocations,
                (unsigned long long)pressAllocations);
    const int64_t start = heapInUse();
    for (int i = 0; i < 10000; ++i) {
        map->update(50);
        press();
        map->paint(g);
    }
    const int64_t end = heapInUse();
    std::printf("%-40s %8lld bytes at the start, %lld after 10,000 frames\n", "map heap in use", (long long)start, (long long)end);
}

void measureStory(int32_t mode, VMPtr<Graphics> g) {
    manager().storyMode = mode;
    VMPtr<scene::Story> story = scene::Story::_VM_new();
    story->_VM_init(VMPtr<ui::SceneManager>(&manager()));
    while (story->isLoading()) {
        story->update(50);
        story->paint(g);
    }
    std::vector<double> frames;
    for (int i = 0; manager().pendingSceneId == ui::SceneManager::kNoScene && i < 2000; ++i)
        frames.push_back(timedMicros([&] {
            story->update(50);
            story->paint(g);
        }));
    manager().pendingSceneId = ui::SceneManager::kNoScene;
    static const char* names[] = {"", "story 1 (introduction), update + paint", "story 2 (ending), update + paint",
                                  "story 3 (lead-in), update + paint"};
    report(names[mode], median(frames));
}

void measureMapAndStories() {
    VMPtr<Image> screen = Image::createImage(240, 320, false, 0);
    VMPtr<Graphics> g = screen->getGraphics();
    copyMicros = frameCopyMillis(g, 2000) * 1000.0;
    std::printf("%-40s %8.1f us\n", "240 x 320 frame copy", copyMicros);
    measureMap(g);
    for (int32_t mode : {1, 2, 3}) measureStory(mode, g);
    manager().requestExit();
}

}  // namespace

int main() { return runGameBench("map", true, measureMapAndStories); }
