#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "hal/input/DeviceLibraries.h"
#include "hal/input/DeviceQuirks.h"
#include "hal/services/Properties.h"

namespace {

constexpr char16_t kQuirk[] = u"KV_WINCE_PROPERTY_BUG_IGNORE_SOME_POINTER_EVENTS";
constexpr char16_t kWhere[] = u"KV_WINCE_PROPERTY_BUG_IGNORE_SOME_POINTER_EVENTS_WHERE";

std::vector<int32_t> intList(const char* suffix, int32_t capacity, bool* found = nullptr) {
    std::vector<int32_t> values(size_t(capacity) + 1, -99);
    int32_t count = capacity;
    const bool f = HAL_getQuirkIntList(kQuirkIgnoreSomePointerEvents, suffix, values.data(), &count);
    if (found) *found = f;
    values.resize(size_t(count));
    return values;
}

TEST(DeviceQuirks, DeviceDefaultsForThePointerQuirk) {
    const struct {
        int32_t device, width, height;
        const char* points;
    } devices[] = {{4, 240, 320, "407,26,505,26"}, {5, 320, 240, "203,13,247,13"}, {5, 480, 640, nullptr},
                   {6, 240, 320, "171,13"},        {2, 240, 320, nullptr}};
    for (const auto& d : devices) {
        const char* text = "stale";
        EXPECT_EQ(HAL_pointerQuirkDefaultsFor(d.device, d.width, d.height, "WHERE", &text),
                  d.points ? kQuirkDefaultOn : kQuirkDefaultOff) << d.device;
        EXPECT_STREQ(text, d.points) << d.device;
    }
    const char* text = "stale";
    EXPECT_EQ(HAL_pointerQuirkDefaultsFor(4, 240, 320, "WHEN", &text), kQuirkDefaultOn);
    EXPECT_EQ(text, nullptr) << "points only for WHERE";
}

TEST(DeviceQuirks, ThePropertyTurnsAQuirkOnOrOff) {
    HAL_initPropertyLists();
    EXPECT_EQ(HAL_readQuirkProperty(kQuirkIgnoreSomePointerEvents), kQuirkAbsent);
    const std::pair<const char16_t*, int32_t> values[] = {
        {u"false", kQuirkPropertyOff}, {u"0", kQuirkPropertyOff},   {u"1", kQuirkPropertyOn},
        {u" 7x", kQuirkPropertyOn},    {u"-1", kQuirkPropertyOn},   {u"true", kQuirkPropertyOff},
        {u"False", kQuirkPropertyOff}, {u"99999999999", kQuirkPropertyOn},
    };
    for (const auto& [value, state] : values) {
        HAL_addProperty(kSystemPropertyList, kQuirk, value);  // the latest entry hides the others
        EXPECT_EQ(HAL_readQuirkProperty(kQuirkIgnoreSomePointerEvents), state);
    }
    EXPECT_EQ(HAL_readQuirkProperty(1), kQuirkAbsent) << "no such quirk";
}

TEST(DeviceQuirks, WithoutThePropertyThisDeviceHasNoPointerQuirkAndTheAnswerIsKept) {
    HAL_initPropertyLists();
    EXPECT_FALSE(HAL_isQuirkEnabled(kQuirkIgnoreSomePointerEvents));
    HAL_addProperty(kSystemPropertyList, kQuirk, u"1");
    EXPECT_FALSE(HAL_isQuirkEnabled(kQuirkIgnoreSomePointerEvents)) << "read once";
    EXPECT_FALSE(HAL_isQuirkEnabled(1)) << "no such quirk";
    bool found = true;
    EXPECT_TRUE(intList("WHERE", 16, &found).empty());
    EXPECT_FALSE(found) << "no sub-property and no device default";
    char16_t text[4] = {u'x', u'x', u'x', u'x'};
    EXPECT_FALSE(HAL_getQuirkString(kQuirkIgnoreSomePointerEvents, "WHERE", text, 4));
    EXPECT_EQ(text[0], 0) << "an empty text";
}

TEST(DeviceQuirks, SubPropertiesAreReadAsTextAndAsIntegerLists) {
    HAL_initPropertyLists();
    HAL_addProperty(kSystemPropertyList, kWhere, u"10, 20,,x,-3,7z");
    char16_t text[8];
    std::memset(text, 0x55, sizeof text);
    EXPECT_TRUE(HAL_getQuirkString(kQuirkIgnoreSomePointerEvents, "WHERE", text, 4));
    EXPECT_EQ(std::u16string(text), u"10,") << "at most the capacity, terminator included";
    EXPECT_TRUE(HAL_getQuirkString(kQuirkIgnoreSomePointerEvents, "WHERE", nullptr, 0));

    bool found = false;
    EXPECT_EQ(intList("WHERE", 16, &found), (std::vector<int32_t>{10, 20, 0, -3, 7}));
    EXPECT_TRUE(found);
    EXPECT_EQ(intList("WHERE", 2), (std::vector<int32_t>{10, 20}));
    int32_t count = 5;
    EXPECT_TRUE(HAL_getQuirkIntList(kQuirkIgnoreSomePointerEvents, "WHERE", nullptr, &count));
    EXPECT_EQ(count, 0);
    EXPECT_FALSE(HAL_getQuirkIntList(kQuirkIgnoreSomePointerEvents, "HERE", nullptr, nullptr));

    std::u16string longValue;
    for (int i = 0; i < 20; ++i) longValue += u"1,2,";  // 80 characters: 64 are read
    HAL_addProperty(kSystemPropertyList, kWhere, longValue.c_str());
    EXPECT_EQ(intList("WHERE", 100).size(), 32u);
    int32_t two[2];
    EXPECT_EQ(HAL_parseQuirkIntList(u",,,", two, 2), 0);
}

TEST(DeviceLibraries, TheOpticalMouseAndTheTiltSensorAreAbsent) {
    EXPECT_FALSE(HAL_loadSamsungSdk());
    EXPECT_FALSE(HAL_loadSamsungSdk()) << "the first answer is kept";
    EXPECT_FALSE(HAL_hasOpticalMouse());
    EXPECT_FALSE(HAL_setOpticalMouseMode(1));
    EXPECT_FALSE(HAL_isWheelKeyMessage(38, 0x48));
    EXPECT_FALSE(HAL_loadTiltSensor());
    HAL_closeTiltSensor();  // with nothing open, closing is harmless
}

}  // namespace
