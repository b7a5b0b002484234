// The shell end to end, headless: boot, message loop, frames, focus, serial calls and the
// exit path. Each case runs in a process of its own.

#include <gtest/gtest.h>

#include <csignal>
#include <cstdio>
#include <cstring>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

#include "hal/audio/HALPlayer.h"
#include "hal/audio/Players.h"
#include "hal/base/VMLock.h"
#include "hal/base/KeepAlive.h"
#include "hal/display/Displays.h"
#include "hal/display/FontCache.h"
#include "hal/display/HALDisplayable.h"
#include "hal/display/HALScreenBuffer.h"
#include "hal/host/SdlBackend.h"
#include "hal/services/HALPtrArray.h"
#include "hal/services/Properties.h"
#include "hal/shell/Shell.h"
#include "hal/shell/SingleInstance.h"
#include "lib_src/vm/VMEvents.h"
#include "lib_src/vm/VMThread.h"
#include "pb_src/j2me/java_lang_Class.h"
#include "pb_src/j2me/java_lang_RuntimeException.h"
#include "pb_src/j2me/java_lang_Thread.h"
#include "tests/hal/shell/ShellHarness.h"
#include "tests/support/ScenarioBoot.h"


namespace {

using namespace host;

std::vector<int> events;  // touched under the VM lock

int recordEvent(int type, int, void*) {
    events.push_back(type);
    return 0;
}

void listenToLifecycle() {
    HAL_addEventListener(&recordEvent, (1u << kEventPause) | (1u << kEventResume) | (1u << kEventExit), 1);
}


TEST(Shell, BootsNamesTheWindowAndExitsInOrderWhenClosed) {
    ShellHarness harness;
    bool mainRanOnUIThread = false;
    bootScenario = [&] {
        mainRanOnUIThread = HAL_isUIThread();
        listenToLifecycle();
        // Until a displayable is current the window's messages get only the default handling.
        static HALDisplayable* canvas;
        HAL_createCanvas(&canvas, java::lang::String::_VM_getClass());
        HAL_setCurrentDisplayable(canvas);
        HAL_postMessage(kMsgActivate, kInactive);
        HAL_postMessage(kMsgActivate, kActive);
        HAL_postMessage(kMsgClose);
    };
    EXPECT_EQ(HAL_appMain(), 0) << "the quit message met by an active pass";
    EXPECT_TRUE(mainRanOnUIThread);
    EXPECT_EQ(harness.backend->title(), "ShellTest");
    EXPECT_EQ(events, (std::vector<int>{kEventPause, kEventResume, kEventExit}));
    EXPECT_EQ(VM::instance(), nullptr) << "the runtime was destroyed";
    EXPECT_FALSE(harness.backend->isWindowOpen());
}

TEST(Shell, FramesFlushedWhileInactiveAreCopiedOnceOnReturn) {
    ShellHarness harness;
    static HALDisplayable* canvas;
    static HALScreenBuffer* buffer;
    bootScenario = [&] {
        HAL_createCanvas(&canvas, java::lang::String::_VM_getClass());
        HAL_createScreenBuffer(canvas, &buffer);
        HAL_setCurrentDisplayable(canvas);
        HAL_postMessage(kMsgActivate, kInactive);
        startThread([harness = &harness] {
            while (HAL_isActive()) java::lang::Thread::sleep(5);
            for (int32_t i = 0; i < buffer->width * buffer->height; ++i) buffer->surface->pixels[i] = uint16_t(i);
            HAL_flushScreenBuffer(buffer);  // the game thread: both only mark the frame
            HAL_flushScreenBuffer(buffer);
            java::lang::Thread::sleep(20);
            EXPECT_EQ(harness->backend->framesPresented(), 0) << "inactive: the frame stays pending";
            HAL_postMessage(kMsgActivate, kActive);
            while (harness->backend->framesPresented() == 0) java::lang::Thread::sleep(5);
            HAL_requestExit();
        });
    };
    EXPECT_EQ(HAL_appMain(), 0);
    EXPECT_EQ(harness.backend->framesPresented(), 1) << "two flushes, one copy";
    ASSERT_EQ(harness.backend->lastFrame().size(), size_t(kScreenWidth) * kScreenHeight);
    EXPECT_EQ(harness.backend->lastFrame()[1000], 1000);
}

// Two frames presented, with and without the start-up timing variable: one line for the
// first frame, or nothing.
class ShellFirstFrameTest : public testing::TestWithParam<bool> {};

TEST_P(ShellFirstFrameTest, ReportsOnlyTheFirstFramePresentedWhenAsked) {
    ShellHarness harness;
    const bool asked = GetParam();
    if (asked) setenv(kReportFirstFrameVariable, "1", 1);
    else unsetenv(kReportFirstFrameVariable);
    static HALScreenBuffer* buffer;
    bootScenario = [&] {
        static HALDisplayable* canvas;
        HAL_createCanvas(&canvas, java::lang::String::_VM_getClass());
        HAL_createScreenBuffer(canvas, &buffer);
        HAL_setCurrentDisplayable(canvas);
        startThread([harness = &harness] {
            for (int frame = 1; frame <= 2; ++frame) {
                HAL_flushScreenBuffer(buffer);
                while (harness->backend->framesPresented() < frame) java::lang::Thread::sleep(5);
            }
            HAL_requestExit();
        });
    };
    testing::internal::CaptureStdout();
    EXPECT_EQ(HAL_appMain(), 0);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), asked ? kFirstFrameLine : "");
    EXPECT_EQ(harness.backend->framesPresented(), 2);
}

INSTANTIATE_TEST_SUITE_P(AskedOrNot, ShellFirstFrameTest, testing::Bool());

TEST(Shell, SerialCallsRunOnTheUIThreadAndTheExitPathReleasesWhatTheRunHeld) {
    ShellHarness harness;
    static HeadlessBackend* backend = harness.backend;
    static bool cacheAtBoot = false, awakeWhileRunning = false, ranOnUIThread = false, workerInterrupted = false;
    static std::vector<std::string> opened;
    HAL_setBrowserLauncher([](const char* url) { opened.push_back(url); });
    bootScenario = [] {
        cacheAtBoot = HAL_hasFontCache();
        uint8_t mustExit = 0;
        HAL_openURL(u"http://example.invalid/a", 24, &mustExit);
        EXPECT_EQ(mustExit, 1);
        HAL_openURL(u"http://example.invalid/b", 24, nullptr);  // the latest wins
        startThread([] {
            try {
                for (;;) java::lang::Thread::sleep(10000);
            } catch (java::lang::Throwable* caught) {
                VMPtr<java::lang::Throwable> held(caught);
                workerInterrupted = true;
            }
        });
        HAL_setKeepAlive(1);  // handled by the UI thread before the serial call below
        startThread([] {
            HAL_callSerially(
                [](java::lang::Object*) {
                    ranOnUIThread = HAL_isUIThread();
                    awakeWhileRunning = backend->isKeptAwake();
                    HAL_requestExit();
                },
                java::lang::String::fromUtf8("runnable").get());
        });
    };
    EXPECT_EQ(HAL_appMain(), 0);
    EXPECT_TRUE(cacheAtBoot) << "the font cache lives from before the boot";
    EXPECT_FALSE(HAL_hasFontCache()) << "until shutdown";
    EXPECT_TRUE(ranOnUIThread);
    EXPECT_TRUE(awakeWhileRunning);
    EXPECT_FALSE(backend->isKeptAwake()) << "let go at exit";
    EXPECT_TRUE(workerInterrupted) << "the exit path stops the runtime's threads";
    EXPECT_EQ(opened, (std::vector<std::string>{"http://example.invalid/b"})) << "a kept URL opens once at exit";
}

TEST(Shell, ASecondInstanceEndsAtOnceWithCodeOne) {
    ShellHarness harness;
    ASSERT_TRUE(HAL_acquireInstanceLock("ShellTest"));
    const pid_t child = fork();
    if (child == 0) _exit(HAL_appMain());
    int status = 0;
    waitpid(child, &status, 0);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 1);
    HAL_releaseInstanceLock();
}

TEST(ShellDeathTest, ABootClassThatThrowsEndsTheProcess) {
    EXPECT_EXIT(
        {
            ShellHarness harness;
            bootScenario = [] { vm::throwNew<java::lang::RuntimeException>(); };
            HAL_appMain();
        },
        testing::ExitedWithCode(1), "init\\(\\) failed with CALLBACK_UNCAUGHT_EXCEPTION\\.");
}

TEST(Shell, ReadsEachPropertyFileOnce) {
    ShellHarness harness;
    static int32_t applicationEntries = -1;
    bootScenario = [] {
        applicationEntries = HAL_getPropertyList(kApplicationPropertyList)->size();
        HAL_requestExit();
    };
    EXPECT_EQ(HAL_appMain(), 0);
    EXPECT_EQ(applicationEntries, 2) << "the harness's app.prop has two lines";
}

// Headless, a terminating signal is the window's close button: the exit sequence runs (the
// exit event is told) and the process ends with the loop's code, 0.
class ShellSignalDeathTest : public testing::TestWithParam<int> {};

int tellExit(int type, int, void*) {
    if (type == kEventExit) std::fputs("exit event\n", stderr);
    return 0;
}

TEST_P(ShellSignalDeathTest, EndsThroughTheExitSequence) {
    static int signal;
    signal = GetParam();
    EXPECT_EXIT(
        {
            ShellHarness harness;
            bootScenario = [] {
                HAL_addEventListener(&tellExit, 1u << kEventExit, 1);
                std::thread([] { kill(getpid(), signal); }).detach();
            };
            std::exit(HAL_appMain());
        },
        testing::ExitedWithCode(0), "exit event");
}

INSTANTIATE_TEST_SUITE_P(TerminatingSignals, ShellSignalDeathTest, testing::Values(SIGTERM, SIGINT));

TEST(ShellDeathTest, WithoutADisplayTheWindowSaysSoAndEndsWithCodeOne) {
    EXPECT_EXIT(
        {
            ShellHarness harness;
            host::setHostBackend(std::make_unique<SdlBackend>());
            bootScenario = [] { HAL_requestExit(); };  // were a window to open somewhere, end
            for (const char* variable : {"DISPLAY", "WAYLAND_DISPLAY", "SDL_VIDEODRIVER"}) unsetenv(variable);
            std::exit(HAL_appMain());
        },
        testing::ExitedWithCode(1), "no display: set DISPLAY, or OSTREL_BACKEND=headless");
}

// Player events go into the same record as lifecycle events, as 100 + the player's index
// in the list times 10 + the event.
void recordPlayerEvent(void*, HALPlayer* player, int32_t event, int32_t, int32_t, int32_t) {
    for (int32_t i = 0; i < HAL_getPlayerCount(); ++i)
        if (HAL_getPlayerAt(i) == player) events.push_back(100 + i * 10 + event);
}

// A mono WAV clip of n frames at 44100 Hz.
std::vector<uint8_t> clip(uint32_t frames) {
    std::vector<uint8_t> file(44 + frames * 2, 0x10);
    const uint32_t fields[] = {0x46464952, 36 + frames * 2, 0x45564157, 0x20746D66, 16, 0x00010001, 44100, 88200, 0x00100002,
                               0x61746164, frames * 2};
    std::memcpy(file.data(), fields, sizeof fields);
    return file;
}

HALPlayer* startedPlayer(uint32_t frames, bool start) {
    const std::vector<uint8_t> file = clip(frames);
    HALPlayer* player = nullptr;
    EXPECT_EQ(HAL_createPlayerWithData(&player, file.data(), int32_t(file.size()), 2, 0), 0);
    if (start) HAL_startPlayer(player);
    return player;
}

TEST(ShellAudio, LosingFocusPausesEveryPlayerInListOrderBeforeThePauseEvent) {
    ShellHarness harness;
    bootScenario = [] {
        listenToLifecycle();
        startedPlayer(441000, true);
        startedPlayer(441000, false);
        HAL_setPlayerListener(nullptr, &recordPlayerEvent);
        static HALDisplayable* canvas;
        HAL_createCanvas(&canvas, java::lang::String::_VM_getClass());
        HAL_setCurrentDisplayable(canvas);
        HAL_postMessage(kMsgActivate, kInactive);
        HAL_postMessage(kMsgClose);
    };
    HAL_appMain();
    EXPECT_EQ(events, (std::vector<int>{101, 111, kEventPause, kEventExit}));
    EXPECT_EQ(HAL_getPlayerCount(), 0) << "players left at exit are released";
}

TEST(ShellAudio, TheEndOfAPlayReachesItsPlayerOnTheUIThreadUnderTheVMLock) {
    ShellHarness harness;
    static bool onUIThreadUnderLock = false;
    static int32_t stateAtEnd = -1;
    bootScenario = [] {
        HAL_setPlayerListener(nullptr, [](void*, HALPlayer* player, int32_t event, int32_t, int32_t, int32_t) {
            if (event != kPlayerEndOfMedia) return;
            onUIThreadUnderLock = HAL_isUIThread() && HAL_holdsVMLock();
            HAL_getPlayerState(&stateAtEnd, player);
            HAL_requestExit();
        });
        startedPlayer(2205, true);  // 50 ms
    };
    EXPECT_EQ(HAL_appMain(), 0);
    EXPECT_TRUE(onUIThreadUnderLock);
    EXPECT_EQ(stateAtEnd, 1) << "end of media reads as prefetched";
}

}  // namespace
