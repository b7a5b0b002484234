#include "hal/base/FloatConstants.h"

#include <bit>
#include <cstdint>

namespace {

constexpr uint32_t kFloatMaxBits = 0x7F7FFFFF;
constexpr uint32_t kFloatMinBits = 0x00000001;
constexpr uint32_t kFloatNaNBits = 0x7FC00000;
constexpr uint32_t kFloatInfinityBits = 0x7F800000;

constexpr uint64_t kDoubleMaxBits = 0x7FEFFFFFFFFFFFFF;
constexpr uint64_t kDoubleMinBits = 0x0000000000000001;
constexpr uint64_t kDoubleNaNBits = 0x7FF8000000000000;
constexpr uint64_t kDoubleInfinityBits = 0x7FF0000000000000;

template <typename Value, typename Bits>
void storeBits(Value* out, Bits bits) {
    if (out != nullptr) *out = std::bit_cast<Value>(bits);
}

// Negative infinity is the negation of positive infinity (only the sign bit differs).
template <typename Value, typename Bits>
void storeNegated(Value* out, Bits bits) {
    if (out != nullptr) *out = -std::bit_cast<Value>(bits);
}

}  // namespace

void HAL_getFloatConstants(float* maxValue, float* minValue, float* nan, float* negativeInfinity,
                           float* positiveInfinity) {
    storeBits(maxValue, kFloatMaxBits);
    storeBits(minValue, kFloatMinBits);
    storeBits(nan, kFloatNaNBits);
    storeNegated(negativeInfinity, kFloatInfinityBits);
    storeBits(positiveInfinity, kFloatInfinityBits);
}

void HAL_getDoubleConstants(double* maxValue, double* minValue, double* nan, double* negativeInfinity,
                            double* positiveInfinity) {
    storeBits(maxValue, kDoubleMaxBits);
    storeBits(minValue, kDoubleMinBits);
    storeBits(nan, kDoubleNaNBits);
    storeNegated(negativeInfinity, kDoubleInfinityBits);
    storeBits(positiveInfinity, kDoubleInfinityBits);
}
