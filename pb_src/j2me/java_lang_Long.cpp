#include "pb_src/j2me/java_lang_Long.h"

#include "pb_src/j2me/java_lang_Character.h"
#include "pb_src/j2me/java_lang_Integer.h"

namespace java::lang {

VM_DEFINE_CLASS_WITHOUT_FACTORY(Long, "java.lang.Long", "java.lang.Object", VM_NO_CLINIT)

// Works on the negative magnitude, which holds every value including the smallest.
char16_t* Long::writeText(int64_t l, int32_t radix, char16_t* end) {
    const bool negative = l < 0;
    char16_t* position = Integer::writeMagnitude(negative ? l : -l, radix, end);
    if (negative) *--position = u'-';
    return position;
}

VMPtr<String> Long::toString(int64_t l, int32_t radix) {
    if (radix < Character::MIN_RADIX || radix > Character::MAX_RADIX) radix = 10;
    char16_t text[kMaxChars];
    char16_t* const end = text + kMaxChars;
    const char16_t* begin = writeText(l, radix, end);
    VMPtr<String> result = String::_VM_new();
    return result->_VM_init(begin, int32_t(end - begin));
}

}  // namespace java::lang
