#pragma once

// java::lang::Character: classification, case mapping and digit values of characters,
// covering Latin-1; every character above 0xFF is neither letter nor digit.

#include <cstdint>

#include "lib_src/vm/VMClass.h"

namespace java::lang {

// Static operations only: no allocation and no reflective factory.
class Character : public virtual Object {
    VM_ABSTRACT_CLASS(Character, Object)

    static constexpr int32_t MIN_RADIX = 2;
    static constexpr int32_t MAX_RADIX = 36;

    static bool isDigit(char16_t ch) { return ch >= u'0' && ch <= u'9'; }
    static bool isLowerCase(char16_t ch);
    static bool isUpperCase(char16_t ch);
    static char16_t toLowerCase(char16_t ch);
    static char16_t toUpperCase(char16_t ch);
    // The value of ch as a digit in radix: 0-9 for '0'..'9', 10-35 for the ASCII letters of
    // either case; -1 when ch has no value below radix or radix is outside 2..36.
    // Inline: parsing calls it once a character.
    static int32_t digit(char16_t ch, int32_t radix) {
        if (radix < MIN_RADIX || radix > MAX_RADIX) return -1;
        int32_t value = -1;
        if (isDigit(ch)) value = ch - u'0';
        else if ((ch >= u'A' && ch <= u'Z') || (ch >= u'a' && ch <= u'z')) value = (ch & 0x1F) + 9;  // 'a' and 'A' are 0x?1: value 10
        return value < radix ? value : -1;
    }
};

}  // namespace java::lang
