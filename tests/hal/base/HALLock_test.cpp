#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <utility>
#include <vector>

#include "hal/base/HALLock.h"
#include "hal/base/HALThread.h"
#include "hal/base/VMLock.h"
#include "tests/hal/base/TestCallbacks.h"

namespace {

// A thread that takes the VM lock and the lock's section, waits, and records how the wait
// ended. Runs the way a runtime thread does: VM lock held except inside blocking calls.
struct Waiter {
    Waiter(HALLock* lock, int64_t timeout, std::vector<int>* order = nullptr, int id = 0)
        : thread([=, this] {
              HAL_createMainThreadRecord(&record);
              HAL_enterVMLock();
              HAL_enterLock(lock);
              started = true;
              HAL_waitLock(lock, timeout);
              if (order) order->push_back(id);  // under the VM lock
              HAL_leaveLock(lock);
              vmDepthAfter = HAL_vmLock().depthOfCurrentThread();
              HAL_leaveVMLock();
              done = true;
              HAL_deleteMainThreadRecord(record);
          }) {}
    ~Waiter() { thread.join(); }

    HALThread* record = nullptr;
    std::atomic<bool> started{false}, done{false};
    std::atomic<unsigned> vmDepthAfter{0};
    std::thread thread;
};

bool waitersQueued(HALLock* lock, size_t count) {
    return eventually([=] { return lock->waiterCount() == count; });
}

TEST(HALLock, TimeoutsMapToSleepLengths) {
    const std::pair<int64_t, uint32_t> lengths[] = {{0, 0xFFFFFFFFu}, {-5, 0xFFFFFFFFu}, {1, 1u}, {0xFFFFFFFE, 0xFFFFFFFEu},
                                                    {0xFFFFFFFF, 0xFFFFFFFEu}, {int64_t(1) << 40, 0xFFFFFFFEu}};
    for (const auto& [timeout, length] : lengths) EXPECT_EQ(HAL_waitLengthForTimeout(timeout), length) << timeout;
}

TEST(HALLock, NotifyWakesOneWaiterWhichComesBackWithBothLocks) {
    HALLock* lock = nullptr;
    ASSERT_EQ(HAL_createLock(&lock, 0), 0);
    {
        Waiter waiter(lock, 0);
        ASSERT_TRUE(waitersQueued(lock, 1));
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        EXPECT_FALSE(waiter.done) << "a wait of 0 has no time limit";
        HAL_enterVMLock();
        HAL_notifyLock(lock);
        HAL_leaveVMLock();
        ASSERT_TRUE(eventually([&] { return waiter.done.load(); }));
        EXPECT_EQ(waiter.vmDepthAfter, 1u);
    }
    EXPECT_EQ(lock->waiterCount(), 0u);
    HAL_notifyLock(lock);  // an empty queue: nothing happens
    HAL_deleteLock(lock);
}

TEST(HALLock, ANotifyByTheSectionsHolderWakesTheWaiterWhenTheHolderLeaves) {
    HALLock* lock = nullptr;
    HAL_createLock(&lock, 0);
    {
        Waiter waiter(lock, 0);
        ASSERT_TRUE(waitersQueued(lock, 1));
        HAL_enterVMLock();
        HAL_enterLock(lock);
        HAL_notifyLock(lock);
        EXPECT_EQ(lock->waiterCount(), 0u);
        EXPECT_TRUE(waiter.record->waker.isArmed()) << "it could not go on before the section is free";
        HAL_leaveLock(lock);
        EXPECT_FALSE(waiter.record->waker.isArmed());
        HAL_leaveVMLock();
        ASSERT_TRUE(eventually([&] { return waiter.done.load(); }));
    }
    HAL_deleteLock(lock);
}

TEST(HALLock, WaitersAreWokenInTheOrderTheyBeganToWait) {
    HALLock* lock = nullptr;
    HAL_createLock(&lock, 0);
    std::vector<int> order;
    {
        Waiter first(lock, 0, &order, 1);
        ASSERT_TRUE(waitersQueued(lock, 1));
        Waiter second(lock, 0, &order, 2);
        ASSERT_TRUE(waitersQueued(lock, 2));
        Waiter third(lock, 0, &order, 3);
        ASSERT_TRUE(waitersQueued(lock, 3));
        for (Waiter* w : {&first, &second, &third}) {
            HAL_notifyLock(lock);
            ASSERT_TRUE(eventually([w] { return w->done.load(); }));
        }
    }
    EXPECT_EQ(order, (std::vector<int>{1, 2, 3}));
    HAL_deleteLock(lock);
}

TEST(HALLock, NotifyAllWakesEveryWaiter) {
    HALLock* lock = nullptr;
    HAL_createLock(&lock, 0);
    {
        Waiter a(lock, 0), b(lock, 0), c(lock, 0);
        ASSERT_TRUE(waitersQueued(lock, 3));
        HAL_notifyAllLock(lock);
        ASSERT_TRUE(eventually([&] { return a.done && b.done && c.done; }));
    }
    HAL_deleteLock(lock);
}

TEST(HALLock, TimedWaitEndsByItselfAndWithdrawsItsEntry) {
    HALLock* lock = nullptr;
    HAL_createLock(&lock, 0);
    const auto start = std::chrono::steady_clock::now();
    {
        Waiter waiter(lock, 30);
        ASSERT_TRUE(eventually([&] { return waiter.done.load(); }));
    }
    EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(30));
    EXPECT_EQ(lock->waiterCount(), 0u);
    HAL_deleteLock(lock);
}

TEST(HALLock, NoWakeUpIsLostToAWaiterThatTimedOut) {
    HALLock* lock = nullptr;
    HAL_createLock(&lock, 0);
    {
        Waiter timedOut(lock, 10);
        ASSERT_TRUE(eventually([&] { return timedOut.done.load(); }));
    }
    {
        Waiter current(lock, 0);
        ASSERT_TRUE(waitersQueued(lock, 1));
        HAL_notifyLock(lock);  // must reach the current waiter, not a stale entry
        ASSERT_TRUE(eventually([&] { return current.done.load(); }));
    }
    HAL_deleteLock(lock);
}

TEST(HALLock, WakingTheWaitingThreadEndsItsWaitAsAnInterruptDoes) {
    HALLock* lock = nullptr;
    HAL_createLock(&lock, 0);
    {
        Waiter waiter(lock, 0);
        ASSERT_TRUE(waitersQueued(lock, 1));
        ASSERT_TRUE(eventually([&] { return waiter.record != nullptr; }));
        waiter.record->waker.wake();
        ASSERT_TRUE(eventually([&] { return waiter.done.load(); }));
    }
    EXPECT_EQ(lock->waiterCount(), 0u) << "the interrupted waiter withdrew its entry";
    HAL_deleteLock(lock);
}

TEST(HALLock, EnterReleasesTheVMLockWhileBlocked) {
    HALLock* lock = nullptr;
    HAL_createLock(&lock, 1);  // held by this thread
    std::atomic<bool> entered{false};
    std::thread other([&] {
        HAL_enterVMLock();
        HAL_enterLock(lock);  // blocks, but must let the VM lock go
        entered = true;
        HAL_leaveLock(lock);
        HAL_leaveVMLock();
    });
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    HAL_enterVMLock();  // would hang if the blocked thread kept the VM lock
    EXPECT_FALSE(entered);
    HAL_leaveLock(lock);
    HAL_leaveVMLock();
    other.join();
    EXPECT_TRUE(entered);
    HAL_deleteLock(lock);
}

TEST(HALLock, WaitReleasesAndRestoresEveryLevelOfBothLocks) {
    CountingCallbacks callbacks;
    HALLock* lock = nullptr;
    HAL_createLock(&lock, 1);
    HAL_enterLock(lock);
    HAL_enterVMLock();
    HAL_enterVMLock();
    std::thread notifier([&] {
        HAL_enterVMLock();
        HAL_enterLock(lock);  // free while the waiter waits
        HAL_notifyLock(lock);
        HAL_leaveLock(lock);
        HAL_leaveVMLock();
    });
    HAL_waitLock(lock, 0);
    notifier.join();
    EXPECT_EQ(HAL_vmLock().depthOfCurrentThread(), 2u);
    EXPECT_GE(CountingCallbacks::makeCurrentCalls, 1);
    HAL_leaveVMLock();
    HAL_leaveVMLock();
    HAL_leaveLock(lock);
    HAL_leaveLock(lock);
    HAL_deleteLock(lock);
}

TEST(HALLock, NullLocksAreIgnored) {
    HAL_enterLock(nullptr);
    HAL_leaveLock(nullptr);
    HAL_waitLock(nullptr, 1);
    HAL_notifyLock(nullptr);
    HAL_notifyAllLock(nullptr);
    HAL_deleteLock(nullptr);
    EXPECT_EQ(HAL_createLock(nullptr, 0), 2);
}

}  // namespace
