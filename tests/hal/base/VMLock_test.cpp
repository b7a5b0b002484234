#include <gtest/gtest.h>

#include <atomic>
#include <mutex>
#include <thread>
#include <vector>

#include "hal/base/FairRecursiveLock.h"
#include "hal/base/HALThread.h"
#include "hal/base/Sleep.h"
#include "hal/base/VMLock.h"
#include "tests/hal/base/TestCallbacks.h"

namespace {

TEST(VMLock, IsReentrantAndFreeOnlyAfterTheLastLeave) {
    HAL_enterVMLock();
    HAL_enterVMLock();
    EXPECT_EQ(HAL_vmLock().depthOfCurrentThread(), 2u);

    std::atomic<bool> otherGotIt{false};
    std::thread other([&] {
        HAL_enterVMLock();
        otherGotIt = true;
        HAL_leaveVMLock();
    });
    HAL_leaveVMLock();
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    EXPECT_FALSE(otherGotIt) << "one level is still held";
    HAL_leaveVMLock();
    other.join();
    EXPECT_TRUE(otherGotIt);
    EXPECT_FALSE(HAL_holdsVMLock());
}

TEST(VMLock, YieldWithNobodyWaitingKeepsTheLockAndMakesCurrent) {
    CountingCallbacks callbacks;
    HAL_enterVMLock();
    HAL_enterVMLock();
    HAL_yieldVMLock();
    EXPECT_EQ(HAL_vmLock().depthOfCurrentThread(), 2u);
    EXPECT_EQ(CountingCallbacks::makeCurrentCalls, 1);
    HAL_leaveVMLock();
    HAL_leaveVMLock();
}

TEST(VMLock, YieldHandsTheLockToAWaitingThreadFirst) {
    HAL_enterVMLock();
    std::vector<int> order;
    std::thread waiter([&] {
        HAL_enterVMLock();
        order.push_back(2);
        HAL_leaveVMLock();
    });
    ASSERT_TRUE(eventually([] { return HAL_vmLock().waitingThreads() == 1; }));
    order.push_back(1);
    HAL_yieldVMLock();
    order.push_back(3);
    HAL_leaveVMLock();
    waiter.join();
    EXPECT_EQ(order, (std::vector<int>{1, 2, 3}));
}

TEST(VMLock, TwoYieldingThreadsShareTurnsEvenly) {
    constexpr int kTurns = 400;
    std::vector<int> turns;
    std::atomic<int> ready{0};
    auto body = [&](int id) {
        HAL_enterVMLock();
        ++ready;
        while (ready < 2) HAL_yieldVMLock();
        for (int i = 0; i < kTurns; ++i) {
            turns.push_back(id);
            HAL_yieldVMLock();
        }
        HAL_leaveVMLock();
    };
    std::thread a(body, 0), b(body, 1);
    a.join();
    b.join();

    ASSERT_EQ(turns.size(), 2u * kTurns);
    int switches = 0;
    for (size_t i = 1; i < turns.size(); ++i) switches += turns[i] != turns[i - 1];
    // A fair hand-over alternates on every yield while both threads are in their loops; a
    // plain mutex typically lets one thread run many turns in a row.
    EXPECT_GE(switches, kTurns);
}

TEST(VMLock, ThreadsAreAdmittedInArrivalOrder) {
    HAL_enterVMLock();
    std::vector<int> order;
    std::vector<std::thread> threads;
    for (int i = 0; i < 4; ++i) {
        threads.emplace_back([&order, i] {
            HAL_enterVMLock();
            order.push_back(i);
            HAL_leaveVMLock();
        });
        ASSERT_TRUE(eventually([i] { return HAL_vmLock().waitingThreads() == unsigned(i + 1); }));
    }
    HAL_leaveVMLock();
    for (auto& thread : threads) thread.join();
    EXPECT_EQ(order, (std::vector<int>{0, 1, 2, 3}));
}

TEST(VMLock, AHandOverLetsTheNextThreadToArriveInFirst) {
    FairRecursiveLock lock;
    lock.enter();
    lock.enter();
    std::vector<int> order;  // touched under the lock
    std::thread other([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        EXPECT_FALSE(lock.tryEnter()) << "held by the handing thread until it arrives";
        lock.enter();
        order.push_back(2);
        lock.leave();
    });
    EXPECT_TRUE(lock.yieldToNextArrival(std::chrono::seconds(30)));
    order.push_back(1);
    EXPECT_EQ(lock.depthOfCurrentThread(), 2u);
    lock.leave();
    lock.leave();
    other.join();
    EXPECT_EQ(order, (std::vector<int>{2, 1}));
}

TEST(VMLock, AHandOverThatNobodyTakesKeepsTheLock) {
    FairRecursiveLock lock;
    lock.enter();
    EXPECT_TRUE(lock.yieldToNextArrival(std::chrono::milliseconds(5)));
    EXPECT_EQ(lock.depthOfCurrentThread(), 1u);
    EXPECT_TRUE(lock.leave());
    std::thread other([&] {
        EXPECT_TRUE(lock.tryEnter()) << "free again after the last leave";
        lock.leave();
    });
    other.join();
}

TEST(VMLock, SleepReleasesEveryLevelAndRestoresTheDepth) {
    CountingCallbacks callbacks;
    for (int i = 0; i < 3; ++i) HAL_enterVMLock();
    ThreadWaker* sleeperWaker = &HAL_currentThreadWaker();

    std::atomic<bool> otherRan{false};
    std::thread other([&] {
        HAL_enterVMLock();  // would hang if the sleeper kept any level
        otherRan = true;
        HAL_leaveVMLock();
        sleeperWaker->wake();
    });
    HAL_sleep(ThreadWaker::kNoLimit);
    other.join();
    EXPECT_TRUE(otherRan);
    EXPECT_EQ(HAL_vmLock().depthOfCurrentThread(), 3u);
    EXPECT_EQ(CountingCallbacks::makeCurrentCalls, 1);
    for (int i = 0; i < 3; ++i) HAL_leaveVMLock();
}

TEST(VMLock, SleepOfZeroLetsWaitingThreadsInWithoutSleeping) {
    HAL_enterVMLock();
    std::atomic<bool> otherRan{false};
    std::thread other([&] {
        HAL_enterVMLock();
        otherRan = true;
        HAL_leaveVMLock();
    });
    ASSERT_TRUE(eventually([] { return HAL_vmLock().waitingThreads() == 1; }));
    HAL_sleep(0);
    EXPECT_TRUE(otherRan);
    EXPECT_FALSE(HAL_currentThreadWaker().isArmed());
    HAL_leaveVMLock();
    other.join();
}

TEST(VMLock, SleepEndsEarlyWhenWoken) {
    HALThread* self = nullptr;
    ASSERT_EQ(HAL_createMainThreadRecord(&self), 0);
    std::thread waker([self] {
        ASSERT_TRUE(eventually([self] { return self->waker.isArmed(); }));
        self->waker.wake();
    });
    const auto start = std::chrono::steady_clock::now();
    HAL_sleep(60000);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(30));
    waker.join();
    HAL_deleteMainThreadRecord(self);
}

TEST(VMLock, TimedSleepRunsItsTime) {
    const auto start = std::chrono::steady_clock::now();
    HAL_sleep(30);
    EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(30));
}

TEST(VMLockDeathTest, LeavingALockNotHeldIsFatal) {
    EXPECT_EXIT(HAL_leaveVMLock(), testing::ExitedWithCode(1), "does not hold");
}

}  // namespace
