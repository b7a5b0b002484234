// Figures for the tutorial in the real game, headless, on the compiled content:
// - each of its sixteen load calls (median of 5 loads) against the 50 ms frame;
// - update plus paint of a frame of step 7 from 2000 ms on, where the closing message is
//   wrapped again every frame (median of 400 frames), against the 50 ms frame and the
//   copy of a 240 x 320 picture;
// - managed allocations per frame in play (idle in step 0; a shot held flying in step 3),
//   the HUD and arrow drawn, and with the closing message.
// Usage: tutorial_bench

#include <cstdio>
#include <vector>

#include "bench/ManagedAllocations.h"
#include "bench/game/GameBench.h"
#include "src/game/level/scene_Tutorial.h"

namespace {

using namespace bench;
using Tutorial = scene::Tutorial;

VMPtr<Tutorial> newTutorial() {
    VMPtr<Tutorial> tutorial = Tutorial::_VM_new();
    tutorial->_VM_init(VMPtr<ui::SceneManager>(&manager()));
    return tutorial;
}

void measureLoading() {
    std::vector<std::vector<double>> calls(16);
    for (int n = 0; n < 5; ++n) {
        VMPtr<Tutorial> tutorial = newTutorial();
        for (int call = 0; call < 16; ++call) calls[size_t(call)].push_back(timedMillis([&] { tutorial->load(); }));
    }
    std::printf("load calls (median of 5), frame 50 ms:\n");
    for (int call = 0; call < 16; ++call)
        std::printf("  call %2d (step %2d): %7.3f ms\n", call + 1, call == 0 ? 0 : 16 - call, median(calls[size_t(call)]));
}

// Allocations per frame over 100 frames, `setUp` run before each.
template <typename SetUp> double allocationsPerFrame(Tutorial& tutorial, VMPtr<Graphics> g, SetUp setUp) {
    const uint64_t before = managedAllocations;
    for (int i = 0; i < 100; ++i) {
        setUp();
        tutorial.update(50);
        tutorial.paint(g);
    }
    return double(managedAllocations - before) / 100.0;
}

void measureFrames() {
    VMPtr<Tutorial> tutorial = newTutorial();
    for (int call = 0; call < 16; ++call) tutorial->load();
    tutorial->state = Tutorial::kPlaying;
    VMPtr<Image> screen = Image::createImage(240, 320, false, 0);
    VMPtr<Graphics> g = screen->getGraphics();

    const double idle = allocationsPerFrame(*tutorial, g, [&] { tutorial->step = 0; });
    const double inPlay = allocationsPerFrame(*tutorial, g, [&] {
        tutorial->step = 3;
        tutorial->attackLeftFlag = true;
    });
    tutorial->attackLeftFlag = false;

    tutorial->step = Tutorial::kClosingStep;
    tutorial->closingTime = 2050;
    std::vector<double> frames;
    for (int i = 0; i < 400; ++i)
        frames.push_back(timedMillis([&] {
            tutorial->update(50);
            tutorial->paint(g);
        }));
    const double frame = median(frames), copy = frameCopyMillis(g, 200);
    const double withMessage = allocationsPerFrame(*tutorial, g, [] {});
    std::printf("step 7 with the closing message, update + paint (median of 400): %.3f ms\n", frame);
    std::printf("  %.4f of the 50 ms frame; %.2f times the 240 x 320 copy (%.3f ms)\n", frame / 50.0, frame / copy, copy);
    std::printf("managed allocations a frame: in play idle %.1f, a shot flying %.1f; with the message %.1f\n", idle, inPlay,
                withMessage);
}

void measureTutorial() {
    measureLoading();
    measureFrames();
    manager().requestExit();
}

}  // namespace

int main() { return runGameBench("tutorial", true, measureTutorial); }
