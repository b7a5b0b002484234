// Managed threads under the VM lock: turns, wait and notify, interrupts, the collector's
// thread roots, reclaimed records, the finalizer and the uncaught-exception report.
// Orderings and counts are asserted with generous bounds, never exact timings.

#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "hal/base/HALLock.h"
#include "hal/base/SystemClock.h"
#include "lib_src/vm/VMMonitor.h"
#include "pb_src/j2me/java_lang_IllegalThreadStateException.h"
#include "pb_src/j2me/java_lang_InterruptedException.h"
#include "pb_src/j2me/java_lang_RuntimeException.h"
#include "pb_src/j2me/java_lang_Thread.h"
#include "tests/support/CapturedStdout.h"
#include "tests/vm/TestRuntime.h"

namespace test {

// Runs a native body on a managed thread.
class Task : public virtual java::lang::Object, public virtual java::lang::Runnable {
    VM_CLASS(Task, java::lang::Object)
    VMPtr<Task> _VM_init() { return this; }
    void run() override { body(); }
    std::function<void()> body;
};

// An object with a finaliser: it awaits finalisation from birth.
class Finalizable : public virtual java::lang::Object {
    VM_CLASS(Finalizable, java::lang::Object)
    Finalizable() { flags |= kAwaitingFinalization; }
    VMPtr<Finalizable> _VM_init() { return this; }
    void finalize() override {
        ++finalized;
        if (throws) vm::throwNew<java::lang::RuntimeException>();
    }
    bool throws = false;
    static inline int finalized = 0;
};

// A class whose static initialiser takes a while, on whichever thread runs it first.
class SlowToInitialize : public virtual java::lang::Object {
    VM_CLASS(SlowToInitialize, java::lang::Object)
    VMPtr<SlowToInitialize> _VM_init() { return this; }
    static void _VM_clinit() {
        started = true;
        VMThread::sleep(50);
    }
    static inline bool started = false;
};

}  // namespace test

VM_DEFINE_CLASS(test::Task, "test.Task", "java.lang.Object", VM_NO_CLINIT)
VM_IMPLEMENTS(test::Task, "java.lang.Runnable")
VM_DEFINE_CLASS(test::Finalizable, "test.Finalizable", "java.lang.Object", VM_NO_CLINIT)
VM_DEFINE_CLASS(test::SlowToInitialize, "test.SlowToInitialize", "java.lang.Object",
                &test::SlowToInitialize::_VM_clinit)

namespace {

using java::lang::Object;
using java::lang::Thread;

VMPtr<Thread> newThread(std::function<void()> body, const char* name = nullptr) {
    VMPtr<test::Task> task = test::Task::_VM_new();
    task->_VM_init();
    task->body = std::move(body);
    VMPtr<Thread> thread = Thread::_VM_new();
    thread->_VM_init(task, name ? java::lang::String::fromUtf8(name) : VMPtr<java::lang::String>());
    return thread;
}

// Waits on the Thread's monitor until its body has ended (woken by the end-of-thread notifyAll).
void join(const VMPtr<Thread>& thread) {
    VM_SYNCHRONIZED(thread.get());
    for (int i = 0; i < 500 && thread->isAlive(); ++i) thread->wait(20);
    ASSERT_FALSE(thread->isAlive()) << "thread did not end";
}

// Lets other threads run until the condition holds (about ten seconds at most).
template <typename Condition> bool waitUntil(Condition condition) {
    for (int i = 0; i < 1000 && !condition(); ++i) Thread::sleep(10);
    return condition();
}

TEST(Threads, TakeTurnsUnderTheVMLockWhenTheyYield) {
    testRuntime();
    std::vector<int> turns;  // touched only under the VM lock
    int ready = 0;
    auto body = [&](int id) {
        return [&turns, &ready, id] {
            // Both threads must be queued on the lock before turns can alternate.
            ++ready;
            while (ready < 2) VMThread::yield();
            for (int i = 0; i < 50; ++i) {
                turns.push_back(id);
                VMThread::yield();
            }
        };
    };
    VMPtr<Thread> a = newThread(body(1)), b = newThread(body(2));
    a->start();
    b->start();
    join(a);
    join(b);
    ASSERT_EQ(turns.size(), 100u);
    int switches = 0;
    for (size_t i = 1; i < turns.size(); ++i) switches += turns[i] != turns[i - 1];
    EXPECT_GE(switches, 20) << "each yield hands the lock on";
}

TEST(Threads, WaitAndNotifyNeverLoseANotification) {
    testRuntime();
    VMPtr<Object> monitor = Object::_VM_new();
    int produced = 0, consumed = 0;
    constexpr int kItems = 200;
    VMPtr<Thread> consumer = newThread([&] {
        VM_SYNCHRONIZED(monitor.get());
        while (consumed < kItems) {
            while (produced == consumed) monitor->wait(0);
            ++consumed;
            monitor->notifyAll();
        }
    });
    consumer->start();
    {
        VM_SYNCHRONIZED(monitor.get());
        for (int i = 0; i < kItems; ++i) {
            while (produced != consumed) monitor->wait(0);
            ++produced;
            monitor->notify();
        }
    }
    join(consumer);
    EXPECT_EQ(consumed, kItems);
}

TEST(Threads, LeavingAMonitorNobodyWaitsToEnterWakesNoWaiter) {
    testRuntime();
    VMPtr<Object> monitor = Object::_VM_new();
    int wakeUps = 0;
    bool done = false;
    VMPtr<Thread> waiter = newThread([&] {
        VM_SYNCHRONIZED(monitor.get());
        while (!done) {
            monitor->wait(0);
            ++wakeUps;
        }
    });
    waiter->start();
    ASSERT_TRUE(waitUntil([&] { return monitor->lock != nullptr && monitor->lock->waiterCount() == 1; }));
    for (int i = 0; i < 20; ++i) {
        VM_SYNCHRONIZED(monitor.get());
    }
    Thread::sleep(20);  // a woken waiter would run now
    {
        VM_SYNCHRONIZED(monitor.get());
        done = true;
        monitor->notify();
    }
    join(waiter);
    EXPECT_EQ(wakeUps, 1);
}

TEST(Threads, ContendingThreadsCountExactlyUnderAWaitedOnMonitor) {
    testRuntime();
    VMPtr<Object> monitor = Object::_VM_new();
    int ready = 0;
    int64_t count = 0;
    constexpr int kIncrements = 5000;
    auto body = [&] {
        {
            VM_SYNCHRONIZED(monitor.get());
            ++ready;
            monitor->notifyAll();
            while (ready < 2) monitor->wait(0);
        }
        for (int i = 0; i < kIncrements; ++i) {
            VM_SYNCHRONIZED(monitor.get());
            const int64_t seen = count;
            if (i % 64 == 0) VMThread::yield();  // the other thread may try to enter meanwhile
            count = seen + 1;
        }
    };
    VMPtr<Thread> a = newThread(body), b = newThread(body);
    a->start();
    b->start();
    join(a);
    join(b);
    EXPECT_EQ(count, 2 * kIncrements);
}

TEST(Threads, NotifyAllWakesEveryWaiterAndTimedWaitsEndByThemselves) {
    testRuntime();
    VMPtr<Object> monitor = Object::_VM_new();
    int waiting = 0, woken = 0;
    std::vector<VMPtr<Thread>*> threads;
    VMPtr<Thread> t1 = newThread([&] {
        VM_SYNCHRONIZED(monitor.get());
        ++waiting;
        monitor->wait(0);
        ++woken;
    });
    VMPtr<Thread> t2 = newThread([&] {
        VM_SYNCHRONIZED(monitor.get());
        ++waiting;
        monitor->wait(0);
        ++woken;
    });
    t1->start();
    t2->start();
    ASSERT_TRUE(waitUntil([&] { return waiting == 2; }));
    {
        VM_SYNCHRONIZED(monitor.get());
        monitor->notifyAll();
    }
    join(t1);
    join(t2);
    EXPECT_EQ(woken, 2);

    VM_SYNCHRONIZED(monitor.get());
    monitor->wait(20);  // nobody notifies: the time runs out
    EXPECT_EQ(monitor->count, 1);
}

TEST(Threads, InterruptWakesSleepAndWaitWithInterruptedException) {
    testRuntime();
    VMPtr<Object> monitor = Object::_VM_new();
    int interruptions = 0;
    bool asleep = false, waiting = false;
    VMPtr<Thread> sleeper = newThread([&] {
        try {
            asleep = true;
            Thread::sleep(60000);
        } catch (java::lang::InterruptedException* caught) {
            VMPtr<java::lang::InterruptedException> held(caught);
            ++interruptions;
        }
    });
    VMPtr<Thread> waiter = newThread([&] {
        VM_SYNCHRONIZED(monitor.get());
        try {
            waiting = true;
            monitor->wait(0);
        } catch (java::lang::InterruptedException* caught) {
            VMPtr<java::lang::InterruptedException> held(caught);
            ++interruptions;
            EXPECT_EQ(monitor->count, 1) << "the monitor is held again";
        }
    });
    sleeper->start();
    waiter->start();
    ASSERT_TRUE(waitUntil([&] { return asleep && waiting; }));
    Thread::sleep(20);
    sleeper->interrupt();
    waiter->interrupt();
    join(sleeper);
    join(waiter);
    EXPECT_EQ(interruptions, 2);
}

TEST(Threads, TheEndOfAThreadWakesThoseWaitingOnItsThreadObject) {
    testRuntime();
    bool started = false;
    VMPtr<Thread> worker = newThread([&] {
        started = true;
        Thread::sleep(30);
    });
    worker->start();
    ASSERT_TRUE(waitUntil([&] { return started; }));
    const uint64_t begin = HAL_getTickCount64();
    {
        VM_SYNCHRONIZED(worker.get());
        while (worker->isAlive()) worker->wait(60000);  // only the end-of-thread notifyAll ends this soon
    }
    EXPECT_LT(HAL_getTickCount64() - begin, 30000u);
}

TEST(Threads, AnInterruptBeforeASleepIsReportedAtOnce) {
    testRuntime();
    VMThread::current()->interrupted = true;
    EXPECT_THROW(Thread::sleep(60000), java::lang::InterruptedException*);
    EXPECT_FALSE(VMThread::current()->interrupted) << "reported and cleared";
}

TEST(Threads, ACollectionKeepsEveryThreadsLocalHandles) {
    VM* vm = testRuntime();
    bool holding = false, checked = false, intact = false;
    VMPtr<Thread> worker = newThread([&] {
        VMPtr<java::lang::String> local = java::lang::String::fromUtf8("kept by a waiting thread");
        holding = true;
        while (!checked) Thread::sleep(5);
        intact = local->toUtf8() == "kept by a waiting thread";
    });
    worker->start();
    ASSERT_TRUE(waitUntil([&] { return holding; }));
    vm->collect();
    vm->collect();
    checked = true;
    join(worker);
    EXPECT_TRUE(intact);
}

TEST(Threads, AFinishedThreadsRecordIsReclaimedOnceItsThreadIsCollected) {
    VM* vm = testRuntime();
    VMThread* record;
    {
        VMPtr<Thread> done = newThread([] {});
        record = done->vmThread;
        done->start();
        join(done);
    }
    auto present = [&] {
        for (VMList::Node* node = vm->threads.begin(); node; node = VMList::next(node))
            if (VMList::value(node) == record) return true;
        return false;
    };
    EXPECT_TRUE(present());
    EXPECT_TRUE(waitUntil([&] {
        vm->collect();
        return !present();
    }));
}

TEST(Threads, AnUncaughtExceptionIsReportedAndTheThreadEndsCleanly) {
    testRuntime();
    CapturedStdout captured;
    VMPtr<Thread> failing = newThread([] { vm::throwNew<java::lang::RuntimeException>(vmLiteral("boom")); }, "Worker");
    failing->start();
    join(failing);
    EXPECT_EQ(captured.text(), "Exception in thread \"Worker\" java.lang.RuntimeException: boom\n    at <unknown>\n");
}

TEST(Threads, NamesPrioritiesAndStarting) {
    VM* vm = testRuntime();
    EXPECT_EQ(vm->systemThread->toString()->toUtf8(), "Thread[System,5]");
    EXPECT_EQ(Thread::currentThread().get(), vm->systemThread.get());
    VMPtr<Thread> first = newThread([] {}), second = newThread([] {}), third = newThread([] {});
    EXPECT_EQ(first->getName()->toUtf8(), "Thread-1");
    EXPECT_EQ(second->getName()->toUtf8(), "Thread-2");
    EXPECT_EQ(third->getName()->toUtf8(), "Thread-3");
    EXPECT_EQ(third->getPriority(), 5);
    third->start();
    join(third);
    EXPECT_THROW(third->start(), java::lang::IllegalThreadStateException*);
    VMPtr<Thread> bare = Thread::_VM_new();
    bare->_VM_init();
    bare->run();  // no target: returns at once
    EXPECT_FALSE(bare->isAlive());
    first->start();
    second->start();
    join(first);
    join(second);
}

TEST(Threads, TheFinalizerStartsOnlyWhenACollectionFindsWork) {
    VM* vm = testRuntime();
    vm->collect();
    EXPECT_FALSE(vm->finalizer->isAlive()) << "nothing awaits finalisation";
    {
        VMPtr<test::Finalizable> failing = test::Finalizable::_VM_new();
        failing->throws = true;
        test::Finalizable::_VM_new();
        test::Finalizable::_VM_new();
    }
    auto finalizables = [vm] {
        int count = 0;
        for (Object* o = vm->objects; o; o = o->next) count += o->getClass() == test::Finalizable::_VM_getClass();
        return count;
    };
    vm->collect();
    EXPECT_TRUE(vm->finalizer->isAlive());
    EXPECT_EQ(finalizables(), 3) << "kept until finalised";
    ASSERT_TRUE(waitUntil([] { return test::Finalizable::finalized == 3; })) << "a throwing finaliser stops nothing";
    vm->collect();
    EXPECT_EQ(finalizables(), 0) << "finalised objects are reclaimed by a later collection";
}

TEST(Threads, AClassInitialisationWaitIsNotInterruptible) {
    testRuntime();
    VMPtr<Thread> initializer = newThread([] { test::SlowToInitialize::_VM_new(); });
    initializer->start();
    ASSERT_TRUE(waitUntil([] { return test::SlowToInitialize::started; }));
    VMThread::current()->interrupted = true;
    VMPtr<test::SlowToInitialize> made = test::SlowToInitialize::_VM_new();  // waits, no exception
    EXPECT_TRUE(made);
    EXPECT_TRUE(VMThread::current()->interrupted) << "the interrupt is kept";
    VMThread::current()->interrupted = false;
    join(initializer);
}

TEST(Threads, AfterShutdownAThreadThatRetakesTheLockParks) {
    testRuntime();
    bool ranOn = false, asleep = false;
    VMPtr<Thread> straggler = newThread([&] {
        asleep = true;
        Thread::sleep(50);
        ranOn = true;  // never reached: the thread parks when it takes the lock back
    });
    straggler->start();
    ASSERT_TRUE(waitUntil([&] { return asleep; }));
    VMThread::markShutdown();
    {
        VMLockReleased released;
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
    }
    EXPECT_FALSE(ranOn);
    EXPECT_TRUE(straggler->isAlive()) << "parked, not finished";
}

}  // namespace
