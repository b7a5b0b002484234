// The MIDlet lifecycle and the application manager, against the real boot and event
// dispatch of the headless shell. Each case runs in a process of its own.

#include <unistd.h>

#include "lib_src/vm/VMEvents.h"
#include "lib_src/vm/VMException.h"
#include "pb_src/j2me/com_kelvane_ostrel_AMS.h"
#include "pb_src/j2me/javax_microedition_lcdui_Display.h"
#include "pb_src/j2me/javax_microedition_midlet_MIDletStateChangeException.h"
#include "tests/j2me/profile/ProfileScenario.h"

namespace {

using namespace host;
using com::kelvane::ostrel::AMS;
using javax::microedition::lcdui::Display;
using javax::microedition::midlet::MIDlet;
using Log = std::vector<std::string>;

void post(uint32_t message, uint64_t wParam = 0) {
    HAL_postMessage(message, wParam);
    settle();
}

TEST(MIDlet, RefusedTransitionsLeaveTheStateAlone) {
    testRuntime();
    struct Row {
        int32_t from, to;
        bool applied;
    };
    const Row rows[] = {{0, 4, false}, {0, 3, true},  {1, 2, false}, {1, 3, false}, {1, 4, true},
                        {2, 4, false}, {2, 5, true},  {3, 4, true},  {4, 0, true},  {5, 1, false},
                        {5, 6, true},  {6, 3, false}, {6, 6, false}, {9, 2, true}};
    VMPtr<test::ScenarioMIDlet> midlet = test::ScenarioMIDlet::_VM_new();
    EXPECT_EQ(midlet->_VM_init()->state, MIDlet::Created);
    for (const Row& row : rows) {
        midlet->state = row.from;
        EXPECT_EQ(midlet->_VM_changeState(row.to), row.applied) << row.from << " -> " << row.to;
        EXPECT_EQ(midlet->state, row.applied ? row.to : row.from) << row.from << " -> " << row.to;
    }
}

TEST(MIDlet, PauseHidesBeforePauseAppAndResumeStartsBeforeShowingRepeatsDoNothing) {
    ProfileHarness harness;
    onStart = [] {
        Display::getDisplay(nullptr)->setCurrent(recordingCanvas("A"));
        startThread([] {
            post(kMsgActivate, kInactive);
            HAL_dispatchEvent(kEventPause, 0, nullptr);
            post(kMsgActivate, kActive);
            HAL_dispatchEvent(kEventResume, 0, nullptr);
            HAL_requestExit();
        });
    };
    EXPECT_EQ(HAL_appMain(), 0);
    EXPECT_EQ(lifecycleLog, (Log{"startApp", "A show", "A hide", "pauseApp", "startApp", "A show", "destroyApp"}));
}

TEST(MIDlet, AnExitAfterNotifyDestroyedCallsNoDestroyApp) {
    ProfileHarness harness;
    onStart = [] { AMS::midlet->notifyDestroyed(); };
    EXPECT_EQ(HAL_appMain(), 0);
    EXPECT_EQ(lifecycleLog, (Log{"startApp"}));
}

TEST(MIDlet, AStateChangeRefusedByDestroyAppIsDroppedAndTheMIDletEndsDestroyed) {
    ProfileHarness harness;
    static int32_t stateAfterExit = -1;
    onStart = [] {
        // Heard after the application manager, which listens first in the last list.
        HAL_addEventListener([](int, int, void*) { return stateAfterExit = AMS::midlet->state, 0; },
                             1u << kEventExit, 2);
        HAL_requestExit();
    };
    onDestroy = [] { vm::throwNew<javax::microedition::midlet::MIDletStateChangeException>(); };
    EXPECT_EQ(HAL_appMain(), 0);
    EXPECT_EQ(lifecycleLog, (Log{"startApp", "destroyApp"}));
    EXPECT_EQ(stateAfterExit, MIDlet::Destroyed);
}

TEST(MIDletDeathTest, TheClassNameIsTakenAfterTheSecondCommaOrFromTheWholeValue) {
    struct Row {
        const char* midlet1;
        int exitCode;
        const char* output;
    };
    const Row rows[] = {
        {"test.ScenarioMIDlet", 0, ""},
        {" Scenario,,  test.ScenarioMIDlet ", 0, ""},
        {"Scenario,test.ScenarioMIDlet", 1, "ClassNotFoundException"},
        {"", 1, "Failed to load MIDlet!"},
        {"Scenario,/icon.png,test.NativeRunnable", 1, "InstantiationException: Class not a MIDlet"},
    };
    for (const Row& row : rows) {
        EXPECT_EXIT(
            {
                dup2(STDERR_FILENO, STDOUT_FILENO);  // the uncaught exception's report too
                ProfileHarness harness(row.midlet1);
                onStart = [] { AMS::midlet->notifyDestroyed(); };
                std::exit(HAL_appMain());
            },
            testing::ExitedWithCode(row.exitCode), row.output)
            << row.midlet1;
    }
}

}  // namespace
