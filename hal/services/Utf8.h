#pragma once

// Text between the UTF-8 of files, file names and the system's own texts and the UTF-16
// units the platform layer hands to the runtime.
//
// Decoding takes well-formed UTF-8 (characters above U+FFFF become surrogate pairs); each
// byte that does not begin a well-formed sequence (a stray continuation byte, an overlong
// form, an encoded surrogate, a value above U+10FFFF, a sequence cut short) becomes one
// U+FFFD. Encoding joins surrogate pairs into one four-byte character; a surrogate without
// its partner becomes U+FFFD.

#include <cstddef>
#include <string>

std::u16string HAL_utf8ToUtf16(const char* bytes, size_t size);
std::string HAL_utf16ToUtf8(const char16_t* units, size_t count);
