#include "pb_src/j2me/java_util_Random.h"

#include "lib_src/vm/VMException.h"
#include "lib_src/vm/VMLiterals.h"
#include "pb_src/j2me/java_lang_IllegalArgumentException.h"
#include "pb_src/j2me/java_lang_System.h"

namespace java::util {

VM_DEFINE_CLASS(Random, "java.util.Random", "java.lang.Object", VM_NO_CLINIT)

VMPtr<Random> Random::_VM_init() { return _VM_init(java::lang::System::currentTimeMillis()); }

VMPtr<Random> Random::_VM_init(int64_t initialSeed) {
    Object::_VM_init();
    setSeed(initialSeed);
    return this;
}

void Random::setSeed(int64_t s) { seed = int64_t((uint64_t(s) ^ kMultiplier) & kMask); }

int32_t Random::next(int32_t bits) {
    // Unsigned arithmetic: the product wraps modulo 2^64 before the mask keeps 48 bits.
    const uint64_t advanced = (uint64_t(seed) * kMultiplier + kAddend) & kMask;
    seed = int64_t(advanced);
    // The seed is shifted first and then cut to 32 bits, so the result holds the seed's
    // top `bits` bits.
    return int32_t(uint32_t(advanced >> (uint32_t(48 - bits) & 63)));
}

int32_t Random::nextInt() { return next(32); }

int32_t Random::nextInt(int32_t n) {
    if (n <= 0) vm::throwNew<java::lang::IllegalArgumentException>(VMPtr<java::lang::String>::fromLiteral("n must be positive"));
    if ((n & -n) == n) return int32_t((int64_t(n) * int64_t(next(31))) >> 31);
    int32_t bits;
    int32_t val;
    do {
        bits = next(31);
        val = bits % n;
        // A draw from the incomplete last span of n values would favour small results: the
        // sum wraps negative exactly then, and the draw is repeated.
    } while (int32_t(uint32_t(bits) - uint32_t(val) + uint32_t(n - 1)) < 0);
    return val;
}

int64_t Random::nextLong() {
    const int32_t first = next(32);
    const int32_t second = next(32);
    // first * 2^32 plus the sign-extended second, wrapping as Java's long arithmetic does.
    return int64_t((uint64_t(int64_t(first)) << 32) + uint64_t(int64_t(second)));
}

float Random::nextFloat() { return float(next(24)) * 0x1.0p-24f; }

double Random::nextDouble() {
    const int32_t first = next(26);
    const int32_t second = next(27);
    const int64_t combined = int64_t((uint64_t(int64_t(first)) << 27) + uint64_t(int64_t(second)));
    return double(combined) * 0x1.0p-53;
}

}  // namespace java::util
