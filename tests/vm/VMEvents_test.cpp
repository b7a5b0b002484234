#include <sstream>
#include <thread>

#include "lib_src/vm/VMEvents.h"
#include "tests/support/CapturedStdout.h"
#include "tests/vm/TestRuntime.h"

namespace {

std::vector<std::string> calls;

template <int Tag> int record(int type, int a, void* b) {
    std::ostringstream entry;
    entry << Tag << ':' << type;
    for (int i = 0; i < a; ++i) entry << ',' << static_cast<intptr_t*>(b)[i];
    calls.push_back(entry.str());
    return 0;
}

int throwing(int, int, void*) {
    calls.push_back("throw");
    vm::throwNew<java::lang::RuntimeException>(VMPtr<java::lang::String>::fromLiteral("listener failed"));
}

TEST(Events, ReachListenersInListOrderWithTheirPayload) {
    testRuntime();  // the runtime's own exit listener is in list 0
    calls.clear();
    HAL_addEventListener(&record<3>, 1u << kEventPointerPressed, 2);
    HAL_addEventListener(&record<2>, 0x7FFFFFFF, 7);  // any other kind: list 1
    HAL_addEventListener(&record<1>, 1u << kEventPointerPressed, 0);
    HAL_addEventListener(&record<4>, 1u << kEventPointerPressed, 2);
    intptr_t point[2] = {10, 20};
    EXPECT_EQ(HAL_dispatchEvent(kEventPointerPressed, 2, point), 0);
    EXPECT_EQ(calls, (std::vector<std::string>{"1:11,10,20", "2:11,10,20", "3:11,10,20", "4:11,10,20"}));
    calls.clear();
    HAL_addEventListener(&record<5>, 0xFFFFFFFF, 1);
    for (int type : {31, 32, 256 + kEventPause, -1}) HAL_dispatchEvent(type, 0, nullptr);  // not taken modulo 256
    EXPECT_EQ(calls, (std::vector<std::string>{"5:31"})) << "types beyond the mask match nothing";
}

TEST(Events, AListenerThatThrowsIsReportedAndEndsTheDispatch) {
    testRuntime();
    calls.clear();
    HAL_addEventListener(&throwing, 1u << kEventPause, 1);
    HAL_addEventListener(&record<2>, 1u << kEventPause, 2);
    CapturedStdout captured;
    EXPECT_EQ(HAL_dispatchEvent(kEventPause, 0, nullptr), 2);
    EXPECT_EQ(calls, (std::vector<std::string>{"throw"}));
    EXPECT_EQ(captured.text(),
              "Exception in thread \"System\" java.lang.RuntimeException: listener failed\n    at <unknown>\n");
}

TEST(Events, PostsFromAnotherThreadTakeTheVMLockAndStopWhenExiting) {
    testRuntime();
    calls.clear();
    HAL_addEventListener(&record<1>, 1u << kEventKeyPressed, 1);
    std::thread poster([] {
        intptr_t key = 53;
        HAL_postEvent(kEventKeyPressed, 1, &key, 1);
    });
    {
        VMLockReleased released;
        poster.join();
    }
    EXPECT_EQ(calls, (std::vector<std::string>{"1:8,53"}));
    HAL_setExiting(true);
    intptr_t key = 54;
    HAL_postEvent(kEventKeyPressed, 1, &key, 0);
    EXPECT_EQ(calls.size(), 1u);
    HAL_setExiting(false);
}

TEST(Events, ListenersRegisteredBeforeTheRegistryExistsAreRefused) {
    HAL_deleteEventListeners();
    EXPECT_EQ(HAL_addEventListener(&record<1>, 1, 0), nullptr);
    EXPECT_EQ(HAL_dispatchEvent(kEventPause, 0, nullptr), 0) << "dropped without error";
}

TEST(SerialCalls, RunQueuedEntriesWithTheirRunnableKeptAlive) {
    VM* vm = testRuntime();
    static java::lang::Object* seen = nullptr;
    {
        VMPtr<java::lang::String> runnable = java::lang::String::fromUtf8("queued");
        EXPECT_EQ(HAL_callSerially([](java::lang::Object* r) { seen = r; }, runnable.get()), 0);
    }
    vm->collect();  // the queue keeps the runnable
    EXPECT_EQ(HAL_runSerialCalls(), 1);
    ASSERT_NE(seen, nullptr);
    EXPECT_EQ(dynamic_cast<java::lang::String*>(seen)->toUtf8(), "queued");
    EXPECT_EQ(HAL_runSerialCalls(), 0);
}

}  // namespace
