#pragma once

// Device quirks: faults of particular phones that the platform works around. Each quirk is
// a system property name with a per-device default. The one quirk, id 0,
// "KV_WINCE_PROPERTY_BUG_IGNORE_SOME_POINTER_EVENTS", names touch-screen points at which
// some devices report presses and releases that nobody made; its sub-property "..._WHERE"
// lists them as "x,y,x,y,...".
//
// The property decides: "false" or a number 0 turns a quirk off, any other number on (any
// other text counts as 0). Without the property the device default decides. The answer is
// read once and kept for the life of the process.

#include <cstdint>

constexpr int32_t kQuirkIgnoreSomePointerEvents = 0;

// The longest quirk property value, and sub-property name, that is read (in characters).
constexpr int32_t kQuirkTextLength = 64;

// Quirk states: 1 no property, 2 off and 3 on by the device default, 4 off and 5 on by the
// property.
enum HALQuirkState : int32_t {
    kQuirkAbsent = 1,
    kQuirkDefaultOff = 2,
    kQuirkDefaultOn = 3,
    kQuirkPropertyOff = 4,
    kQuirkPropertyOn = 5,
};

// The state the quirk's property gives (kQuirkAbsent without it, and for an unknown id).
int32_t HAL_readQuirkProperty(int32_t id);
bool HAL_isQuirkEnabled(int32_t id);
// The sub-property "<quirk name>_<suffix>", or when there is none the device default for
// the suffix, copied zero-terminated into out (at most capacity characters, terminator
// included). False, with an empty text when capacity allows, when neither exists.
bool HAL_getQuirkString(int32_t id, const char* suffix, char16_t* out, int32_t capacity);
// The quirk string read as comma-separated decimal integers: *count holds the capacity on
// entry and the number of values stored on return. Returns whether the string exists; with
// a null values or count only that is answered.
bool HAL_getQuirkIntList(int32_t id, const char* suffix, int32_t* values, int32_t* count);

// Splits text at commas and reads each non-empty field as a decimal integer (blanks and a
// sign may lead; the field's number ends at its first non-digit); stores at most capacity
// values and returns how many it stored.
int32_t HAL_parseQuirkIntList(const char16_t* text, int32_t* values, int32_t capacity);

// The pointer quirk's device default: kQuirkDefaultOn or kQuirkDefaultOff; *text (when
// given) becomes the default points for the suffix "WHERE" on a device that has them, else
// null. HAL_pointerQuirkDefaults asks for this device and screen.
int32_t HAL_pointerQuirkDefaultsFor(int32_t deviceId, int32_t screenWidth, int32_t screenHeight,
                                    const char* suffix, const char** text);
int32_t HAL_pointerQuirkDefaults(const char* suffix, const char** text);
