#pragma once

// java::util::Random: the 48-bit linear congruential generator (multiplier 0x5DEECE66D,
// addend 11); generators seeded alike give the same values from every operation. A
// subclass may replace any operation: the others reach next and setSeed only through the
// virtual table, the seeding constructor included. No operation holds a monitor.

#include <cstdint>

#include "lib_src/vm/VMClass.h"

namespace java::util {

class Random : public virtual ::java::lang::Object {
    VM_CLASS(Random, ::java::lang::Object)

    static constexpr uint64_t kMultiplier = 0x5DEECE66DULL;
    static constexpr uint64_t kAddend = 0xBULL;
    static constexpr uint64_t kMask = (uint64_t(1) << 48) - 1;

    // Seeded with System.currentTimeMillis.
    VMPtr<Random> _VM_init();
    // Seeds through setSeed.
    VMPtr<Random> _VM_init(int64_t initialSeed);

    // seed = (s ^ multiplier) & (2^48 - 1): only the low 48 bits of s matter.
    virtual void setSeed(int64_t s);
    // A value in [0, n); IllegalArgumentException "n must be positive" for n <= 0.
    virtual int32_t nextInt(int32_t n);
    virtual int32_t nextInt();
    virtual int64_t nextLong();
    // [0, 1) in steps of 2^-24.
    virtual float nextFloat();
    // [0, 1) in steps of 2^-53.
    virtual double nextDouble();
    // Advances the seed and returns its top `bits` bits (1 to 32) as the low bits of the
    // result. Other counts behave as Java's shift does: the shift 48 - bits is taken modulo
    // 64 and the result is the low 32 bits of the shifted seed.
    virtual int32_t next(int32_t bits);

    // Only the low 48 bits are ever set.
    int64_t seed = 0;
};

}  // namespace java::util
