#pragma once

// java::lang::System: class-wide services of the runtime: the array copy, the system
// properties and the console print stream (out and err are one and the same stream).

#include "lib_src/vm/VMArray.h"

namespace java::io {
class PrintStream;
}

namespace java::lang {

class System : public virtual Object {
    VM_CLASS(System, Object)
    // System has no instances, hence no constructor body and no reflective factory.
    VMPtr<System> _VM_init() = delete;

    // Copies length elements of the array src from srcPos into the array dst from dstPos,
    // as if through a temporary when both are the same array. Everything is checked before
    // anything is copied: NullPointerException for a null array; ArrayStoreException for
    // an argument that is not an array or for element types that cannot match;
    // ArrayIndexOutOfBoundsException for a negative position or length or a range beyond
    // either array. Between reference arrays of different element classes, an element
    // that dst cannot hold throws ArrayStoreException with the elements before it copied.
    static void arraycopy(VMPtr<Object> src, int32_t srcPos, VMPtr<Object> dst, int32_t dstPos, int32_t length);

    static int64_t currentTimeMillis();
    static void gc();
    // The value of a system property, or null: the runtime's built-in properties first
    // (SystemProperties), then the platform's system property list. NullPointerException "key
    // can't be null" for a null key, IllegalArgumentException "key can't be empty" for "".
    static VMPtr<String> getProperty(VMPtr<String> key);

    // Makes the console print stream.
    static void _VM_clinit();
    static VMPtr<::java::io::PrintStream> out;
    static VMPtr<::java::io::PrintStream> err;
};

}  // namespace java::lang
