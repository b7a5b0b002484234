#pragma once

// Small helpers the class-library tests share: managed strings, byte arrays and boxed
// numbers from literals, an object's text, and the message of the exception a call throws.

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <vector>

#include "pb_src/j2me/java_lang_Integer.h"
#include "pb_src/j2me/java_lang_String.h"
#include "tests/vm/TestRuntime.h"

namespace classlib {

using ByteArray = VMArray<int8_t, 1>;

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

}  // namespace classlib
