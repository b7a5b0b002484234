#include "hal/base/Sha1.h"

#include <vector>

namespace {

uint32_t rotateLeft(uint32_t value, int bits) { return (value << bits) | (value >> (32 - bits)); }

void compressBlock(uint32_t state[5], const uint8_t* block) {
    uint32_t w[80];
    for (int i = 0; i < 16; ++i)
        w[i] = uint32_t(block[4 * i]) << 24 | uint32_t(block[4 * i + 1]) << 16 |
               uint32_t(block[4 * i + 2]) << 8 | uint32_t(block[4 * i + 3]);
    for (int i = 16; i < 80; ++i) w[i] = rotateLeft(w[i - 3] ^ w[i - 8] ^ w[i - 14] ^ w[i - 16], 1);

    uint32_t a = state[0], b = state[1], c = state[2], d = state[3], e = state[4];
    for (int i = 0; i < 80; ++i) {
        uint32_t f, k;
        if (i < 20) f = (b & c) | (~b & d), k = 0x5A827999;
        else if (i < 40) f = b ^ c ^ d, k = 0x6ED9EBA1;
        else if (i < 60) f = (b & c) | (b & d) | (c & d), k = 0x8F1BBCDC;
        else f = b ^ c ^ d, k = 0xCA62C1D6;
        const uint32_t next = rotateLeft(a, 5) + f + e + k + w[i];
        e = d, d = c, c = rotateLeft(b, 30), b = a, a = next;
    }
    state[0] += a, state[1] += b, state[2] += c, state[3] += d, state[4] += e;
}

}  // namespace

std::array<uint8_t, 20> sha1Digest(const uint8_t* data, size_t length) {
    // Message, a one bit, zeros to 56 mod 64, then the bit length big-endian.
    std::vector<uint8_t> message(data, data + length);
    message.push_back(0x80);
    while (message.size() % 64 != 56) message.push_back(0);
    const uint64_t bits = uint64_t(length) * 8;
    for (int shift = 56; shift >= 0; shift -= 8) message.push_back(uint8_t(bits >> shift));

    uint32_t state[5] = {0x67452301, 0xEFCDAB89, 0x98BADCFE, 0x10325476, 0xC3D2E1F0};
    for (size_t offset = 0; offset < message.size(); offset += 64) compressBlock(state, &message[offset]);

    std::array<uint8_t, 20> digest{};
    for (int i = 0; i < 20; ++i) digest[i] = uint8_t(state[i / 4] >> (24 - 8 * (i % 4)));
    return digest;
}
