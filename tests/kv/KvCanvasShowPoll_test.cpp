// The game loop's show poll: the canvas's first showing ends the poll's wait at once, so the
// loop starts (loadStep(0)) at the fake moment of the showing, not a whole 50 ms poll later.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "lib_src/vm/VMMonitor.h"
#include "pb_src/j2me/java_lang_Thread.h"
#include "pb_src/j2me/javax_microedition_lcdui_Graphics.h"
#include "src/kv/FrameClock.h"
#include "src/kv/kv_KvCanvas.h"
#include "tests/vm/TestRuntime.h"

namespace showpolltest {

// Made-up milliseconds that move only by the sleeps the loop sleeps out. The show poll waits
// for real until the canvas is shown (no wall-time limit that a busy machine could reach) and
// counts its milliseconds only when it ended without the showing.
class PollClock : public kv::FrameClock {
public:
    int64_t now() override { return time; }
    // Lets other threads run, then returns at the end of the sleep's milliseconds.
    void sleep(int32_t milliseconds) override {
        events.push_back("sleep " + std::to_string(milliseconds));
        java::lang::Thread::sleep(0);
        time += milliseconds;
    }
    void sleepUntilSet(int32_t milliseconds, const bool& done, java::lang::Object* signal) override {
        events.push_back("poll " + std::to_string(milliseconds));
        FrameClock::sleepUntilSet(kNoLimit, done, signal);
        if (!done) time += milliseconds;
    }

    static constexpr int32_t kNoLimit = INT32_MAX;
    int64_t time = 1000;
    std::vector<std::string> events;  // on the loop thread, read by the test under the VM lock
};

PollClock* clock = nullptr;

// Records the fake moment the loop starts and ends the loop at its first frame.
class LoopCanvas : public kv::KvCanvas {
    VM_CLASS(LoopCanvas, kv::KvCanvas)
    void paint(VMPtr<javax::microedition::lcdui::Graphics>) override {}
    void loadStep(int32_t code) override {
        if (code == 0) startedAt = clock->time;
    }
    void update(int32_t) override {
        endLoop();
        updated = true;
    }

    int64_t startedAt = -1;
    bool updated = false;
};

}  // namespace showpolltest

VM_DEFINE_CLASS(showpolltest::LoopCanvas, "ShowPollTestCanvas", "kv.KvCanvas", VM_NO_CLINIT)

namespace {

using showpolltest::LoopCanvas;
using showpolltest::PollClock;

// Lets the loop thread run until `reached` holds; false if it never does (a lost wake-up
// would otherwise hang the test).
template <typename Condition> bool letLoopRunUntil(Condition reached) {
    for (int i = 0; i < 20000 && !reached(); ++i) java::lang::Thread::sleep(1);
    return reached();
}

TEST(KvCanvasShowPoll, TheFirstShowingWakesTheWaitingLoopAtOnce) {
    testRuntime();
    PollClock clock;
    showpolltest::clock = &clock;
    kv::FrameClock::install(&clock);
    VMPtr<LoopCanvas> canvas = LoopCanvas::_VM_new();
    canvas->_VM_init(nullptr);
    ASSERT_TRUE(letLoopRunUntil([&] { return !clock.events.empty(); })) << "the loop never looked";

    clock.time += 7;
    const int64_t shownAt = clock.time;
    canvas->showNotify();
    const bool started = letLoopRunUntil([&] { return canvas->updated; });
    if (!started) {
        canvas->endLoop();
        VM_SYNCHRONIZED(canvas->showSignal.get());
        canvas->showSignal->notifyAll();
    }
    kv::FrameClock::install(nullptr);

    ASSERT_TRUE(started) << "the showing did not wake the loop";
    EXPECT_EQ(canvas->startedAt, shownAt) << "the loop waited out its poll after the showing";
    EXPECT_EQ(clock.events, std::vector<std::string>{"poll 50"}) << "one poll, ended by the showing";
}

}  // namespace
