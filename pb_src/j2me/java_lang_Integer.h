#pragma once

// java::lang::Integer: a boxed 32-bit integer, the text of 32-bit integers in any radix and
// the parsing of that text.

#include <cstdint>

#include "lib_src/vm/VMClass.h"
#include "pb_src/j2me/java_lang_String.h"

namespace java::lang {

class Integer : public virtual Object {
    VM_CLASS(Integer, Object)

    // The digits of every integer-to-text conversion: 0-9, then lower-case letters.
    static constexpr char16_t digits[] = u"0123456789abcdefghijklmnopqrstuvwxyz";

    VMPtr<Integer> _VM_init(int32_t value);

    int32_t hashCode() override { return value; }
    // True for another Integer with the same value.
    bool equals(VMPtr<Object> other) override { return holds(value, other.get()); }
    // Whether other is an Integer of the given value. Integer is final: an object of its
    // class is an Integer as a whole, reached through its most-derived address without a
    // search of the bases. Makes no handle and calls nothing that allocates.
    static bool holds(int32_t value, Object* other) {
        return other != nullptr && other->getClass() == _VM_classRecord &&
               static_cast<Integer*>(dynamic_cast<void*>(other))->value == value;
    }
    // The decimal text of value.
    VMPtr<String> toString() override;

    // Signed text of i; a radix outside 2..36 means 10.
    static VMPtr<String> toString(int32_t i, int32_t radix);
    // Writes the signed text of i in radix (2..36) so that it ends just before end, and
    // returns where it starts; end must have kMaxChars units of room before it.
    static constexpr int32_t kMaxChars = 33;
    static char16_t* writeText(int32_t i, int32_t radix, char16_t* end);
    // The digits of the magnitude of a value <= 0 (so the smallest value fits), written so
    // that they end just before end; returns where they start. The common radixes divide by
    // a constant.
    template <typename Int> static char16_t* writeMagnitude(Int negative, int32_t radix, char16_t* end) {
        switch (radix) {
        case 10: return writeMagnitudeIn<10>(negative, end);
        case 16: return writeMagnitudeIn<16>(negative, end);
        case 2: return writeMagnitudeIn<2>(negative, end);
        case 8: return writeMagnitudeIn<8>(negative, end);
        default: break;
        }
        char16_t* position = end;
        while (negative <= -radix) {
            *--position = digits[-(negative % radix)];
            negative /= radix;
        }
        *--position = digits[-negative];
        return position;
    }
    static VMPtr<String> toHexString(int32_t i);
    // The 32 bits of i as an unsigned number in base 2^shift (shift 1 to 5).
    static VMPtr<String> toUnsignedString(int32_t i, int32_t shift);

    // The value of s, an optional minus sign and at least one digit of radix.
    // NumberFormatException for anything else and for a value outside 32 bits;
    // NullPointerException for null.
    static int32_t parseInt(VMPtr<String> s, int32_t radix);
    static int32_t parseInt(VMPtr<String> s) { return parseInt(s, 10); }

    int32_t value = 0;

private:
    template <int32_t Radix, typename Int> static char16_t* writeMagnitudeIn(Int negative, char16_t* end) {
        char16_t* position = end;
        if constexpr (Radix == 10) {
            // Two digits per division.
            while (negative <= -100) {
                const Int quotient = negative / 100;
                const int32_t pair = int32_t(quotient * 100 - negative);
                *--position = char16_t(u'0' + pair % 10);
                *--position = char16_t(u'0' + pair / 10);
                negative = quotient;
            }
        }
        while (negative <= -Radix) {
            *--position = digits[-(negative % Radix)];
            negative /= Radix;
        }
        *--position = digits[-negative];
        return position;
    }
};

}  // namespace java::lang
