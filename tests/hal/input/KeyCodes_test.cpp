#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <string>
#include <utility>

#include "hal/input/KeyCodes.h"
#include "hal/input/KeyStates.h"

namespace {

// One key of each kind: a direction, fire and its alias, a soft key, a symbol, a digit, a key
// with no code of its own, and none.
TEST(KeyCodes, VirtualKeysBecomeKeyCodesAndWheelCodes) {
    const struct {
        uint32_t virtualKey;
        int32_t code, wheelCode;
    } keys[] = {{38, -1, -24},  {41, -5, -28},  {13, -5, -28},       {112, -6, -6},
                {35, '#', '#'}, {96, '0', '0'}, {116, -1384, -1384}, {0, 0, 0}};
    for (const auto& k : keys) {
        EXPECT_EQ(HAL_virtualKeyToKeyCode(k.virtualKey, false), k.code) << "virtual key " << k.virtualKey;
        EXPECT_EQ(HAL_virtualKeyToKeyCode(k.virtualKey, true), k.wheelCode) << "virtual key " << k.virtualKey;
    }
}

// The wheel's codes lead to the same keys as the plain ones.
TEST(KeyCodes, KeyCodesLeadBackToTheirVirtualKeys) {
    for (uint32_t virtualKey = 1; virtualKey < 0x200; ++virtualKey) {
        for (bool wheel : {false, true}) {
            const int32_t code = HAL_virtualKeyToKeyCode(virtualKey, wheel);
            if (code != 0) {
                EXPECT_EQ(HAL_virtualKeyToKeyCode(HAL_keyCodeToVirtualKey(code), wheel), code) << virtualKey;
            }
        }
    }
    EXPECT_EQ(HAL_keyCodeToVirtualKey(-28), 13u);
    EXPECT_EQ(HAL_keyCodeToVirtualKey(-16), 0u) << "a code no key gives";
}

TEST(KeyCodes, GameActionsAndTheirKeysAreInverse) {
    for (int32_t action : {1, 2, 5, 6, 8}) EXPECT_EQ(HAL_getGameAction(HAL_getKeyCode(action)), action);
    EXPECT_EQ(HAL_getKeyCode(2), -3);
    EXPECT_EQ(HAL_getKeyCode(6), -2);
    for (int32_t other : {0, 3, 4, 7, 9, -1}) EXPECT_EQ(HAL_getKeyCode(other), 0);
    for (int32_t code : {-24, -25, -26, -27, -28, -6, 0, 65}) EXPECT_EQ(HAL_getGameAction(code), 0) << code;
}

std::u16string nameOf(int32_t keyCode, int32_t capacity = 32) {
    char16_t buffer[32];
    std::fill(std::begin(buffer), std::end(buffer), u'x');
    int32_t length = capacity;
    EXPECT_EQ(HAL_getKeyName(keyCode, buffer, &length), 1);
    return std::u16string(buffer, size_t(length)) + u"|" + buffer[length];
}

TEST(KeyCodes, KeyNamesComeFromTheVirtualKeyAndStayInTheBuffer) {
    EXPECT_EQ(nameOf(-6), u"Softkey 1|x");
    EXPECT_EQ(nameOf(-28), u"Action|x") << "the wheel's fire is the same key";
    EXPECT_EQ(nameOf(65), u"|x") << "a key without a name: empty, result 1";
    EXPECT_EQ(nameOf(-6, 4), u"Soft|x") << "cut at the capacity";
    EXPECT_EQ(nameOf(-6, 0), u"|x");
    EXPECT_EQ(nameOf(-6, -3), u"|x");
    int32_t length = 10;
    EXPECT_EQ(HAL_getKeyName(-6, nullptr, &length), 0);
    EXPECT_EQ(length, 0);
    char16_t buffer[4];
    EXPECT_EQ(HAL_getKeyName(-6, buffer, nullptr), 0) << "no capacity given";
}

TEST(KeyStates, APressSeenOnceThenDroppedAfterItsRelease) {
    HAL_latchKeyState(-5, true);
    HAL_latchKeyState(-5, false);
    HAL_latchKeyState(-6, true);  // no game action
    EXPECT_EQ(HAL_getKeyStates(), 1 << 8);
    EXPECT_EQ(HAL_getKeyStates(), 0);

    HAL_latchKeyState(-1, true);  // held across reads
    HAL_latchKeyState(-3, true);
    EXPECT_EQ(HAL_getKeyStates(), (1 << 1) | (1 << 2));
    HAL_latchKeyState(-3, false);
    EXPECT_EQ(HAL_getKeyStates(), (1 << 1) | (1 << 2)) << "released after the last read: seen once more";
    EXPECT_EQ(HAL_getKeyStates(), 1 << 1);

    HAL_latchKeyState(-4, true);  // pressed, released and pressed again between two reads
    HAL_latchKeyState(-4, false);
    HAL_latchKeyState(-4, true);
    EXPECT_EQ(HAL_getKeyStates(), (1 << 1) | (1 << 5));
    EXPECT_EQ(HAL_getKeyStates(), (1 << 1) | (1 << 5)) << "still held";
}

}  // namespace
