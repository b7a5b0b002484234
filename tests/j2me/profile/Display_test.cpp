// The Display, commands and canvases on a bare runtime; display changes, serial calls and
// no lock-order deadlock under input through the headless shell.

#include <algorithm>
#include <atomic>
#include <thread>

#include "hal/host/HostBackend.h"
#include "lib_src/vm/VMEvents.h"
#include "pb_src/j2me/javax_microedition_lcdui_Command.h"
#include "pb_src/j2me/javax_microedition_lcdui_Display.h"
#include "tests/j2me/profile/ProfileScenario.h"

namespace test {

// A canvas whose key codes are their own game actions; it records repeats and releases too.
class ActionCanvas : public RecordingCanvas {
    VM_CLASS(ActionCanvas, RecordingCanvas)
    int32_t getGameAction(int32_t keyCode) override { return keyCode; }
    void keyRepeated(int32_t code) override { logCanvasCall(name + " repeat " + std::to_string(code)); }
    void keyReleased(int32_t code) override { logCanvasCall(name + " release " + std::to_string(code)); }
};

}  // namespace test

VM_DEFINE_CLASS(test::ActionCanvas, "test.ActionCanvas", "test.RecordingCanvas", VM_NO_CLINIT)

namespace {

using namespace host;
using java::lang::IllegalArgumentException;
using java::lang::String;
using javax::microedition::lcdui::Command;
using javax::microedition::lcdui::Display;
using Log = std::vector<std::string>;

template <typename E, typename Call> bool throws(Call call) {
    try {
        call();
    } catch (E* caught) {
        VMPtr<E> kept(caught);
        return true;
    }
    return false;
}

VMPtr<Command> command(const char* label, int32_t type = Command::OK) {
    VMPtr<Command> made = Command::_VM_new();
    return made->_VM_init(label ? String::fromUtf8(label) : VMPtr<String>(), type, 1);
}

size_t countContaining(const Log& log, const std::string& part) {
    return size_t(std::count_if(log.begin(), log.end(), [&](const std::string& s) { return s.find(part) != s.npos; }));
}

TEST(Display, ColoursBorderStylesAndCapabilitiesOfTheSixteenBitScreen) {
    testRuntime();
    VMPtr<Display> display = Display::getDisplay(nullptr);
    const int32_t colours[] = {0xFFFFFF, 0x000000, 0xFFFFFF, 0x000000, 0xAFAFAF, 0x606060};
    for (int32_t specifier = 0; specifier < 6; ++specifier) EXPECT_EQ(display->getColor(specifier), colours[specifier]);
    const int32_t figures[][2] = {{display->getBorderStyle(true), 0}, {display->getBorderStyle(false), 1},
                                  {display->isColor(), 1}, {display->numColors(), 65536}, {display->numAlphaLevels(), 32},
                                  {display->vibrate(100), 0}};  // no vibrator
    for (const auto& [figure, expected] : figures) EXPECT_EQ(figure, expected);
    for (const auto& call : {std::function<void()>([&] { display->getColor(6); }), std::function<void()>([&] { display->getColor(-1); }),
                             std::function<void()>([&] { display->vibrate(-1); })})
        EXPECT_TRUE(throws<IllegalArgumentException>(call));
    EXPECT_TRUE(throws<java::lang::NullPointerException>([&] { display->callSerially(nullptr); }));
}

TEST(Display, CommandsStayPackedGrowByFourAndSurviveACollection) {
    testRuntime();
    EXPECT_TRUE(throws<IllegalArgumentException>([] { command("x", 0); }));
    EXPECT_TRUE(throws<IllegalArgumentException>([] { command("x", 9); }));
    EXPECT_TRUE(throws<java::lang::NullPointerException>([] { command(nullptr); }));
    VMPtr<test::RecordingCanvas> canvas = recordingCanvas("A");
    VMPtr<Command> first = command(""), second = command("2"), third = command("3");
    canvas->addCommand(first);
    canvas->addCommand(first);
    EXPECT_EQ(canvas->commandCount, 1) << "added once";
    canvas->addCommand(second);
    canvas->addCommand(third);
    canvas->removeCommand(first);
    ASSERT_EQ(canvas->commandCount, 2);
    EXPECT_EQ(canvas->commands->at(0), third.get()) << "the last command takes the removed one's place";
    EXPECT_EQ(canvas->commands->at(2), nullptr);
    for (const char* label : {"4", "5", "6"}) canvas->addCommand(command(label));
    EXPECT_EQ(canvas->commands->length, 8);
    EXPECT_EQ(canvas->commandCount, 5);
    canvas->setTitle(String::fromUtf8("title"));
    first = second = third = nullptr;
    VM::instance()->collect();  // the canvas's fields keep its commands and title
    EXPECT_TRUE(canvas->getTitle()->_VM_equals("title"));
    EXPECT_TRUE(canvas->commands->at(4)->getLabel()->_VM_equals("6"));
}

TEST(Canvas, KeyCodesNamesActionsAndTouchCapabilities) {
    testRuntime();
    VMPtr<test::RecordingCanvas> canvas = recordingCanvas("A");
    EXPECT_EQ(canvas->getKeyCode(8), -5);
    EXPECT_TRUE(throws<IllegalArgumentException>([&] { canvas->getKeyCode(9); }));
    EXPECT_EQ(canvas->getGameAction(-3), 2);
    EXPECT_EQ(canvas->getGameAction(48), 0);
    EXPECT_EQ(canvas->getKeyName(-12345)->length(), 0) << "a key without a name";
    EXPECT_TRUE(canvas->hasPointerEvents() && canvas->hasPointerMotionEvents() && canvas->hasRepeatEvents());
    EXPECT_TRUE(canvas->isKeyEventDelivered(-5));
    canvas->suppressKeyEvents = true;
    EXPECT_FALSE(canvas->isKeyEventDelivered(-5)) << "fire has a game action";
    EXPECT_TRUE(canvas->isKeyEventDelivered('1'));
}

// With suppression, presses, repeats and releases of the nine game actions (as the canvas's
// own getGameAction maps them) are withheld; other keys pass.
TEST(Canvas, SuppressionWithholdsEveryEventOfTheNineGameActions) {
    testRuntime();
    VMPtr<test::ActionCanvas> canvas = test::ActionCanvas::_VM_new();
    canvas->_VM_init();
    canvas->suppressKeyEvents = true;
    lifecycleLog.clear();
    for (int32_t action : {1, 2, 5, 6, 8, 9, 10, 11, 12, 3, 7, 13}) {
        canvas->dispatchKeyPressed(action);
        canvas->dispatchKeyRepeated(action);
        canvas->dispatchKeyReleased(action);
    }
    EXPECT_EQ(lifecycleLog, (Log{"canvas key 3", "canvas repeat 3", "canvas release 3", "canvas key 7", "canvas repeat 7",
                                 "canvas release 7", "canvas key 13", "canvas repeat 13", "canvas release 13"}));
}

TEST(Display, SwitchesNotifyOnlyOnChangeNullChangesNothingAndASwitchInsideASwitchHolds) {
    ProfileHarness harness;
    onStart = [] {
        VMPtr<Display> display = Display::getDisplay(nullptr);
        VMPtr<test::RecordingCanvas> a = recordingCanvas("A"), b = recordingCanvas("B");
        display->setCurrent(a);
        display->setCurrent(nullptr);
        EXPECT_EQ(display->getCurrent().get(), a.get());
        display->setCurrent(a);
        EXPECT_TRUE(a->isShown());
        display->setCurrent(b);
        EXPECT_FALSE(a->isShown());
        static VMPtr<test::RecordingCanvas> c{VMStaticScope::instance()};
        c = recordingCanvas("C");
        onCanvasCall = [](const std::string& call) {
            if (call == "A show") Display::getDisplay(nullptr)->setCurrent(c);  // a switch inside a switch
        };
        display->setCurrent(a);
        EXPECT_EQ(display->getCurrent().get(), c.get()) << "the later switch holds";
        HAL_requestExit();
    };
    EXPECT_EQ(HAL_appMain(), 0);
    EXPECT_EQ(lifecycleLog, (Log{"startApp", "A show", "A hide", "B show", "B hide", "A show", "C show", "destroyApp"}));
}

TEST(Display, ASerialCallRunsOnceOnTheUIThreadAfterTheDispatchUnderWay) {
    ProfileHarness harness;
    onStart = [] {
        Display::getDisplay(nullptr)->setCurrent(recordingCanvas("A"));
        onCanvasCall = [](const std::string& call) {
            if (call != "A key -5") return;
            Display::getDisplay(nullptr)->callSerially(runnable([] { logCall("serial"); }));
            logCall("key handled");
        };
        startThread([] {
            host::hostBackend().input().keyDown(kVkReturn);
            for (const WaitLimit limit; countContaining(lifecycleLog, "serial") == 0 && !limit.reached();) java::lang::Thread::sleep(1);
            java::lang::Thread::sleep(20);
            HAL_requestExit();
        });
    };
    EXPECT_EQ(HAL_appMain(), 0);
    EXPECT_EQ(lifecycleLog, (Log{"startApp", "A show", "A key -5", "key handled", "serial", "destroyApp"}));
}

// A callback that lets the VM lock go (as any callback that sleeps or waits does) and then
// asks a displayable's size, while another thread switches displayables: the two monitors
// must never be taken in opposite orders.
TEST(Display, SwitchingFromAnotherThreadWhileInputArrivesNeverDeadlocks) {
    ProfileHarness harness;
    constexpr int kInputs = 60;
    static std::atomic<bool> injecting{false}, injected{false};
    std::thread injector([] {
        while (!injecting) std::this_thread::sleep_for(std::chrono::milliseconds(1));
        auto& input = host::hostBackend().input();
        for (int i = 0; i < kInputs; ++i) {
            input.keyDown(kVkUp);
            input.keyUp(kVkUp);
            input.pointerDown(10 + i, 20);
            input.pointerMove(11 + i, 30);
            input.pointerUp(11 + i, 30);
            std::this_thread::sleep_for(std::chrono::microseconds(300));
        }
        injected = true;
    });
    onStart = [] {
        static VMPtr<test::RecordingCanvas> a{VMStaticScope::instance()}, b{VMStaticScope::instance()};
        a = recordingCanvas("A");
        b = recordingCanvas("B");
        Display::getDisplay(nullptr)->setCurrent(a);
        onCanvasCall = [](const std::string&) {
            java::lang::Thread::sleep(1);
            EXPECT_EQ(a->getWidth(), 240);
        };
        startThread([] {
            injecting = true;
            for (int i = 0; !injected || i < 200; ++i) {
                Display::getDisplay(nullptr)->setCurrent(i % 2 ? a : b);
                // A size change, delivered by the UI thread as the platform delivers it.
                HAL_callSerially([](java::lang::Object* owner) {
                    intptr_t payload[3] = {reinterpret_cast<intptr_t>(owner), 240, 300};
                    HAL_dispatchEvent(kEventSizeChanged, 3, payload);
                }, (i % 3 ? a : b).get());
                java::lang::Thread::sleep(0);  // lets the UI thread in between
            }
            settle();
            HAL_requestExit();
        });
    };
    EXPECT_EQ(HAL_appMain(), 0);
    injector.join();
    // The platform filters input by its timing, so only the kinds are counted.
    for (const char* kind : {" key -1", " press ", " drag "}) EXPECT_GT(countContaining(lifecycleLog, kind), 0u) << kind;
    EXPECT_GE(countContaining(lifecycleLog, " size 240,300"), 200u);
}

}  // namespace
