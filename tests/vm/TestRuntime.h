#pragma once

// The runtime for a test, booted once per process, and the message of a managed exception
// a call throws; with the headers most runtime tests use.

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "lib_src/vm/VMClassRegistry.h"
#include "lib_src/vm/VMHeap.h"
#include "lib_src/vm/VMLiterals.h"
#include "lib_src/vm/VMStartup.h"
#include "lib_src/vm/VMThread.h"
#include "pb_src/j2me/java_lang_Class.h"
#include "pb_src/j2me/java_lang_OutOfMemoryError.h"
#include "pb_src/j2me/java_lang_RuntimeException.h"
#include "pb_src/j2me/java_lang_String.h"

// Boots the runtime once per process for a test, without a boot class (start-up result 1
// after every phase up to the first collection): the test thread holds the VM lock and is
// the "System" thread.
inline VM* testRuntime(uint64_t initialLimit = 1 << 20, uint64_t ceiling = 256ull << 20) {
    static VM* vm = [&] {
        vmStartOnThisThread(initialLimit, ceiling, nullptr);
        return VM::instance();
    }();
    return vm;
}

// Runs f, which must throw the managed exception E; returns its message ("<none>" for
// null, "<not thrown>" when f returns).
template <typename E, typename F> std::string messageOf(F f) {
    try {
        f();
    } catch (E* caught) {
        VMPtr<E> e(caught);
        return e->getMessage() ? e->getMessage()->toUtf8() : "<none>";
    }
    return "<not thrown>";
}
