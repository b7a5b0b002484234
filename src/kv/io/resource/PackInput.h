#pragma once

// Reading helpers shared by the pack readers: exact reads that take a stream's bytes until
// the data ends (a stream may hold more than its available() reports), a fixed ceiling on
// every length read from a pack, streams over bytes in place, and the quoted texts of the
// format's messages.

#include "pb_src/j2me/java_io_DataInputStream.h"
#include "pb_src/j2me/java_lang_String.h"

namespace kv::io::resource {

// The largest data block, entry, chunk body or extension block a pack may declare: a quarter
// of the platform's 64 MiB memory budget. A larger length is malformed and refused before
// anything is allocated.
constexpr int32_t kMaxPackBytes = 16 << 20;

// IOException "Invalid RP length <n>" unless 0 <= length <= kMaxPackBytes.
void checkLength(int64_t length);
// Exactly length bytes of in (checkLength first), EOFException when the data ends before.
// Long reads are gathered in pieces, so a stream that ends early allocates only about what
// it holds, never the length it claims.
VMPtr<VMArray<int8_t, 1>> readExactly(const VMPtr<::java::io::DataInputStream>& in, int32_t length);
// Skips exactly n bytes; IOException for a negative count, EOFException when the data ends.
void skipFully(const VMPtr<::java::io::DataInputStream>& in, int64_t n);
// A DataInputStream over length bytes of data from offset, in place.
VMPtr<::java::io::DataInputStream> byteStream(const VMPtr<VMArray<int8_t, 1>>& data, int32_t offset, int32_t length);
// prefix + text + "'".
VMPtr<::java::lang::String> quoted(const char* prefix, const VMPtr<::java::lang::String>& text);
// The caught exception's text (class name, ": ", message) as a RuntimeException.
[[noreturn]] void throwWrapped(::java::lang::Object* caught);

}  // namespace kv::io::resource
