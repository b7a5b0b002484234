#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <cerrno>

#include "hal/base/HALThread.h"
#include "hal/base/VMLock.h"
#include "tests/hal/base/TestCallbacks.h"

namespace {

struct Probe {
    std::atomic<bool> ran{false};
    std::atomic<bool> heldVMLock{false};
    std::atomic<void*> dataSeen{nullptr};
    std::atomic<HALThread*> recordSeen{nullptr};
};

void probeEntry(void* argument) {
    auto* probe = static_cast<Probe*>(argument);
    probe->heldVMLock = HAL_holdsVMLock();
    probe->dataSeen = HAL_getCurrentThreadData();
    probe->recordSeen = HAL_getCurrentThread();
    probe->ran = true;
}

TEST(HALThread, StartsSuspendedAndRunsItsEntryUnderTheVMLockWhenResumed) {
    CountingCallbacks callbacks;
    Probe probe;
    HALThread* thread = nullptr;
    ASSERT_EQ(HAL_createThread(&thread, probeEntry, &probe), 0);
    ASSERT_NE(thread, nullptr);

    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    EXPECT_FALSE(probe.ran) << "a new thread waits until it is resumed";
    EXPECT_FALSE(thread->running);

    HAL_startThread(thread);
    HAL_startThread(thread);  // later starts do nothing
    ASSERT_TRUE(eventually([&] { return thread->finished.load(); }));
    EXPECT_TRUE(probe.ran);
    EXPECT_TRUE(probe.heldVMLock);
    EXPECT_EQ(probe.dataSeen, &probe);
    EXPECT_EQ(probe.recordSeen, thread);
    EXPECT_FALSE(thread->running);
    EXPECT_EQ(CountingCallbacks::makeCurrentCalls, 1);
    HAL_deleteThread(thread);
    EXPECT_FALSE(HAL_holdsVMLock());
}

TEST(HALThread, ThreadsTakeTurnsForTheVMLock) {
    HAL_enterVMLock();
    Probe probe;
    HALThread* thread = nullptr;
    ASSERT_EQ(HAL_createThread(&thread, probeEntry, &probe), 0);
    HAL_startThread(thread);
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    EXPECT_FALSE(probe.ran) << "the entry needs the VM lock that this thread holds";
    HAL_leaveVMLock();
    ASSERT_TRUE(eventually([&] { return thread->finished.load(); }));
    HAL_deleteThread(thread);
}

TEST(HALThread, AnEntryThatLeavesTheLockHeldDoesNotKeepIt) {
    HALThread* thread = nullptr;
    ASSERT_EQ(HAL_createThread(&thread, [](void*) { HAL_enterVMLock(); }, nullptr), 0);
    HAL_startThread(thread);
    ASSERT_TRUE(eventually([&] { return thread->finished.load(); }));
    HAL_deleteThread(thread);
    HAL_enterVMLock();  // would hang if the finished thread still held a level
    HAL_leaveVMLock();
}

TEST(HALThread, DataWordIsSetOnlyWithTheFlag) {
    HALThread* self = nullptr;
    ASSERT_EQ(HAL_createMainThreadRecord(&self), 0);
    EXPECT_EQ(HAL_getCurrentThread(), self);
    EXPECT_EQ(self->handle, HALThread::kCurrentThreadPseudoHandle);
    int value = 0;
    HAL_setCurrentThreadData(0, &value);
    EXPECT_EQ(HAL_getCurrentThreadData(), nullptr);
    HAL_setCurrentThreadData(1, &value);
    EXPECT_EQ(HAL_getCurrentThreadData(), &value);
    HAL_deleteMainThreadRecord(self);
    EXPECT_EQ(HAL_getCurrentThread(), nullptr);
    EXPECT_EQ(HAL_getCurrentThreadData(), nullptr);
}

TEST(HALThread, NullRecordsAreIgnoredAndCancelOnlyMarks) {
    HAL_startThread(nullptr);
    HAL_cancelThread(nullptr);
    HAL_deleteThread(nullptr);
    EXPECT_EQ(HAL_createThread(nullptr, probeEntry, nullptr), 2);

    Probe probe;
    HALThread* thread = nullptr;
    ASSERT_EQ(HAL_createThread(&thread, probeEntry, &probe), 0);
    HAL_cancelThread(thread);
    EXPECT_TRUE(thread->cancelRequested);
    HAL_startThread(thread);
    ASSERT_TRUE(eventually([&] { return thread->finished.load(); }));
    EXPECT_TRUE(probe.ran);
    HAL_deleteThread(thread);
}

TEST(HALThreadDeathTest, DeletingAnUnfinishedThreadIsFatal) {
    EXPECT_EXIT(
        {
            HALThread* thread = nullptr;
            HAL_createThread(&thread, probeEntry, nullptr);
            HAL_deleteThread(thread);
        },
        testing::ExitedWithCode(1), "called on thread that has not finished");
}

TEST(HALThread, CreationFailureIsReportedAndCreatesNoRecord) {
    HAL_setNativeThreadCreator([](pthread_t*, const pthread_attr_t*, void* (*)(void*), void*) { return EAGAIN; });
    HALThread* thread = reinterpret_cast<HALThread*>(&thread);
    EXPECT_EQ(HAL_createThread(&thread, probeEntry, nullptr), 2);
    EXPECT_EQ(thread, nullptr);
    HAL_setNativeThreadCreator(nullptr);
}

}  // namespace
