#pragma once

// Text between UTF-16 units and (modified) UTF-8 bytes.
//
// Each UTF-16 unit is converted on its own: one byte below U+0080, two below U+0800, else
// three (a surrogate pair becomes two three-byte sequences). Modified UTF-8 writes U+0000
// as C0 80. Decoding accepts overlong forms; a truncated sequence or a bad continuation
// byte decodes to U+0080 and leaves the well-formed flag set; a byte that cannot start a
// character (continuation bytes, F0-FF) clears it and ends decoding. Nothing throws.

#include <cstdint>

// Bytes the units need.
int32_t _VM_utf8Length(const char16_t* units, int32_t count, bool zeroAsTwoBytes);

// Encodes one unit at *cursor if it fits in `remaining` bytes; returns the bytes left (a
// negative value when the unit did not fit, then nothing is written).
int32_t _VM_utf8EncodeChar(char16_t unit, int32_t remaining, uint8_t** cursor, bool zeroAsTwoBytes);
// Decodes one character at *cursor, consuming from *remaining.
char16_t _VM_utf8DecodeChar(int32_t* remaining, const uint8_t** cursor, bool* wellFormed);

// Encodes units in order until one does not fit; returns the number of units encoded and
// sets *capacity to the bytes written (the terminator, when asked for, not counted).
int32_t _VM_utf16ToUtf8(uint8_t* out, int32_t* capacity, const char16_t* units, int32_t count,
                        bool zeroAsTwoBytes, bool terminate);
// Characters the bytes decode to, judged by lead bytes only.
int32_t _VM_utf8CharCount(const uint8_t* bytes, int32_t count, bool* wellFormed);
// Decodes into out (at most *capacity units); returns the bytes consumed and sets
// *capacity to the units stored.
int32_t _VM_utf8ToUtf16(char16_t* out, int32_t* capacity, const uint8_t* bytes, int32_t count, bool* wellFormed);
// True when the bytes decode to exactly the given units.
bool _VM_utf8EqualsUtf16(const uint8_t* bytes, int32_t byteCount, const char16_t* units, int32_t unitCount);
