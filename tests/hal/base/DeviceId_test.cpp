#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "hal/base/DeviceId.h"
#include "hal/base/Sha1.h"

namespace {

std::string hex(const uint8_t* bytes, size_t count) {
    static const char digits[] = "0123456789abcdef";
    std::string text;
    for (size_t i = 0; i < count; ++i) text += {digits[bytes[i] >> 4], digits[bytes[i] & 15]};
    return text;
}

std::string sha1Hex(const std::string& text) {
    const auto digest = sha1Digest(reinterpret_cast<const uint8_t*>(text.data()), text.size());
    return hex(digest.data(), digest.size());
}

TEST(DeviceId, Sha1MatchesTheStandardVectors) {
    EXPECT_EQ(sha1Hex(""), "da39a3ee5e6b4b0d3255bfef95601890afd80709");
    EXPECT_EQ(sha1Hex("abc"), "a9993e364706816aba3e25717850c26c9cd0d89d");
    EXPECT_EQ(sha1Hex("abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq"),
              "84983e441c3bd26ebaae4aa1f95129e5e54670f1");
    EXPECT_EQ(sha1Hex(std::string(1000000, 'a')), "34aa973cd4c4daa4f61eeb2bdbad27316534016f");
}

TEST(DeviceId, AShortBufferGetsTheLeadingDigitsOnly) {
    const uint8_t id[] = {0xAB, 0x01, 0xF7, 0x42};
    char16_t buffer[8] = {};
    uint32_t length = 5;
    ASSERT_EQ(HAL_formatDeviceId(id, sizeof id, buffer, &length), 0);
    EXPECT_EQ(length, 5u);
    EXPECT_EQ(std::u16string(buffer, 5), u"ab01f");
    EXPECT_EQ(buffer[5], 0) << "nothing is written beyond the given length";

    length = 100;
    ASSERT_EQ(HAL_formatDeviceId(id, sizeof id, buffer, &length), 0);
    EXPECT_EQ(length, 8u);
    EXPECT_EQ(std::u16string(buffer, 8), u"ab01f742");
}

TEST(DeviceId, MissingArgumentsAreRefused) {
    char16_t buffer[4];
    uint32_t length = 4;
    EXPECT_EQ(HAL_getDeviceUniqueId(nullptr, &length), 2);
    EXPECT_EQ(HAL_getDeviceUniqueId(buffer, nullptr), 2);
}

TEST(DeviceId, TheIdIsStableAndDoesNotRevealTheMachineId) {
    uint8_t a[20], b[20], other[20];
    const char machine[] = "0123456789abcdef0123456789abcdef";
    HAL_deriveDeviceId(machine, 32, a);
    HAL_deriveDeviceId(machine, 32, b);
    HAL_deriveDeviceId("ffffffffffffffffffffffffffffffff", 32, other);
    EXPECT_EQ(hex(a, 20), hex(b, 20));
    EXPECT_NE(hex(a, 20), hex(other, 20));
    EXPECT_EQ(hex(a, 20).find(machine), std::string::npos);

    char16_t buffer[40];
    uint32_t length = 40;
    const int result = HAL_getDeviceUniqueId(buffer, &length);
    if (result == 0) EXPECT_EQ(length, 40u);
    else EXPECT_EQ(result, 1) << "a machine without an id reports 'not implemented'";
}

}  // namespace
