// The runtime's boot and shutdown, end to end, with a boot class of the test's own under
// the boot class's dotted name. Every case runs in a process of its own.

#include <sys/wait.h>
#include <unistd.h>

#include "hal/base/HALThread.h"
#include "hal/base/SystemClock.h"
#include "hal/base/VMCallbacks.h"
#include "hal/base/VMLock.h"
#include "lib_src/vm/VM.h"
#include "lib_src/vm/VMEvents.h"
#include "lib_src/vm/VMMonitor.h"
#include "pb_src/j2me/java_lang_InterruptedException.h"
#include "pb_src/j2me/java_lang_Thread.h"
#include "tests/support/CapturedStdout.h"
#include "tests/support/ScenarioBoot.h"
#include "tests/vm/TestRuntime.h"

namespace {

using com::kelvane::ostrel::AMS;

int boot(const char* bootClass) { return vmStartOnThisThread(1 << 20, 64 << 20, bootClass); }

TEST(Boot, RunsEveryPhaseThenTheBootClassMain) {
    bool heldLock = false;
    bootScenario = [&] { heldLock = HAL_holdsVMLock(); };
    ASSERT_EQ(boot("com.kelvane.ostrel.AMS"), CALLBACK_OK);
    VM* vm = VM::instance();
    EXPECT_TRUE(AMS::mainRan);
    EXPECT_TRUE(AMS::argumentWasNull);
    EXPECT_TRUE(heldLock);
    EXPECT_EQ(vm->phase, 14);
    EXPECT_GE(vm->collections, 1u) << "a first collection ran";
    EXPECT_EQ(vm->systemThread->toString()->toUtf8(), "Thread[System,5]");
    EXPECT_EQ(vm->currentThread, vm->mainThread);
    ASSERT_TRUE(vm->finalizer);
    EXPECT_FALSE(vm->finalizer->isAlive()) << "created, not started";
    EXPECT_EQ(java::lang::Class::forName(java::lang::String::fromUtf8("java.lang.System"))->state,
              java::lang::Class::Initialized);
}

TEST(Boot, AMissingBootClassIsReportedAndTheResultIsTwo) {
    CapturedStdout captured;
    EXPECT_EQ(boot("no.such.Boot"), CALLBACK_UNCAUGHT_EXCEPTION);
    EXPECT_EQ(captured.text(), "Exception in thread \"System\" java.lang.NoClassDefFoundError\n    at <unknown>\n");
}

TEST(Boot, AnExceptionLeavingMainIsReportedAndTheResultIsTwo) {
    bootScenario = [] { vm::throwNew<java::lang::RuntimeException>(VMPtr<java::lang::String>::fromLiteral("boot failed")); };
    CapturedStdout captured;
    EXPECT_EQ(boot("com.kelvane.ostrel.AMS"), CALLBACK_UNCAUGHT_EXCEPTION);
    EXPECT_EQ(captured.text(),
              "Exception in thread \"System\" java.lang.RuntimeException: boot failed\n    at <unknown>\n");
}

// Boots in a child process with the heap limited to `ceiling` bytes; the child's exit code
// is 100 + 16 * the start-up result + the last phase it entered (1 for a fatal error).
int bootInChild(uint64_t ceiling) {
    const pid_t child = fork();
    if (child == 0) {
        const int result = vmStartOnThisThread(ceiling, ceiling, nullptr);
        _exit(100 + 16 * result + VM::instance()->phase);
    }
    int status = 0;
    waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST(Boot, RunningOutOfMemoryInALatePhaseIsReportedAsAFailure) {
    const int started = 100 + 16 * CALLBACK_INITIALIZATION_FAILED + 14;
    uint64_t failing = 1024, enough = 8 << 20;
    ASSERT_EQ(bootInChild(enough), started);
    while (enough - failing > 64) {
        const uint64_t middle = (failing + enough) / 2;
        (bootInChild(middle) == started ? enough : failing) = middle;
    }
    // Just short of enough memory the boot fails in the last phase that allocates.
    const int outcome = bootInChild(failing) - 100;
    EXPECT_EQ(outcome / 16, CALLBACK_UNCAUGHT_EXCEPTION);
    EXPECT_GE(outcome % 16, 10) << "the core classes, the runtime's threads or the first collection";
}

TEST(Boot, WithoutABootClassTheResultIsOneAndTheExitEventOnlySetsTheFlag) {
    ASSERT_EQ(boot(nullptr), CALLBACK_INITIALIZATION_FAILED);
    VM* vm = VM::instance();
    EXPECT_EQ(vm->collections, 1u) << "after the first collection";
    HAL_postEvent(kEventPause, 0, nullptr, 0);
    EXPECT_FALSE(vm->exitRequested);
    HAL_postEvent(kEventExit, 0, nullptr, 0);
    EXPECT_TRUE(vm->exitRequested);
    EXPECT_EQ(VM::instance(), vm) << "nothing ended";
}

TEST(Shutdown, WithOnlyTheCurrentThreadAliveItReturnsAtOnce) {
    ASSERT_EQ(boot(nullptr), CALLBACK_INITIALIZATION_FAILED);
    const uint64_t start = HAL_getTickCount64();
    HAL_vmCallbacks().destroyVM();
    EXPECT_LT(HAL_getTickCount64() - start, 250u) << "did not sit out the first 250 ms wait for other threads";
    EXPECT_EQ(VM::instance(), nullptr);
    EXPECT_TRUE(VMThread::isShutdown());
}

TEST(Shutdown, StopsCooperativeThreadsAndParksAStubbornOne) {
    ASSERT_EQ(boot(nullptr), CALLBACK_INITIALIZATION_FAILED);
    bool cooperativeEnded = false, stubbornRanOn = false;
    int stubbornInterrupts = 0;
    VMPtr<java::lang::Thread> cooperative = startThread([&] {
        try {
            for (;;) java::lang::Thread::sleep(10000);
        } catch (java::lang::InterruptedException* caught) {
            VMPtr<java::lang::InterruptedException> held(caught);
            cooperativeEnded = true;
        }
    });
    VMPtr<java::lang::Thread> stubborn = startThread([&] {
        for (;;) {
            try {
                java::lang::Thread::sleep(5);
            } catch (java::lang::InterruptedException* caught) {
                VMPtr<java::lang::InterruptedException> held(caught);
                ++stubbornInterrupts;
            }
            if (VMThread::isShutdown()) stubbornRanOn = true;
        }
    });
    java::lang::Thread::sleep(30);  // both are running
    const uint64_t start = HAL_getTickCount64();
    HAL_vmCallbacks().destroyVM();
    const uint64_t took = HAL_getTickCount64() - start;
    EXPECT_TRUE(cooperativeEnded) << "ended on the interrupt";
    EXPECT_GE(stubbornInterrupts, 1);
    EXPECT_GE(took, 500u) << "waited 250 + 250 ms before the cancel";
    EXPECT_LT(took, 5000u) << "the waits are bounded";
    {
        VMLockReleased released;  // the stubborn thread takes the lock, and parks
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    EXPECT_FALSE(stubbornRanOn) << "no managed code ran after shutdown";
}

TEST(Shutdown, APendingInterruptOfTheStoppingThreadNeitherThrowsNorCutsTheWaitsShort) {
    ASSERT_EQ(boot(nullptr), CALLBACK_INITIALIZATION_FAILED);
    bool ended = false;
    VMPtr<java::lang::Thread> sleeper = startThread([&] {
        try {
            java::lang::Thread::sleep(10000);
        } catch (java::lang::InterruptedException* caught) {
            VMPtr<java::lang::InterruptedException> held(caught);
            ended = true;
        }
    });
    java::lang::Thread::sleep(20);
    VM::instance()->mainThread->interrupt();
    HAL_vmCallbacks().destroyVM();
    EXPECT_TRUE(ended) << "the other thread was interrupted in turn and ended";
}

}  // namespace
