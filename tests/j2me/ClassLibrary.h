#pragma once

// What the class-library tests share: the headers most of them use, managed strings, byte
// arrays and boxed numbers from literals, an object's text, and a thrown exception's message.

#include <gtest/gtest.h>

#include <climits>
#include <cstdlib>
#include <ctime>
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

#include "lib_src/vm/VM.h"
#include "lib_src/vm/VMLiterals.h"
#include "pb_src/j2me/java_io_IOException.h"
#include "pb_src/j2me/java_lang_ArrayIndexOutOfBoundsException.h"
#include "pb_src/j2me/java_lang_Class.h"
#include "pb_src/j2me/java_lang_IllegalArgumentException.h"
#include "pb_src/j2me/java_lang_IndexOutOfBoundsException.h"
#include "pb_src/j2me/java_lang_Integer.h"
#include "pb_src/j2me/java_lang_NullPointerException.h"
#include "pb_src/j2me/java_lang_RuntimeException.h"
#include "pb_src/j2me/java_lang_String.h"
#include "pb_src/j2me/java_lang_System.h"
#include "tests/vm/TestRuntime.h"

namespace classlib {

using ByteArray = VMArray<int8_t, 1>;

// Boots with the machine's zone given as POSIX TZ text ("NPT-05:45" is 5:45 east of UTC).
inline void bootInZone(const char* tz) {
    setenv("TZ", tz, 1);
    tzset();
    testRuntime();
}

inline VMPtr<java::lang::String> text(const char* utf8) { return java::lang::String::fromUtf8(utf8); }

inline VMPtr<ByteArray> bytesOf(std::initializer_list<int> values) {
    VMPtr<ByteArray> array = ByteArray::_VM_new(int32_t(values.size()));
    int32_t i = 0;
    for (int v : values) array->at(i++) = int8_t(v);
    return array;
}

inline std::vector<uint8_t> contentsOf(const VMPtr<ByteArray>& array) {
    const auto* data = reinterpret_cast<const uint8_t*>(array->elements());
    return std::vector<uint8_t>(data, data + array->length);
}

inline VMPtr<java::lang::Object> number(int32_t n) {
    VMPtr<java::lang::Integer> boxed = java::lang::Integer::_VM_new();
    return boxed->_VM_init(n);
}

// The object's text, "<null>" for null.
inline std::string show(const VMPtr<java::lang::Object>& o) { return o ? o->toString()->toUtf8() : "<null>"; }

using ::messageOf;

// The class and message of the managed exception call throws, or "" when it returns.
template <typename Call> std::string failureOf(Call call) {
    try {
        call();
    } catch (java::lang::Throwable* caught) {
        VMPtr<java::lang::Throwable> held(caught);
        return caught->toString()->toUtf8();
    }
    return "";
}

}  // namespace classlib
