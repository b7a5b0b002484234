#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <string>
#include <utility>

#include "hal/input/KeyCodes.h"
#include "hal/input/KeyStates.h"

namespace {

TEST(KeyCodes, VirtualKeysBecomeKeyCodes) {
    const std::pair<uint32_t, int32_t> expected[] = {
        {38, -1},   {40, -2},   {37, -3},   {39, -4},   {41, -5},   {13, -5},   {112, -6},  {113, -7},
        {12, -8},   {8, -9},    {27, -9},   {114, -10}, {115, -11}, {18, -12},  {36, -12},  {91, -12},
        {164, -12}, {165, -12}, {117, -13}, {175, -13}, {118, -14}, {174, -14}, {173, -15}, {170, -20},
        {172, -20}, {127, -21}, {179, -22}, {181, -22}, {44, -23},  {0, 0},     {35, '#'},  {120, '#'},
        {42, '*'},  {106, '*'}, {119, '*'}, {107, '+'}, {188, ','}, {109, '-'}, {189, '-'}, {110, '.'},
        {190, '.'}, {111, '/'}, {191, '/'}, {96, '0'},  {105, '9'}, {48, '0'},  {50, '2'},  {57, '9'},
        {186, ';'}, {187, '='}, {192, '"'}, {219, '['}, {220, '\\'}, {221, ']'}, {222, '\''}, {108, '|'},
        {46, 127},  {65, 'A'},  {90, 'Z'},  {32, ' '},  {9, '\t'},
        {116, -1384}, {16, -1484}, {97 + 0x100, 256 + 97 - 1500},  // keys without a code of their own
    };
    for (const auto& [virtualKey, code] : expected)
        EXPECT_EQ(HAL_virtualKeyToKeyCode(virtualKey, false), code) << "virtual key " << virtualKey;
}

TEST(KeyCodes, TheWheelColumnCoversOnlyTheDirectionsAndFire) {
    EXPECT_EQ(HAL_virtualKeyToKeyCode(38, true), -24);
    EXPECT_EQ(HAL_virtualKeyToKeyCode(40, true), -25);
    EXPECT_EQ(HAL_virtualKeyToKeyCode(37, true), -26);
    EXPECT_EQ(HAL_virtualKeyToKeyCode(39, true), -27);
    EXPECT_EQ(HAL_virtualKeyToKeyCode(41, true), -28);
    EXPECT_EQ(HAL_virtualKeyToKeyCode(13, true), -28);
    EXPECT_EQ(HAL_virtualKeyToKeyCode(112, true), -6) << "no alternate: the usual code";
    EXPECT_EQ(HAL_virtualKeyToKeyCode(53, true), '5');
}

TEST(KeyCodes, KeyCodesBecomeVirtualKeys) {
    const std::pair<int32_t, uint32_t> expected[] = {
        {-5, 13},   {-28, 13},  {-4, 39},   {-27, 39},  {-3, 37},  {-26, 37}, {-2, 40},  {-25, 40},
        {-1, 38},   {-24, 38},  {-6, 112},  {-7, 113},  {-8, 12},  {-9, 27},  {-10, 114}, {-11, 115},
        {-12, 91},  {-13, 117}, {-14, 118}, {-15, 173}, {-16, 0},  {-17, 0},  {-20, 172}, {-21, 127},
        {-22, 181}, {-23, 44},  {35, 120},  {42, 119},  {'0', 96}, {'9', 105}, {'A', 65}, {'Z', 90},
        {32, 32},   {9, 9},     {27, 27},   {'a', 'a' + 1500}, {-18, 1482}, {-1384, 116},
    };
    for (const auto& [code, virtualKey] : expected)
        EXPECT_EQ(HAL_keyCodeToVirtualKey(code), virtualKey) << "key code " << code;
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
    EXPECT_EQ(nameOf(-16), u"Unknown|x");
    EXPECT_EQ(nameOf(35), u"#|x");
    EXPECT_EQ(nameOf(135 - 1500), u"Voice Dial|x");
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
