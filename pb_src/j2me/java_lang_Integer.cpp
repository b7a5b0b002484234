#include "pb_src/j2me/java_lang_Integer.h"

#include <limits>

#include "pb_src/j2me/java_lang_Character.h"
#include "pb_src/j2me/java_lang_NullPointerException.h"
#include "pb_src/j2me/java_lang_NumberFormatException.h"

namespace java::lang {

VM_DEFINE_CLASS(Integer, "java.lang.Integer", "java.lang.Object", VM_NO_CLINIT)

namespace {

constexpr int32_t kMinValue = std::numeric_limits<int32_t>::min();
constexpr int32_t kMaxValue = std::numeric_limits<int32_t>::max();

VMPtr<String> textOf(const char16_t* begin, const char16_t* end) {
    VMPtr<String> text = String::_VM_new();
    return text->_VM_init(begin, int32_t(end - begin));
}

[[noreturn]] void throwNumberFormat(VMPtr<String> message) {
    vm::throwNew<NumberFormatException>(message);
}

[[noreturn]] void throwNumberFormat(const char* message) { throwNumberFormat(String::fromUtf8(message)); }

// The digit value of ch; text that holds something else is reported as a whole.
int32_t digitOrThrow(char16_t ch, int32_t radix, const VMPtr<String>& text) {
    const int32_t digit = Character::digit(ch, radix);
    if (digit < 0) throwNumberFormat(text);
    return digit;
}

void checkParseArguments(const VMPtr<String>& s, int32_t radix) {
    if (!s) vm::throwNew<NullPointerException>();
    if (s->length() == 0) throwNumberFormat("empty String");
    if (radix < Character::MIN_RADIX) throwNumberFormat("radix less than Character.MIN_RADIX");
    if (radix > Character::MAX_RADIX) throwNumberFormat("radix greater than Character.MAX_RADIX");
}

}  // namespace

VMPtr<Integer> Integer::_VM_init(int32_t initialValue) {
    value = initialValue;
    return this;
}

VMPtr<String> Integer::toString() { return toString(value, 10); }

// Works on the negative magnitude, which holds every value including the smallest.
char16_t* Integer::writeText(int32_t i, int32_t radix, char16_t* end) {
    const bool negative = i < 0;
    char16_t* position = writeMagnitude(negative ? i : -i, radix, end);
    if (negative) *--position = u'-';
    return position;
}

VMPtr<String> Integer::toString(int32_t i, int32_t radix) {
    if (radix < Character::MIN_RADIX || radix > Character::MAX_RADIX) radix = 10;
    char16_t text[kMaxChars];
    char16_t* const end = text + kMaxChars;
    return textOf(writeText(i, radix, end), end);
}

VMPtr<String> Integer::toHexString(int32_t i) { return toUnsignedString(i, 4); }

VMPtr<String> Integer::toUnsignedString(int32_t i, int32_t shift) {
    char16_t text[32];
    char16_t* const end = text + 32;
    char16_t* position = end;
    const uint32_t mask = (1u << shift) - 1;
    uint32_t bits = uint32_t(i);
    do {
        *--position = digits[bits & mask];
        bits >>= shift;
    } while (bits != 0);
    return textOf(position, end);
}

// Accumulates the negative of the value, so that the smallest value fits; multmin and
// limit catch the overflow before it happens.
int32_t Integer::parseInt(VMPtr<String> s, int32_t radix) {
    checkParseArguments(s, radix);
    const char16_t* text = s->chars();
    const int32_t length = s->length();
    const bool negative = text[0] == u'-';
    const int32_t limit = negative ? kMinValue : -kMaxValue;
    const int32_t multmin = limit / radix;
    int32_t index = negative ? 1 : 0;
    if (index == length) throwNumberFormat(s);  // a lone minus sign
    int32_t result = -digitOrThrow(text[index++], radix, s);
    for (; index < length; ++index) {
        const int32_t digit = digitOrThrow(text[index], radix, s);
        if (result < multmin) throwNumberFormat(s);
        result *= radix;
        if (result < limit + digit) throwNumberFormat(s);
        result -= digit;
    }
    return negative ? result : -result;
}

}  // namespace java::lang
