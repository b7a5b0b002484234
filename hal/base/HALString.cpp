#include "hal/base/HALString.h"

#include <cstring>

#include "hal/base/FatalError.h"
#include "hal/base/HALResult.h"
#include "hal/base/Memory.h"

namespace {

uint32_t unitCount(const char16_t* text) {
    uint32_t count = 0;
    while (text[count] != 0) ++count;
    return count;
}

char16_t* allocateUnits(uint64_t count) {
    void* block = count < (UINT32_MAX / 2) ? HAL_malloc(size_t(count) * sizeof(char16_t)) : nullptr;
    if (block == nullptr) HAL_fatalError("HALString: out of memory.");
    return static_cast<char16_t*>(block);
}

}  // namespace

HALString::HALString(const char16_t* text) {
    if (text) assign(text, unitCount(text));
}

HALString::HALString(const char16_t* characters, uint32_t length) {
    if (characters) assign(characters, length);
}

HALString::HALString(const HALString& other) : HALString(other.characters_, other.length()) {}

HALString::HALString(const HALString* source, uint32_t begin, uint32_t end) {
    if (source && source->characters_) assign(source->characters_ + begin, end - begin);
}

HALString::~HALString() { freeChars(); }

void HALString::assign(const char16_t* characters, uint32_t length) {
    characters_ = allocateUnits(uint64_t(length) + 1);
    std::memcpy(characters_, characters, size_t(length) * sizeof(char16_t));
    characters_[length] = 0;
    length_ = length;
}

HALString* HALString::substring(uint32_t begin, uint32_t end) const {
    return new HALString(this, begin, end);
}

char16_t HALString::charAt(int32_t index) const {
    if (characters_ == nullptr || index < 0 || uint32_t(index) >= length_) return 0;
    return characters_[index];
}

int32_t HALString::indexOf(char16_t character, int32_t from) const {
    if (characters_ == nullptr) return -1;
    for (int64_t i = from < 0 ? 0 : from; i < int64_t(length_); ++i)
        if (characters_[i] == character) return int32_t(i);
    return -1;
}

int32_t HALString::lastIndexOf(char16_t character) const {
    for (int64_t i = int64_t(length()) - 1; i >= 0; --i)
        if (characters_[i] == character) return int32_t(i);
    return -1;
}

int HALString::equals(const HALString* other) const {
    if (other == nullptr) return 0;
    if (characters_ == nullptr || other->characters_ == nullptr)
        return characters_ == nullptr && other->characters_ == nullptr;
    if (other == this || other->characters_ == characters_) return 1;
    return length_ == other->length_ &&
           std::memcmp(characters_, other->characters_, size_t(length_) * sizeof(char16_t)) == 0;
}

void HALString::appendUnits(const char16_t* units, uint32_t count) {
    if (count == 0) return;
    const uint32_t oldLength = length();
    char16_t* combined = allocateUnits(uint64_t(oldLength) + count + 1);
    if (oldLength) std::memcpy(combined, characters_, size_t(oldLength) * sizeof(char16_t));
    std::memcpy(combined + oldLength, units, size_t(count) * sizeof(char16_t));
    combined[oldLength + count] = 0;
    freeChars();
    characters_ = combined;
    length_ = oldLength + count;
}

void HALString::append(const char16_t* text) {
    if (text) appendUnits(text, unitCount(text));
}

void HALString::append(const HALString* other) {
    if (other == nullptr || other->characters_ == nullptr) return;
    if (other != this) return appendUnits(other->characters_, other->length_);
    HALString copy(*this);  // appending a string to itself reads the buffer it replaces
    appendUnits(copy.characters_, copy.length_);
}

int HALString::getChars(char16_t* buffer) const {
    if (characters_ == nullptr || buffer == nullptr) return 0;
    std::memcpy(buffer, characters_, size_t(length_) * sizeof(char16_t));
    return 1;
}

void HALString::release() {
    if (--referenceCount_ < 1) delete this;
}

void HALString::freeChars() {
    HAL_free(characters_);
    characters_ = nullptr;
    length_ = 0;
}

int HAL_deleteString(HALString* string) {
    if (string == nullptr) return HAL_BAD_ARGUMENT;
    string->release();
    return HAL_OK;
}

int HAL_getStringLength(HALString* string, uint32_t* length) {
    if (string == nullptr || length == nullptr) return HAL_BAD_ARGUMENT;
    *length = string->length();
    return HAL_OK;
}

int HAL_getStringCharacters(HALString* string, char16_t* buffer) {
    if (string == nullptr || buffer == nullptr || string->chars() == nullptr) return HAL_BAD_ARGUMENT;
    string->getChars(buffer);
    return HAL_OK;
}
