#include "pb_src/j2me/java_lang_Character.h"

namespace java::lang {

VM_DEFINE_CLASS_WITHOUT_FACTORY(Character, "java.lang.Character", "java.lang.Object", VM_NO_CLINIT)

namespace {

constexpr bool inRange(char16_t ch, char16_t first, char16_t last) { return ch >= first && ch <= last; }

// Upper- and lower-case letters of Latin-1 pair up 0x20 apart, except for the two
// lower-case letters 0xDF and 0xFF, which have no upper-case partner in Latin-1; 0xD7 and
// 0xF7 are the multiplication and division signs.
constexpr bool hasLowerCasePartner(char16_t ch) {
    return inRange(ch, u'A', u'Z') || inRange(ch, 0xC0, 0xD6) || inRange(ch, 0xD8, 0xDE);
}

constexpr bool hasUpperCasePartner(char16_t ch) {
    return inRange(ch, u'a', u'z') || inRange(ch, 0xE0, 0xF6) || inRange(ch, 0xF8, 0xFE);
}

constexpr char16_t kCaseDistance = 0x20;

}  // namespace

bool Character::isLowerCase(char16_t ch) {
    return inRange(ch, u'a', u'z') || inRange(ch, 0xDF, 0xF6) || inRange(ch, 0xF8, 0xFF);
}

bool Character::isUpperCase(char16_t ch) { return hasLowerCasePartner(ch); }

char16_t Character::toLowerCase(char16_t ch) {
    return hasLowerCasePartner(ch) ? char16_t(ch + kCaseDistance) : ch;
}

char16_t Character::toUpperCase(char16_t ch) {
    return hasUpperCasePartner(ch) ? char16_t(ch - kCaseDistance) : ch;
}

}  // namespace java::lang
