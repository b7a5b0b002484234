#include <gtest/gtest.h>

#include "hal/host/HostMessages.h"
#include "hal/input/HALKeyTables.h"
#include "lib_src/vm/VMEvents.h"
#include "tests/hal/input/InputTestSupport.h"

namespace {

using namespace host;
using Events = std::vector<RecordedEvent>;

constexpr int64_t kPress = keyParam(1, false, false);
constexpr int64_t kRepeat = keyParam(1, true, false);
constexpr int64_t kRelease = keyParam(1, true, true);

// The pause after the first repeat is seen end to end (the shell's input test); here, what it
// does to a character that came with a dropped repeat.
TEST(HALKeyTables, ADroppedRepeatTakesItsCharacterWithIt) {
    InputTestSupport support;
    HALKeyTables keys;
    keys.keyDown(kVkUp, kPress);
    testTicks = 1010;
    keys.keyDown(kVkUp, kRepeat);
    testTicks = 1050;
    keys.noteChar('u');
    keys.keyDown(kVkUp, kRepeat);
    EXPECT_TRUE(keys.repeatActive());
    EXPECT_EQ(keys.pendingChar(), 0);
    keys.keyUp(kVkUp, kRelease);
    EXPECT_FALSE(keys.keyIsDown());
    EXPECT_EQ(support.take(), (Events{key(8, -1), key(10, -1), key(9, -1)}));
}

TEST(HALKeyTables, ARepeatEndsWithAnotherKeyAndSurvivesTheTickCountsWrap) {
    InputTestSupport support;
    HALKeyTables keys;
    testTicks = 0xFFFFFFF0u;
    keys.keyDown(kVkDown, kPress);
    keys.keyDown(kVkDown, kRepeat);
    keys.keyDown(kVkDown, kRepeat);
    testTicks = 0x53;  // 99 ms on, across the wrap
    keys.keyDown(kVkDown, kRepeat);
    testTicks = 0x54;
    keys.keyDown(kVkDown, kRepeat);
    keys.keyDown(kVkLeft, kPress);
    EXPECT_FALSE(keys.repeatActive());
    keys.keyDown(kVkLeft, kRepeat);  // a new key starts its own repeat
    EXPECT_EQ(support.take(), (Events{key(8, -2), key(10, -2), key(10, -2), key(8, -3), key(10, -3)}));
}

TEST(HALKeyTables, AKeyReportsItsCharacterAtThePressAndTheRelease) {
    InputTestSupport support;
    HALKeyTables keys;
    keys.noteChar('a');
    keys.keyDown(kVkA, kPress);
    keys.keyUp(kVkA, kRelease);
    keys.keyDown(kVkShift, kPress);
    keys.noteChar('A');
    keys.noteChar('B');  // one character pending at a time
    keys.keyDown(kVkA, kPress);
    keys.keyUp(kVkShift, kRelease);
    keys.keyUp(kVkA, kRelease);  // Shift is up by now: the press's state decides
    keys.keyDown(kVkA, kPress);  // no character came: the one it last typed without Shift
    keys.keyUp(kVkA, kRelease);
    EXPECT_EQ(support.take(), (Events{key(8, 'a'), key(9, 'a'), key(8, -1484), key(8, 'A'), key(9, -1484),
                                      key(9, 'A'), key(8, 'a'), key(9, 'a')}));
    EXPECT_EQ(keys.keyStatus(kVkA), 0);
}

TEST(HALKeyTables, AReleaseWithoutAPressPostsBoth) {
    InputTestSupport support;
    HALKeyTables keys;
    keys.keyUp(kVkRight, kRelease | (int64_t(0x4D) << 16));
    EXPECT_EQ(support.take(), (Events{key(8, -4), key(9, -4)}));
    EXPECT_EQ(keys.keyStatus(kVkRight), 0);
}

TEST(HALKeyTables, HighVirtualKeysAndKeyZero) {
    InputTestSupport support;
    HALKeyTables keys;
    keys.noteChar('q');
    keys.keyDown(300, kPress);  // the character is posted but not remembered
    EXPECT_EQ(keys.keyStatus(300), 0);
    keys.keyUp(300, kRelease);
    keys.keyDown(0, kPress);
    keys.keyUp(0, kRelease);
    EXPECT_EQ(support.take(), (Events{key(8, 'q'), key(9, 300 - 1500)})) << "key 0 posts nothing";
}

}  // namespace
