#pragma once

// 32-bit two's complement arithmetic that wraps at the limits, as the framework's integer
// geometry is defined: coordinates, offsets and edges never overflow into undefined
// behaviour; a sum past INT32_MAX comes out negative.

#include <cstdint>

namespace kv {

constexpr int32_t wrapAdd(int32_t a, int32_t b) { return int32_t(uint32_t(a) + uint32_t(b)); }
constexpr int32_t wrapSub(int32_t a, int32_t b) { return int32_t(uint32_t(a) - uint32_t(b)); }
constexpr int32_t wrapNeg(int32_t a) { return int32_t(0u - uint32_t(a)); }

}  // namespace kv
