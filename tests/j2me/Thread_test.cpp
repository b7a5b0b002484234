// Managed threads under the VM lock: turns, wait and notify, interrupts, thread roots and
// records, the finalizer, class initialisation and the uncaught report. No exact timings.

#include "hal/base/HALLock.h"
#include "hal/base/HALThread.h"
#include "hal/base/SystemClock.h"
#include "lib_src/vm/VMMonitor.h"
#include "pb_src/j2me/java_lang_IllegalThreadStateException.h"
#include "pb_src/j2me/java_lang_InterruptedException.h"
#include "pb_src/j2me/java_lang_Thread.h"
#include "tests/support/CapturedStdout.h"
#include "tests/support/ScenarioBoot.h"
#include "tests/j2me/ClassLibrary.h"

namespace test {

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

// A class whose static initialiser, run by another thread, interrupts the main thread while
// it waits for the initialisation to end.
class InitializedElsewhere : public virtual java::lang::Object {
    VM_CLASS(InitializedElsewhere, java::lang::Object)
    static void _VM_clinit() {
        started = true;
        VMThread* main = VM::instance()->mainThread;
        while (!mainAsked || main->state != VMThread::Waiting) VMThread::sleep(5);
        main->interrupt();
        VMThread::sleep(20);  // the waiter wakes, keeps the interrupt, and waits again
    }
    static inline bool started = false, mainAsked = false;
};

}  // namespace test

VM_DEFINE_CLASS(test::Finalizable, "test.Finalizable", "java.lang.Object", VM_NO_CLINIT)
VM_DEFINE_CLASS(test::InitializedElsewhere, "test.InitializedElsewhere", "java.lang.Object",
                &test::InitializedElsewhere::_VM_clinit)

namespace {

using java::lang::InterruptedException;
using java::lang::Object;
using java::lang::Thread;

VMPtr<Thread> started(std::function<void()> body, const char* name = nullptr) { return startThread(std::move(body), name); }

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

int countOf(VM* vm, java::lang::Class* record) {
    int count = 0;
    for (Object* o = vm->objects; o; o = o->next) count += o->getClass() == record;
    return count;
}

TEST(Threads, TakeTurnsUnderTheVMLockWhenTheyYield) {
    testRuntime();
    std::vector<int> turns;  // touched only under the VM lock
    int ready = 0;
    auto body = [&](int id) {
        return [&turns, &ready, id] {
            ++ready;  // both threads must be queued on the lock before turns can alternate
            while (ready < 2) VMThread::yield();
            for (int i = 0; i < 50; ++i) {
                turns.push_back(id);
                VMThread::yield();
            }
        };
    };
    VMPtr<Thread> a = started(body(1)), b = started(body(2));
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
    VMPtr<Thread> consumer = started([&] {
        VM_SYNCHRONIZED(monitor.get());
        for (; consumed < kItems; monitor->notifyAll()) {
            while (produced == consumed) monitor->wait(0);
            ++consumed;
        }
    });
    {
        VM_SYNCHRONIZED(monitor.get());
        for (int i = 0; i < kItems; ++i, monitor->notify()) {
            while (produced != consumed) monitor->wait(0);
            ++produced;
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
    VMPtr<Thread> waiter = started([&] {
        VM_SYNCHRONIZED(monitor.get());
        while (!done) {
            monitor->wait(0);
            ++wakeUps;
        }
    });
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
    VMPtr<Thread> a = started(body), b = started(body);
    join(a);
    join(b);
    EXPECT_EQ(count, 2 * kIncrements);
}

TEST(Threads, NotifyAllWakesEveryWaiterAndTimedWaitsEndByThemselves) {
    testRuntime();
    VMPtr<Object> monitor = Object::_VM_new();
    int waiting = 0, woken = 0;
    auto waiter = [&] {
        VM_SYNCHRONIZED(monitor.get());
        ++waiting;
        monitor->wait(0);
        ++woken;
    };
    VMPtr<Thread> t1 = started(waiter), t2 = started(waiter);
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

TEST(Threads, LongSleepsAndWaitsEndPromptlyWhenWoken) {
    testRuntime();
    enum Block { Sleep, Wait, Join };
    struct Case {
        const char* what;
        Block block;
        bool byInterrupt;
    };
    for (const Case& c : {Case{"sleep, interrupted", Sleep, true}, Case{"wait, notified", Wait, false},
                          Case{"wait, interrupted", Wait, true}, Case{"wait for a thread's end", Join, false}}) {
        VMPtr<Object> monitor = Object::_VM_new();
        bool blocked = false, threw = false;
        VMPtr<Thread> target;  // the thread whose end the Join case waits for
        if (c.block == Join) target = started([] { Thread::sleep(50); });
        VMPtr<Thread> sleeper = started([&] {
            Object* on = c.block == Join ? static_cast<Object*>(target.get()) : monitor.get();
            VM_SYNCHRONIZED(on);
            blocked = true;
            try {
                if (c.block == Sleep) Thread::sleep(60000);
                if (c.block == Wait) on->wait(60000);
                while (c.block == Join && target->isAlive()) on->wait(60000);
            } catch (InterruptedException* caught) {
                VMPtr<InterruptedException> held(caught);
                threw = true;
                EXPECT_EQ(on->count, 1) << c.what << ": the monitor is held again";
            }
        });
        ASSERT_TRUE(waitUntil([&] { return blocked; })) << c.what;
        Thread::sleep(20);
        const uint64_t begin = HAL_getTickCount64();
        if (c.byInterrupt) sleeper->interrupt();
        if (c.block == Wait && !c.byInterrupt) {
            VM_SYNCHRONIZED(monitor.get());
            monitor->notify();
        }
        join(sleeper);
        EXPECT_LT(HAL_getTickCount64() - begin, 10000u) << c.what;
        EXPECT_EQ(threw, c.byInterrupt) << c.what;
    }
}

TEST(Threads, AnInterruptBeforeASleepIsReportedAtOnce) {
    testRuntime();
    VMThread::currentThread()->interrupted = true;
    EXPECT_THROW(Thread::sleep(60000), InterruptedException*);
    EXPECT_FALSE(VMThread::currentThread()->interrupted) << "reported and cleared";
}

TEST(Threads, ACollectionKeepsEveryThreadsLocalHandles) {
    VM* vm = testRuntime();
    bool holding = false, checked = false, intact = false;
    VMPtr<Thread> worker = started([&] {
        VMPtr<java::lang::String> local = java::lang::String::fromUtf8("kept by a waiting thread");
        holding = true;
        while (!checked) Thread::sleep(5);
        intact = local->toUtf8() == "kept by a waiting thread";
    });
    ASSERT_TRUE(waitUntil([&] { return holding; }));
    vm->collect();
    vm->collect();
    checked = true;
    join(worker);
    EXPECT_TRUE(intact);
}

TEST(Threads, ARecordGoesOnceItsThreadIsCollectedAndItsPlatformThreadHasExited) {
    VM* vm = testRuntime();
    VMThread* record;
    {
        VMPtr<Thread> done = started([] {});
        record = done->vmThread;
        join(done);
    }
    auto present = [&] {
        for (VMList::Node* node = vm->threads.begin(); node; node = VMList::next(node))
            if (VMList::value(node) == record) return true;
        return false;
    };
    ASSERT_TRUE(waitUntil([&] { return record->platformThread->finished.load(); }));
    record->platformThread->finished = false;  // as if the platform thread were still on its way out
    for (int i = 0; i < 3; ++i) vm->collect();
    EXPECT_EQ(record->javaThread, nullptr) << "its Thread was collected";
    EXPECT_TRUE(present()) << "kept while the platform thread runs";
    record->platformThread->finished = true;
    vm->collect();
    EXPECT_FALSE(present());
}

TEST(Threads, AnUncaughtExceptionIsReportedAndTheThreadEndsCleanly) {
    testRuntime();
    CapturedStdout captured;
    join(started([] { vm::throwNew<java::lang::RuntimeException>(VMPtr<java::lang::String>::fromLiteral("boom")); }, "Worker"));
    EXPECT_EQ(captured.text(), "Exception in thread \"Worker\" java.lang.RuntimeException: boom\n    at <unknown>\n");
}

TEST(Threads, NamesPrioritiesAndStarting) {
    VM* vm = testRuntime();
    EXPECT_EQ(vm->systemThread->toString()->toUtf8(), "Thread[System,5]");
    EXPECT_EQ(Thread::currentThread().get(), vm->systemThread.get());
    VMPtr<Thread> first = Thread::_VM_new(), second = Thread::_VM_new();
    first->_VM_init();
    second->_VM_init();
    EXPECT_EQ(first->getName()->toUtf8(), "Thread-1");
    EXPECT_EQ(second->toString()->toUtf8(), "Thread[Thread-2,5]");
    EXPECT_EQ(second->getPriority(), 5);
    second->start();  // no target: ends at once
    join(second);
    EXPECT_THROW(second->start(), java::lang::IllegalThreadStateException*);
    first->run();  // no target: returns at once
    EXPECT_FALSE(first->isAlive());
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
    vm->collect();
    EXPECT_TRUE(vm->finalizer->isAlive());
    EXPECT_EQ(countOf(vm, test::Finalizable::_VM_getClass()), 3) << "kept until finalised";
    ASSERT_TRUE(waitUntil([] { return test::Finalizable::finalized == 3; })) << "a throwing finaliser stops nothing";
    vm->collect();
    EXPECT_EQ(countOf(vm, test::Finalizable::_VM_getClass()), 0) << "finalised objects go in a later collection";
}

TEST(Threads, TheFinalizerRestartsItsPassAfterACollectionDeletedWhatItHadReached) {
    VM* vm = testRuntime();
    constexpr int kCount = 64;
    for (int i = 0; i < kCount; ++i) test::Finalizable::_VM_new();
    // Every collection yields to the finalizer, which yields back after one finaliser: the
    // collections in between delete the objects it has just finalised.
    for (int i = 0; i < 10000 && test::Finalizable::finalized < kCount; ++i) vm->collect();
    EXPECT_EQ(test::Finalizable::finalized, kCount);
    vm->collect();
    EXPECT_EQ(countOf(vm, test::Finalizable::_VM_getClass()), 0);
}

TEST(Threads, AClassInitialisationWaitKeepsAnInterruptThatArrivesWhileItWaits) {
    testRuntime();
    VMPtr<Thread> initializer = started([] { test::InitializedElsewhere::_VM_new(); });
    ASSERT_TRUE(waitUntil([] { return test::InitializedElsewhere::started; }));
    test::InitializedElsewhere::mainAsked = true;
    EXPECT_TRUE(test::InitializedElsewhere::_VM_new()) << "waits to the end, no exception";
    EXPECT_TRUE(VMThread::currentThread()->interrupted) << "the interrupt is kept for the next sleep or wait";
    EXPECT_THROW(Thread::sleep(1), InterruptedException*);
    join(initializer);
}

}  // namespace
