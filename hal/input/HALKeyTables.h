#pragma once

// The key handling of one canvas window: turns the main window's key and character
// messages into the runtime's key events (8 pressed, 9 released, 10 repeated, each with the
// key code) and notes game actions in the latched key states.
//
// A key that types a character reports that character as its key code, at the press and
// at the release alike: the message loop hands over a key's character messages before the
// key message itself, so the character is pending when the press arrives, and the tables
// remember it per virtual key, with and without Shift, for the release. Keys that type
// nothing report their mapped key code (KeyCodes.h).
//
// Auto-repeat: the first press posts 8 and the first repeat 10; from the third message of
// a held key on, repeats are dropped until 100 ms have passed since the first repeat, and
// then each posts 10. Times come from the tick count.
//
// UI thread only.

#include <cstdint>
#include <memory>

class HALKeyTables {
public:
    // Repeats of a held key within this time after its first repeat are dropped.
    static constexpr uint32_t kRepeatDelay = 100;
    static constexpr uint32_t kTableSize = 256;  // virtual keys from 256 up have no entries

    HALKeyTables();
    HALKeyTables(const HALKeyTables&) = delete;
    HALKeyTables& operator=(const HALKeyTables&) = delete;

    void keyDown(uint32_t virtualKey, int64_t lParam);
    void keyUp(uint32_t virtualKey, int64_t lParam);
    // A character message: kept as the pending character unless one is pending already.
    void noteChar(uint32_t character);
    // The pending character, now remembered for the key (with or without Shift); without
    // one the character the key last typed in that Shift state (0 when none).
    int32_t takeChar(uint32_t virtualKey, bool shift);

    int32_t pendingChar() const { return pendingChar_; }
    // 0 up, 1 down while Shift was down, 2 down without Shift (0 from 256 up).
    uint8_t keyStatus(uint32_t virtualKey) const { return virtualKey < kTableSize ? status_[virtualKey] : 0; }
    bool repeatActive() const { return repeatActive_; }
    // Whether the last key message was a press (or repeat) rather than a release.
    bool keyIsDown() const { return keyIsDown_; }

private:
    static constexpr uint8_t kDownWithShift = 1;
    static constexpr uint8_t kDownWithoutShift = 2;

    bool isWheelKey(uint32_t virtualKey, int64_t lParam) const;
    bool shiftDown() const;
    void postKey(uint32_t virtualKey, bool down, int eventType, bool shift, bool alternate);

    std::unique_ptr<uint8_t[]> status_;
    std::unique_ptr<int32_t[]> chars_;
    std::unique_ptr<int32_t[]> shiftedChars_;
    int32_t pendingChar_ = 0;
    bool repeatActive_ = false;
    uint32_t repeatStart_ = 0;
    uint32_t lastKey_ = 0;
    uint32_t lastTime_ = 0;
    bool keyIsDown_ = false;
    bool lastWasRepeat_ = false;
    // Whether up and down are asked whether they came from the optical mouse's wheel
    // (which turns them into the alternate codes); only with an optical mouse.
    bool wheelKeyTest_ = false;
};
