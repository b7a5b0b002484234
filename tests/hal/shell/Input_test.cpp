// Input end to end, headless: keys and the stylus injected as host input travel through the
// message loop and the current canvas to the runtime's listeners as events 8 to 13. Each
// case runs in a process of its own.

#include <gtest/gtest.h>

#include <fstream>
#include <vector>

#include "hal/display/Displays.h"
#include "hal/display/HALDisplayable.h"
#include "hal/input/KeyStates.h"
#include "hal/shell/Shell.h"
#include "lib_src/vm/VMEvents.h"
#include "pb_src/j2me/java_lang_Class.h"
#include "pb_src/j2me/java_lang_Thread.h"
#include "tests/hal/input/InputTestSupport.h"
#include "tests/hal/shell/ShellHarness.h"
#include "tests/support/ScenarioBoot.h"
#include "tests/support/WaitLimit.h"


namespace {

using namespace host;
using Events = std::vector<RecordedEvent>;

// The runtime's listener: records like the unit tests' dispatch slot.
int recordEvent(int type, int a, void* b) {
    const auto* words = static_cast<const intptr_t*>(b);
    recordedEvents.push_back({type, std::vector<intptr_t>(words, words + a)});  // under the VM lock
    return 0;
}

// Listens to the input events and the size change, makes a canvas current (full screen)
// and runs the scenario, which plays the user, on a runtime thread of its own; then exits.
void bootWithCanvas(std::function<void()> scenario) {
    bootScenario = [scenario = std::move(scenario)] {
        HAL_addEventListener(&recordEvent, 0x3F00u | (1u << kEventSizeChanged), 1);
        static HALDisplayable* canvas;
        HAL_createCanvas(&canvas, java::lang::String::_VM_getClass());
        HAL_setCurrentDisplayable(canvas);
        HAL_setDisplayableFullScreenMode(canvas, 1);
        startThread([scenario] {
            scenario();
            HAL_requestExit();
        });
    };
}

// Lets the UI thread handle everything injected so far. It takes and dispatches messages
// in one hold of the VM lock, which this thread holds whenever it looks: an empty queue
// means all of them were handled.
void settle() {
    for (const WaitLimit limit; !hostBackend().queue().empty() && !limit.reached();) java::lang::Thread::sleep(1);
    ASSERT_TRUE(hostBackend().queue().empty());
}

// Sets the tick count, injects, and waits until the UI thread has handled it.
template <typename Inject> void at(uint32_t tick, Inject inject) {
    testTicks = tick;
    inject(hostBackend().input());
    settle();
}

struct InputHarness : ShellHarness {
    InputHarness() : ShellHarness("InputTest") {
        HAL_setTickCountSource([] { return testTicks.load(); });
    }
    ~InputHarness() { HAL_setTickCountSource(nullptr); }
};

TEST(Input, HeldKeysRepeatAndCharactersAndGameActionsReachTheRuntime) {
    InputHarness harness;
    static std::vector<int32_t> keyStates;
    bootWithCanvas([] {
        at(1000, [](InputTranslator& in) { in.keyDown(kVkUp); });
        at(1010, [](InputTranslator& in) { in.keyDown(kVkUp); });  // the first auto-repeat
        at(1050, [](InputTranslator& in) { in.keyDown(kVkUp); });  // dropped: within 100 ms of it
        at(1109, [](InputTranslator& in) { in.keyDown(kVkUp); });  // dropped
        at(1110, [](InputTranslator& in) { in.keyDown(kVkUp); });
        at(1120, [](InputTranslator& in) { in.keyUp(kVkUp); });
        keyStates.push_back(HAL_getKeyStates());
        at(1200, [](InputTranslator& in) {
            in.keyDown(kVkA);  // the key's character comes after it and is handed over first
            in.character(u'a');
        });
        at(1210, [](InputTranslator& in) { in.keyUp(kVkA); });
        at(1300, [](InputTranslator& in) {
            in.keyDown(kVkReturn);
            in.keyUp(kVkReturn);
        });
        keyStates.push_back(HAL_getKeyStates());
        keyStates.push_back(HAL_getKeyStates());
    });
    EXPECT_EQ(HAL_appMain(), 0);
    EXPECT_EQ(recordedEvents, (Events{key(8, -1), key(10, -1), key(10, -1), key(9, -1), key(8, 'a'), key(9, 'a'),
                                      key(8, -5), key(9, -5)}))
        << "full screen changes no size here";
    EXPECT_EQ(keyStates, (std::vector<int32_t>{1 << 1, 1 << 8, 0}));
    EXPECT_GE(harness.backend->timesRaised(), 1) << "full screen brings the window to the front";
}

TEST(Input, TheStylusIsFilteredForDuplicatesPressesAndTheDevicesPhantomPoints) {
    InputHarness harness;
    std::ofstream(harness.folder / "properties" / "sys.prop")
        << "KV_WINCE_PROPERTY_BUG_IGNORE_SOME_POINTER_EVENTS: 1\n"
        << "KV_WINCE_PROPERTY_BUG_IGNORE_SOME_POINTER_EVENTS_WHERE: 203,13\n";
    bootWithCanvas([] {
        at(1000, [](InputTranslator& in) { in.pointerDown(100, 100); });
        at(1010, [](InputTranslator& in) { in.pointerDown(100, 100); });  // a duplicate
        at(1020, [](InputTranslator& in) { in.pointerMove(102, 103); });
        at(1030, [](InputTranslator& in) { in.pointerUp(102, 103); });
        at(1100, [](InputTranslator& in) { in.pointerMove(50, 50); });  // no button: nothing
        at(1200, [](InputTranslator&) { HAL_postMessage(kMsgMouseMove, kMkLeftButton, pointParam(60, 70)); });
        at(1300, [](InputTranslator& in) { in.pointerUp(203, 13); });    // phantom release
        at(1400, [](InputTranslator& in) { in.pointerDown(203, 13); });  // phantom press
        at(1500, [](InputTranslator& in) { in.pointerMove(203, 13); });  // a drag through it counts
        at(1600, [](InputTranslator& in) { in.pointerUp(204, 13); });
        at(1700, [](InputTranslator& in) { in.pointerUp(10, 10); });  // a release without a press
    });
    EXPECT_EQ(HAL_appMain(), 0);
    EXPECT_EQ(recordedEvents, (Events{point(11, 100, 100), point(13, 102, 103), point(12, 102, 103), point(11, 60, 70),
                                      point(13, 60, 70), point(13, 203, 13), point(12, 204, 13), point(11, 10, 10),
                                      point(12, 10, 10)}));
}

}  // namespace
