#pragma once

// The messages, virtual-key codes and parameter layouts of the phone's window system, kept
// as this project's own constants: the layers above are written against them, and both
// host backends produce them.

#include <cstdint>

namespace host {

enum Message : uint32_t {
    kMsgCreate = 1,
    kMsgDestroy = 2,
    kMsgSize = 5,
    kMsgActivate = 6,
    kMsgPaint = 15,
    kMsgClose = 16,
    kMsgQuit = 18,
    kMsgEraseBackground = 20,
    kMsgSettingChange = 26,
    kMsgKeyDown = 256,
    kMsgKeyUp = 257,
    kMsgChar = 258,
    kMsgTimer = 275,
    kMsgMouseMove = 0x200,
    kMsgLeftButtonDown = 0x201,
    kMsgLeftButtonUp = 0x202,
    kMsgCollect = 1023,
    kMsgExitRequest = 1025,
    kMsgPhoneStatusChanged = 1026,
    kMsgPowerChanged = 1027,
    kMsgSetOrientation = 1028,
    kMsgUnreadMessagesChanged = 1029,
    // The project's own messages, numbered apart from all of the above. They are handled
    // by the message loop before any window procedure, so they work with no displayable.
    kMsgRunSerially = 0x8001,
    kMsgAudioFinished = 0x8002,
    kMsgWake = 0x8003,
    kMsgKeepAwake = 0x8004,  // wParam 1: keep the display awake; 0: let it sleep
};

// Activation states in the low word of the activate message's wParam.
enum Activation : uint32_t { kInactive = 0, kActive = 1, kClickActive = 2 };

enum VirtualKey : uint32_t {
    kVkBack = 0x08,
    kVkTab = 0x09,
    kVkClear = 0x0C,
    kVkReturn = 0x0D,
    kVkShift = 0x10,
    kVkMenu = 0x12,
    kVkEscape = 0x1B,
    kVkSpace = 0x20,
    kVkEnd = 0x23,
    kVkHome = 0x24,
    kVkLeft = 0x25,
    kVkUp = 0x26,
    kVkRight = 0x27,
    kVkDown = 0x28,
    kVkSelect = 0x29,
    kVkPrint = 0x2A,
    kVkSnapshot = 0x2C,
    kVkDelete = 0x2E,
    kVk0 = 0x30,
    kVkA = 0x41,
    kVkZ = 0x5A,
    kVkLeftWin = 0x5B,
    kVkNumpad0 = 0x60,
    kVkMultiply = 0x6A,
    kVkAdd = 0x6B,
    kVkSeparator = 0x6C,
    kVkSubtract = 0x6D,
    kVkDecimal = 0x6E,
    kVkDivide = 0x6F,
    kVkF1 = 0x70,
    kVkF2 = 0x71,
    kVkF3 = 0x72,
    kVkF4 = 0x73,
    kVkF6 = 0x75,
    kVkF7 = 0x76,
    kVkF8 = 0x77,
    kVkF9 = 0x78,
    kVkF16 = 0x7F,
    kVkProcessKey = 229,  // the input method's placeholder
};

// Button state in wParam of pointer messages: the left button (the stylus) is down.
constexpr uint64_t kMkLeftButton = 0x0001;

// Key messages: repeat count in bits 0-15, scan code in 16-23, extended key in 24, previous
// state in bit 30, transition (1 for release) in bit 31.
constexpr int64_t keyParam(uint32_t repeatCount, bool wasDown, bool releasing) {
    return int64_t((repeatCount & 0xFFFF) | (wasDown ? 1u << 30 : 0u) | (releasing ? 1u << 31 : 0u));
}
constexpr uint32_t keyScanCode(int64_t lParam) { return uint32_t(lParam >> 16) & 0xFF; }
constexpr bool keyWasDown(int64_t lParam) { return (uint64_t(lParam) >> 30 & 1) != 0; }
// Pointer messages: x in the low word, y in the high word.
constexpr int64_t pointParam(int32_t x, int32_t y) { return int64_t(uint32_t(uint16_t(x)) | (uint32_t(uint16_t(y)) << 16)); }
constexpr int32_t pointX(int64_t lParam) { return int16_t(lParam & 0xFFFF); }
constexpr int32_t pointY(int64_t lParam) { return int16_t((lParam >> 16) & 0xFFFF); }
// The same coordinates read as unsigned 16-bit values, as the touch screen reports them.
constexpr uint16_t pointUnsignedX(int64_t lParam) { return uint16_t(lParam & 0xFFFF); }
constexpr uint16_t pointUnsignedY(int64_t lParam) { return uint16_t((lParam >> 16) & 0xFFFF); }

struct HostMessage {
    uint32_t message;
    uint64_t wParam;
    int64_t lParam;
};

}  // namespace host
