#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "hal/host/MessageQueue.h"

namespace {

using namespace host;

TEST(MessageQueue, DeliversInPostingOrder) {
    MessageQueue queue;
    HostMessage m{};
    EXPECT_FALSE(queue.take(&m));
    queue.post(kMsgKeyDown, 0x25, 7);
    queue.post(kMsgKeyUp, 0x25, 8);
    ASSERT_TRUE(queue.take(&m));
    EXPECT_TRUE(m.message == kMsgKeyDown && m.wParam == 0x25u && m.lParam == 7);
    ASSERT_TRUE(queue.take(&m));
    EXPECT_TRUE(m.message == kMsgKeyUp && m.lParam == 8);
    EXPECT_TRUE(queue.empty());
}

TEST(MessageQueue, AWaitEndsAtOnceForAPostFromAnotherThread) {
    MessageQueue queue;
    const auto start = std::chrono::steady_clock::now();
    std::thread poster([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        queue.post(kMsgExitRequest);
    });
    EXPECT_TRUE(queue.wait(-1));
    poster.join();
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(10));
}

TEST(MessageQueue, AWakeEndsAWaitWithoutAMessageAndATimedWaitRunsOut) {
    MessageQueue queue;
    int hooks = 0;
    queue.setWakeHook([&] { ++hooks; });
    std::thread waker([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        queue.wake();
    });
    EXPECT_FALSE(queue.wait(-1));
    waker.join();
    EXPECT_FALSE(queue.wait(10)) << "nothing posted: the time runs out";
    queue.post(kMsgPaint);
    EXPECT_EQ(hooks, 2);
}

}  // namespace
