#pragma once

// kv::util::FastRandom: a 64-bit xorshift generator (shifts 21, 35, 4) behind the interface
// of java::util::Random. The state is the seed as given and every draw takes exactly one
// step (nextDouble two), so a sequence depends only on the seed. State 0 stays 0.

#include "pb_src/j2me/java_util_Random.h"

namespace kv::util {

class FastRandom : public ::java::util::Random {
    VM_CLASS(FastRandom, ::java::util::Random)

    // Seeded with System.currentTimeMillis.
    VMPtr<FastRandom> _VM_init();

    void setSeed(int64_t seed) override;
    // |nextInt() % n|; IllegalArgumentException for n = 0.
    int32_t nextInt(int32_t n) override;
    int32_t nextInt() override;
    int64_t nextLong() override;
    float nextFloat() override;
    double nextDouble() override;
    // The low numberOfBits bits of one step (1 to 63; 64 gives 0); IllegalArgumentException
    // below 1.
    virtual int64_t nextBits(int32_t numberOfBits);
    // The base class's draw of `bits` bits, served by this generator.
    int32_t next(int32_t bits) override { return int32_t(nextBits(bits)); }

    uint64_t state = 0;
};

}  // namespace kv::util
