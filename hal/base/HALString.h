#pragma once

#include <cstdint>

// The platform layer's own text: a reference-counted, zero-terminated UTF-16 buffer with a
// length. A string made from null has no characters and length 0. Strings are created
// with `new` at count 1 and end with `release()` when the count drops below 1.
class HALString {
public:
    explicit HALString(const char16_t* text);
    HALString(const char16_t* characters, uint32_t length);
    HALString(const HALString& other);
    HALString(const HALString* source, uint32_t begin, uint32_t end);
    HALString& operator=(const HALString&) = delete;

    // Callers pass 0 <= begin <= end <= length().
    HALString* substring(uint32_t begin, uint32_t end) const;

    uint32_t length() const { return characters_ ? length_ : 0; }
    const char16_t* chars() const { return characters_; }
    char16_t charAt(int32_t index) const;
    int32_t indexOf(char16_t character) const { return indexOf(character, 0); }
    int32_t indexOf(char16_t character, int32_t from) const;
    int32_t lastIndexOf(char16_t character) const;
    // 1 when the texts are equal (both without characters counts as equal), else 0.
    int equals(const HALString* other) const;

    void append(const char16_t* text);
    void append(const HALString* other);
    // Copies length() units, without terminator; 1, or 0 without characters or buffer.
    int getChars(char16_t* buffer) const;

    void addRef() { ++referenceCount_; }
    void release();
    void freeChars();

    int32_t referenceCount() const { return referenceCount_; }

private:
    ~HALString();
    void assign(const char16_t* characters, uint32_t length);
    void appendUnits(const char16_t* units, uint32_t count);

    int32_t referenceCount_ = 1;
    char16_t* characters_ = nullptr;
    uint32_t length_ = 0;
};

// Releases the string; 2 on null, else 0.
int HAL_deleteString(HALString* string);
// 2 when an argument is null, else 0 with the length.
int HAL_getStringLength(HALString* string, uint32_t* length);
// 2 when an argument is null or the string has no characters, else 0 with the units copied.
int HAL_getStringCharacters(HALString* string, char16_t* buffer);
