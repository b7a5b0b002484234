// Display orientation. The host display cannot rotate: it always reads rotation 0, a
// rotation to the current orientation succeeds and any other is refused.

#include <cstring>
#include <string>

#include "hal/base/HALResult.h"
#include "hal/display/Displays.h"
#include "hal/services/Properties.h"

namespace {

constexpr int32_t kNoOrientation = 4;
constexpr int32_t kCurrentDisplayRotation = 0;  // the host display's fixed rotation index

// Rotation index per orientation name (0, 90, 180, 270 degrees) and a fifth entry, 0, for
// a display angle outside the four.
int32_t rotationTable[5] = {0, 1, 2, 3, 0};
int32_t requestedOrientation = kNoOrientation;
const HALDisplayRotation* rotatingDisplay = nullptr;

int32_t rotationFromProperty(const char* key, int32_t fallback) {
    std::u16string name;
    for (const char* c = key; *c; ++c) name += char16_t(*c);
    const HALPropertyEntry* entry = HAL_findProperty(kSystemPropertyList, name.data(), int32_t(name.size()));
    if (entry == nullptr || entry->valueLength == 0) return fallback;
    const std::u16string value(entry->value, size_t(entry->valueLength));
    if (value == u"normal") return 0;
    if (value == u"rotate90ccw") return 1;
    if (value == u"rotate180") return 2;
    if (value == u"rotate90cw") return 3;
    return fallback;
}

// The display's rotation as an index 0 to 3 (4 for an unknown angle), before the table.
int32_t readDisplayRotationIndex() { return rotatingDisplay ? rotatingDisplay->read() : kCurrentDisplayRotation; }

bool setDisplayRotation(int32_t index) {
    const int32_t wanted = index >= 0 && index <= 3 ? index : 0;
    return rotatingDisplay ? rotatingDisplay->set(wanted) : wanted == readDisplayRotationIndex();
}

bool applyOrientation(int32_t index) {
    requestedOrientation = index;
    if (index == kNoOrientation) return true;
    return setDisplayRotation(HAL_rotationForIndex(index));
}

}  // namespace

int32_t HAL_rotationForIndex(int32_t index) { return rotationTable[index >= 0 && index <= 3 ? index : 4]; }

void HAL_initRotationTable() {
    const char* keys[4] = {"WinceDisplayOrientation0", "WinceDisplayOrientation90", "WinceDisplayOrientation180",
                           "WinceDisplayOrientation270"};
    for (int32_t i = 0; i < 4; ++i) rotationTable[i] = rotationFromProperty(keys[i], i);
    requestedOrientation = kNoOrientation;
}

int HAL_getOrientation(int32_t* code) {
    const int32_t rotation = HAL_rotationForIndex(readDisplayRotationIndex());
    if (code && rotation >= 0 && rotation <= 4) *code = rotation == 4 ? 0 : rotation + 1;
    return HAL_OK;
}

int HAL_setOrientation(int32_t code) {
    if (code < 0 || code > 4) return HAL_ORIENTATION_NOT_POSSIBLE;
    const int32_t index = code == 0 ? kNoOrientation : code - 1;
    return applyOrientation(index) ? HAL_OK : HAL_ORIENTATION_NOT_POSSIBLE;
}

// Restores a requested orientation that the system changed behind the application's back.
// The raw display rotation is compared with the table entry for the request (like with like).
void HAL_setDisplayRotation(const HALDisplayRotation* display) { rotatingDisplay = display; }

void HAL_reapplyOrientation() {
    if (requestedOrientation == kNoOrientation) return;
    const int32_t wanted = HAL_rotationForIndex(requestedOrientation);
    if (readDisplayRotationIndex() != wanted) setDisplayRotation(wanted);
}
