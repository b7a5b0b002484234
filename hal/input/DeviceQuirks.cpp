#include "hal/input/DeviceQuirks.h"

#include <atomic>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

#include "hal/host/HostBackend.h"
#include "hal/services/DeviceIdentity.h"
#include "hal/services/Properties.h"

namespace {

using QuirkDefaults = int32_t (*)(const char* suffix, const char** text);

struct Quirk {
    const char* name;
    QuirkDefaults defaults;  // the device's own answer when no property is set; may be null
};

const Quirk kQuirks[] = {
    {"KV_WINCE_PROPERTY_BUG_IGNORE_SOME_POINTER_EVENTS", &HAL_pointerQuirkDefaults},
};
constexpr int32_t kQuirkCount = int32_t(sizeof kQuirks / sizeof kQuirks[0]);

// The state of each quirk, 0 until first read. Canvases are made on runtime threads, so
// the entries are atomic; a race only reads the same property twice.
std::atomic<int32_t> quirkCache[kQuirkCount];

const Quirk* quirkFor(int32_t id) { return id >= 0 && id < kQuirkCount ? &kQuirks[id] : nullptr; }

// Reads a system property of an ASCII name into out (at most kQuirkTextLength characters,
// then a terminator). False when it is not set.
bool readSystemProperty(const char* name, char16_t (&out)[kQuirkTextLength + 1]) {
    char16_t key[2 * kQuirkTextLength + 2];
    int32_t keyLength = 0;
    while (name[keyLength] != 0 && keyLength < int32_t(sizeof key / sizeof key[0])) {
        key[keyLength] = char16_t(static_cast<unsigned char>(name[keyLength]));
        ++keyLength;
    }
    int32_t length = kQuirkTextLength;
    if (HAL_getSystemProperty(key, keyLength, out, &length) != 0) return false;
    out[length] = 0;
    return true;
}

bool isBlank(char16_t c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

// A decimal integer as the C library's "%d" reads one: blanks, a sign, digits; 0 when no
// digit follows. Values beyond 32 bits saturate.
int32_t leadingInteger(const char16_t* text, const char16_t* end) {
    while (text < end && isBlank(*text)) ++text;
    bool negative = false;
    if (text < end && (*text == '+' || *text == '-')) negative = *text++ == '-';
    int64_t value = 0;
    for (; text < end && *text >= '0' && *text <= '9'; ++text) {
        value = value * 10 + (*text - '0');
        if (value > INT32_MAX) value = int64_t(INT32_MAX) + 1;
    }
    if (negative) value = -value;
    return value > INT32_MAX ? INT32_MAX : int32_t(value);
}

void copyText(const char16_t* text, char16_t* out, int32_t capacity) {
    if (out == nullptr || capacity < 1) return;
    int32_t i = 0;
    for (; i < capacity - 1 && text[i] != 0; ++i) out[i] = text[i];
    out[i] = 0;
}

}  // namespace

int32_t HAL_readQuirkProperty(int32_t id) {
    const Quirk* quirk = quirkFor(id);
    char16_t value[kQuirkTextLength + 1];
    if (quirk == nullptr || !readSystemProperty(quirk->name, value)) return kQuirkAbsent;
    const char16_t* end = value + std::char_traits<char16_t>::length(value);
    if (std::u16string_view(value) == u"false") return kQuirkPropertyOff;
    return leadingInteger(value, end) != 0 ? kQuirkPropertyOn : kQuirkPropertyOff;
}

bool HAL_isQuirkEnabled(int32_t id) {
    const Quirk* quirk = quirkFor(id);
    if (quirk == nullptr) return false;
    int32_t state = quirkCache[id].load();
    if (state == 0) {
        state = HAL_readQuirkProperty(id);
        if (state == kQuirkAbsent) state = quirk->defaults ? quirk->defaults(nullptr, nullptr) : kQuirkDefaultOff;
        quirkCache[id].store(state);
    }
    return state == kQuirkDefaultOn || state == kQuirkPropertyOn;
}

bool HAL_getQuirkString(int32_t id, const char* suffix, char16_t* out, int32_t capacity) {
    const Quirk* quirk = quirkFor(id);
    if (quirk != nullptr) {
        HAL_isQuirkEnabled(id);
        // "<name>_<suffix>", at most kQuirkTextLength characters.
        char name[kQuirkTextLength + 1];
        const int32_t nameLength = int32_t(std::strlen(quirk->name));
        std::memcpy(name, quirk->name, size_t(nameLength < kQuirkTextLength ? nameLength : kQuirkTextLength));
        int32_t used = nameLength < kQuirkTextLength ? nameLength : kQuirkTextLength;
        if (used < kQuirkTextLength) name[used++] = '_';
        for (const char* s = suffix ? suffix : ""; *s != 0 && used < kQuirkTextLength; ++s) name[used++] = *s;
        name[used] = 0;

        char16_t value[kQuirkTextLength + 1];
        if (readSystemProperty(name, value)) {
            copyText(value, out, capacity);
            return true;
        }
        const char* fallback = nullptr;
        if (quirk->defaults) quirk->defaults(suffix, &fallback);
        if (fallback != nullptr) {
            for (used = 0; fallback[used] != 0 && used < kQuirkTextLength; ++used) value[used] = char16_t(fallback[used]);
            value[used] = 0;
            copyText(value, out, capacity);
            return true;
        }
    }
    copyText(u"", out, capacity);
    return false;
}

int32_t HAL_parseQuirkIntList(const char16_t* text, int32_t* values, int32_t capacity) {
    int32_t stored = 0;
    if (text == nullptr || values == nullptr) return 0;
    for (const char16_t* field = text; stored < capacity;) {
        const char16_t* end = field;
        while (*end != 0 && *end != ',') ++end;
        if (end > field) values[stored++] = leadingInteger(field, end);
        if (*end == 0) break;
        field = end + 1;
    }
    return stored;
}

bool HAL_getQuirkIntList(int32_t id, const char* suffix, int32_t* values, int32_t* count) {
    const int32_t capacity = count ? *count : 0;
    if (count) *count = 0;
    char16_t text[kQuirkTextLength + 1];
    const bool found = HAL_getQuirkString(id, suffix, text, kQuirkTextLength + 1);
    if (found && values && count) *count = HAL_parseQuirkIntList(text, values, capacity);
    return found;
}

int32_t HAL_pointerQuirkDefaultsFor(int32_t deviceId, int32_t screenWidth, int32_t screenHeight,
                                    const char* suffix, const char** text) {
    if (text) *text = nullptr;
    const char* points = nullptr;
    switch (deviceId) {
    case 3: points = "407,26"; break;
    case 4: points = "407,26,505,26"; break;
    case 5:
        // This model's phantom points exist only on its QVGA screens.
        if ((screenWidth == 240 && screenHeight == 320) || (screenWidth == 320 && screenHeight == 240))
            points = "203,13,247,13";
        break;
    case 6: points = "171,13"; break;
    case 7: points = "203,13,251,13"; break;
    default: break;
    }
    if (points == nullptr) return kQuirkDefaultOff;
    if (text && suffix && std::strncmp(suffix, "WHERE", kQuirkTextLength) == 0) *text = points;
    return kQuirkDefaultOn;
}

int32_t HAL_pointerQuirkDefaults(const char* suffix, const char** text) {
    return HAL_pointerQuirkDefaultsFor(HAL_getDeviceId(), host::kScreenWidth, host::kScreenHeight, suffix, text);
}
