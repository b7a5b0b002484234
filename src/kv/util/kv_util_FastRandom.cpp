#include "src/kv/util/kv_util_FastRandom.h"

#include "lib_src/vm/VMException.h"
#include "pb_src/j2me/java_lang_IllegalArgumentException.h"
#include "pb_src/j2me/java_lang_System.h"

namespace kv::util {

using java::lang::IllegalArgumentException;
using java::lang::String;

VM_DEFINE_CLASS(FastRandom, "kv.util.FastRandom", "java.util.Random", VM_NO_CLINIT)

VMPtr<FastRandom> FastRandom::_VM_init() {
    Random::_VM_init();
    setSeed(java::lang::System::currentTimeMillis());
    return this;
}

void FastRandom::setSeed(int64_t seed) { state = uint64_t(seed); }

int64_t FastRandom::nextLong() {
    state ^= state << 21;
    state ^= state >> 35;
    state ^= state << 4;
    return int64_t(state);
}

int32_t FastRandom::nextInt() { return int32_t(uint32_t(uint64_t(nextLong()))); }

int32_t FastRandom::nextInt(int32_t n) {
    if (n == 0) vm::throwNew<IllegalArgumentException>(VMPtr<String>::fromLiteral("n must not be 0"));
    const int32_t draw = nextInt();
    // INT32_MIN % -1 traps in C++; its value is 0.
    const int32_t remainder = n == -1 ? 0 : draw % n;
    return remainder < 0 ? -remainder : remainder;
}

int64_t FastRandom::nextBits(int32_t numberOfBits) {
    if (numberOfBits < 1)
        vm::throwNew<IllegalArgumentException>(VMPtr<String>::fromLiteral("FastRandom.nextInt() numberOfBits must be positive"));
    const uint64_t mask = (uint64_t(1) << (uint32_t(numberOfBits) & 63)) - 1;
    return int64_t(uint64_t(nextLong()) & mask);
}

float FastRandom::nextFloat() { return float(nextBits(24)) * 0x1.0p-24f; }

double FastRandom::nextDouble() {
    const int64_t high = nextBits(26);
    const int64_t low = nextBits(27);
    return double((high << 27) + low) * 0x1.0p-53;
}

}  // namespace kv::util
