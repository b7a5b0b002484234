#pragma once

// Reading helpers shared by the pack readers: exact reads whose length is checked against
// the bytes the stream still holds before anything is allocated, streams over bytes in
// place, and the quoted texts of the format's messages.

#include "pb_src/j2me/java_io_DataInputStream.h"
#include "pb_src/j2me/java_lang_String.h"

namespace kv::io::resource {

// Exactly length bytes of in. IOException "Invalid RP length <n>" for a negative length,
// EOFException when the stream holds fewer bytes (nothing is allocated then).
VMPtr<VMArray<int8_t, 1>> readExactly(const VMPtr<::java::io::DataInputStream>& in, int32_t length);
// Throws EOFException unless the stream still holds at least length bytes.
void requireAvailable(const VMPtr<::java::io::DataInputStream>& in, int64_t length);
// Skips exactly n bytes; IOException for a negative count, EOFException when the data ends.
void skipFully(const VMPtr<::java::io::DataInputStream>& in, int64_t n);
// A DataInputStream over length bytes of data from offset, in place.
VMPtr<::java::io::DataInputStream> byteStream(const VMPtr<VMArray<int8_t, 1>>& data, int32_t offset, int32_t length);
// prefix + text + "'".
VMPtr<::java::lang::String> quoted(const char* prefix, const VMPtr<::java::lang::String>& text);
// The caught exception's text (class name, ": ", message) as a RuntimeException.
[[noreturn]] void throwWrapped(::java::lang::Object* caught);

}  // namespace kv::io::resource
