#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <sys/utsname.h>

#include "hal/services/DeviceIdentity.h"
#include "hal/services/Utf8.h"

namespace {

std::string utf8(const char16_t* text) { return HAL_utf16ToUtf8(text, std::u16string(text).size()); }

TEST(DeviceIdentity, TheModelTextSelectsTheDeviceIdOnlyWhenItIsEqual) {
    EXPECT_EQ(HAL_deviceIdForModel(u"HTC-P4600"), 4);
    EXPECT_EQ(HAL_deviceIdForModel(u"HTC"), 5);
    for (const char16_t* other : {u"HTC Touch", u"HT", u"htc", u"", static_cast<const char16_t*>(nullptr)})
        EXPECT_EQ(HAL_deviceIdForModel(other), 1);
    EXPECT_EQ(HAL_getDeviceId(), HAL_deviceIdForModel(HAL_getDeviceModel()));
}

TEST(DeviceIdentity, TheTextsComeFromTheSystem) {
    utsname names;
    ASSERT_EQ(uname(&names), 0);
    EXPECT_EQ(utf8(HAL_getDeviceModel()), names.machine);
    EXPECT_EQ(utf8(HAL_getOSArch()), names.machine);
    EXPECT_EQ(utf8(HAL_getOSName()), names.sysname);
    EXPECT_EQ(utf8(HAL_getDeviceName()), std::string(names.nodename).substr(0, kIdentityTextUnits));
    EXPECT_LE(std::u16string(HAL_getDeviceManufacturer()).size(), size_t(kIdentityTextUnits));

    char16_t out[kSystemTextUnits + 1];
    HAL_formatOSVersion("6.1.0-18-amd64", out);
    EXPECT_EQ(std::u16string(out), u"6.1");
    HAL_formatOSVersion("5", out);
    EXPECT_EQ(std::u16string(out), u"5.0");
    HAL_formatOSVersion(std::string(100, 'v').c_str(), out);
    EXPECT_EQ(std::u16string(out), std::u16string(kSystemTextUnits, u'v')) << "not a number: kept, cut to 64";
    // 62 units, then a character that needs a pair: it does not fit in the 63rd unit.
    HAL_identityText((std::string(62, 'a') + "\xF0\x9F\x98\x80").c_str(), out, kIdentityTextUnits);
    EXPECT_EQ(std::u16string(out), std::u16string(62, u'a'));
}

int failingSource(char16_t*, uint32_t*) { return 1; }
int emptySource(char16_t*, uint32_t* count) {
    *count = 0;
    return 0;
}
int shortSource(char16_t* digits, uint32_t* count) {
    std::memcpy(digits, u"ab12", 4 * sizeof(char16_t));
    *count = 4;
    return 0;
}
int greedySource(char16_t* digits, uint32_t* count) {
    for (uint32_t i = 0; i < *count; ++i) digits[i] = u'f';
    *count = 70;  // claims more than the 60 it was offered
    return 0;
}

TEST(DeviceIdentity, TheUniqueIdTextIsThePlatformPrefixAndTheDigits) {
    char16_t buffer[64];
    uint32_t length = 0;
    ASSERT_EQ(HAL_formatUniqueIdText("WindowsMobile", &shortSource, buffer, &length), 0);
    EXPECT_EQ(std::u16string(buffer, length), u"Windab12");
    ASSERT_EQ(HAL_formatUniqueIdText("Ab", &shortSource, buffer, &length), 0);
    EXPECT_EQ(std::u16string(buffer, length), u"Ab__ab12") << "a short name is padded with '_'";
    ASSERT_EQ(HAL_formatUniqueIdText("WindowsMobile", &greedySource, buffer, &length), 0);
    EXPECT_EQ(length, 64u);
    EXPECT_EQ(HAL_formatUniqueIdText("WindowsMobile", &failingSource, buffer, &length), 1);
    EXPECT_EQ(HAL_formatUniqueIdText("WindowsMobile", &emptySource, buffer, &length), 1) << "no digit, no id";
    EXPECT_EQ(length, 0u);

    // This machine may or may not have an id; when it has one it is "Wind" and 40 digits.
    if (HAL_getUniqueIdText(buffer, &length) == 0) {
        EXPECT_EQ(length, 44u);
        EXPECT_EQ(std::u16string(buffer, 4), u"Wind");
    } else {
        EXPECT_EQ(length, 0u);
    }
}

}  // namespace
