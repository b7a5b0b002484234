#pragma once

// Helpers of the framework tests: managed strings, byte arrays and the text of a thrown
// managed exception.

#include <string>
#include <vector>

#include "lib_src/vm/VMArray.h"
#include "pb_src/j2me/java_lang_String.h"
#include "pb_src/j2me/java_lang_Throwable.h"
#include "tests/vm/TestRuntime.h"

namespace kvtest {

using Bytes = VMArray<int8_t, 1>;

inline VMPtr<java::lang::String> text(const std::string& s) { return java::lang::String::fromUtf8(s.c_str()); }

inline VMPtr<Bytes> bytes(const std::vector<uint8_t>& values) {
    VMPtr<Bytes> array = Bytes::_VM_new(int32_t(values.size()));
    for (size_t i = 0; i < values.size(); ++i) array->elements()[i] = int8_t(values[i]);
    return array;
}

inline std::vector<uint8_t> vec(const VMPtr<Bytes>& array) {
    const auto* first = reinterpret_cast<const uint8_t*>(array->elements());
    return std::vector<uint8_t>(first, first + array->length);
}

// "<class>: <message>" of the managed exception the call throws, "" when it throws none.
template <typename Call> std::string thrown(Call call) {
    try {
        call();
    } catch (java::lang::Throwable* caught) {
        VMPtr<java::lang::Throwable> failure(caught);
        return failure->toString()->toUtf8();
    }
    return "";
}

}  // namespace kvtest
