// The pointer ring between the UI thread and the game loop: oldest first, the newest event
// dropped when full, nothing queued or handed out while suspended, the offset subtracted.

#include "src/kv/input/kv_input_PointerInputEventManager.h"
#include "tests/kv/KvTestSupport.h"

namespace {

using kv::input::PointerInputEventManager;
using Event = std::array<int32_t, 3>;

std::vector<Event> drain() {
    std::vector<Event> events;
    while (PointerInputEventManager::nextEvent())
        events.push_back({PointerInputEventManager::getStaticFlag(), PointerInputEventManager::getStaticIntA(),
                          PointerInputEventManager::getStaticIntB()});
    return events;
}

TEST(PointerInputEventManager, EventsComeOldestFirstAndAFullRingDropsTheNewest) {
    testRuntime();
    std::vector<Event> expected;
    for (int32_t i = 0; i < 25; ++i) {
        const bool kept = PointerInputEventManager::addEvent(int8_t(1 + i % 3), i, 100 + i);
        EXPECT_EQ(kept, i < PointerInputEventManager::kCapacity) << i;
        if (kept) expected.push_back({1 + i % 3, i, 100 + i});
    }
    EXPECT_EQ(drain(), expected);
    // Wrapping around the ring keeps the order.
    PointerInputEventManager::addEvent(3, 7, 8);
    PointerInputEventManager::addEvent(1, 9, 10);
    EXPECT_EQ(drain(), (std::vector<Event>{{3, 7, 8}, {1, 9, 10}}));
    EXPECT_EQ(PointerInputEventManager::getStaticFlag(), 1) << "the last event stays current";
}

TEST(PointerInputEventManager, WhileSuspendedEventsAreDroppedAndNoneIsHandedOut) {
    testRuntime();
    PointerInputEventManager::addEvent(1, 1, 1);
    PointerInputEventManager::setSuspended(true);
    EXPECT_FALSE(PointerInputEventManager::addEvent(2, 2, 2));
    EXPECT_FALSE(PointerInputEventManager::nextEvent());
    PointerInputEventManager::setSuspended(false);
    EXPECT_EQ(drain(), (std::vector<Event>{{1, 1, 1}}));
}

TEST(PointerInputEventManager, TheOffsetIsSubtractedWhenTheEventIsTaken) {
    testRuntime();
    PointerInputEventManager::addEvent(1, 50, 60);
    PointerInputEventManager::setPointerOffset(10, -20);
    EXPECT_EQ(drain(), (std::vector<Event>{{1, 40, 80}}));
}

}  // namespace
