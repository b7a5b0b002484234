#include "hal/input/KeyCodes.h"

#include "hal/host/HostMessages.h"

using namespace host;

namespace {

// Keys without a code of their own are told apart by their virtual key, moved out of the
// range of characters and phone keys.
constexpr int64_t kUnmappedOffset = 1500;

int32_t unmapped(uint32_t virtualKey) { return int32_t(int64_t(virtualKey) - kUnmappedOffset); }

// The wheel's codes for the four directions and fire; 0 for every other key.
int32_t alternateKeyCode(uint32_t virtualKey) {
    switch (virtualKey) {
    case kVkUp: return -24;
    case kVkDown: return -25;
    case kVkLeft: return -26;
    case kVkRight: return -27;
    case kVkSelect: case kVkReturn: return -28;
    default: return 0;
    }
}

struct KeyName {
    uint32_t virtualKey;
    const char16_t* name;
};

constexpr KeyName kKeyNames[] = {
    {0, u"Unknown"},          {13, u"Action"},        {27, u"Back"},
    {37, u"Left"},            {38, u"Up"},            {39, u"Right"},
    {40, u"Down"},            {91, u"Home screen"},   {112, u"Softkey 1"},
    {113, u"Softkey 2"},      {114, u"Talk"},         {115, u"End"},
    {117, u"Volume Up"},      {118, u"Volume Down"},  {119, u"*"},
    {120, u"#"},              {121, u"Record"},       {122, u"Symbol"},
    {127, u"Speakerphone"},   {128, u"Flip"},         {129, u"Power"},
    {130, u"Red"},            {131, u"Arrow Rocker"}, {132, u"Arrow D-Pad"},
    {134, u"Action Rocker"},  {135, u"Voice Dial"},
};

}  // namespace

int32_t HAL_getKeyCode(int32_t gameAction) {
    switch (gameAction) {
    case kGameUp: return -1;
    case kGameLeft: return -3;
    case kGameRight: return -4;
    case kGameDown: return -2;
    case kGameFire: return -5;
    default: return 0;
    }
}

int32_t HAL_getGameAction(int32_t keyCode) {
    switch (keyCode) {
    case -1: return kGameUp;
    case -2: return kGameDown;
    case -3: return kGameLeft;
    case -4: return kGameRight;
    case -5: return kGameFire;
    default: return 0;
    }
}

const char16_t* HAL_virtualKeyName(uint32_t virtualKey) {
    for (const KeyName& entry : kKeyNames)
        if (entry.virtualKey == virtualKey) return entry.name;
    return u"";
}

int HAL_getKeyName(int32_t keyCode, char16_t* buffer, int32_t* length) {
    if (buffer == nullptr || length == nullptr) {
        if (length) *length = 0;
        return 0;
    }
    // The caller's capacity bounds the copy: a name never runs past the buffer.
    const int32_t capacity = *length < 0 ? 0 : *length;
    const char16_t* name = HAL_virtualKeyName(HAL_keyCodeToVirtualKey(keyCode));
    int32_t written = 0;
    while (written < capacity && name[written] != 0) {
        buffer[written] = name[written];
        ++written;
    }
    *length = written;
    return 1;
}

uint32_t HAL_keyCodeToVirtualKey(int32_t keyCode) {
    switch (keyCode) {
    case -5: case -28: return kVkReturn;
    case -4: case -27: return kVkRight;
    case -3: case -26: return kVkLeft;
    case -2: case -25: return kVkDown;
    case -1: case -24: return kVkUp;
    case -6: return kVkF1;
    case -7: return kVkF2;
    case -8: return kVkClear;
    case -9: return kVkEscape;
    case -10: return kVkF3;
    case -11: return kVkF4;
    case -12: return kVkLeftWin;
    case -13: return kVkF6;
    case -14: return kVkF7;
    case -15: return 173;
    case -16: case -17: return 0;
    case -20: return 172;
    case -21: return kVkF16;
    case -22: return 181;
    case -23: return kVkSnapshot;
    case 35: return kVkF9;   // '#'
    case 42: return kVkF8;   // '*'
    case kVkTab: case kVkEscape: case kVkSpace: return uint32_t(keyCode);
    default: break;
    }
    if (keyCode >= '0' && keyCode <= '9') return uint32_t(keyCode) + (kVkNumpad0 - kVk0);
    if (keyCode >= int32_t(kVkA) && keyCode <= int32_t(kVkZ)) return uint32_t(keyCode);
    return uint32_t(int64_t(keyCode) + kUnmappedOffset);
}

int32_t HAL_virtualKeyToKeyCode(uint32_t virtualKey, bool alternate) {
    // The digit row types the same digits as the numeric keypad.
    if (virtualKey >= kVk0 && virtualKey <= kVk0 + 9) virtualKey += kVkNumpad0 - kVk0;
    if (alternate) {
        if (const int32_t code = alternateKeyCode(virtualKey)) return code;
    }
    switch (virtualKey) {
    case kVkUp: return -1;
    case kVkDown: return -2;
    case kVkLeft: return -3;
    case kVkRight: return -4;
    case kVkSelect: case kVkReturn: return -5;
    case kVkF1: return -6;
    case kVkF2: return -7;
    case kVkClear: return -8;
    case kVkBack: case kVkEscape: return -9;
    case kVkF3: return -10;
    case kVkF4: return -11;
    case kVkMenu: case kVkHome: case kVkLeftWin: case 164: case 165: return -12;
    case kVkF6: case 175: return -13;  // and volume up
    case kVkF7: case 174: return -14;  // and volume down
    case 173: return -15;
    case 170: case 171: case 172: return -20;
    case kVkF16: return -21;
    case 179: case 181: return -22;
    case kVkSnapshot: return -23;
    case 0: return 0;
    case kVkEnd: case kVkF9: return '#';
    case kVkPrint: case kVkMultiply: case kVkF8: return '*';
    case kVkAdd: return '+';
    case 188: return ',';
    case kVkSubtract: case 189: return '-';
    case kVkDecimal: case 190: return '.';
    case kVkDivide: case 191: return '/';
    case 186: return ';';
    case 187: return '=';
    case 192: return '"';
    case 219: return '[';
    case 220: return '\\';
    case 221: return ']';
    case 222: return '\'';
    case kVkSeparator: return '|';
    case kVkDelete: return 127;
    case kVkTab: case kVkSpace: return int32_t(virtualKey);
    default: break;
    }
    if (virtualKey >= kVkNumpad0 && virtualKey <= kVkNumpad0 + 9) return int32_t(virtualKey - kVkNumpad0) + '0';
    if (virtualKey >= kVkA && virtualKey <= kVkZ) return int32_t(virtualKey);
    return unmapped(virtualKey);
}
