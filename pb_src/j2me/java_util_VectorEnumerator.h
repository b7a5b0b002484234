#pragma once

// java::util::VectorEnumerator: the enumerator Vector.elements hands out. It reads the
// vector's count and storage at every call, so it sees elements added or removed while it
// walks, and never fails because the vector changed.

#include "pb_src/j2me/java_util_Enumeration.h"
#include "pb_src/j2me/java_util_Vector.h"

namespace java::util {

class VectorEnumerator : public virtual ::java::lang::Object, public virtual Enumeration {
    VM_CLASS(VectorEnumerator, ::java::lang::Object)

    // NullPointerException for a null vector.
    VMPtr<VectorEnumerator> _VM_init(VMPtr<Vector> v);

    // Reads the count without the vector's monitor.
    bool hasMoreElements() override;
    // Under the vector's monitor; NoSuchElementException "VectorEnumerator" past the end.
    VMPtr<::java::lang::Object> nextElement() override;
    void _VM_mark(uint32_t flags) override { vmMarkField(vector, flags); }

    VMPtr<Vector> vector{vmField()};
    int32_t index = 0;
};

}  // namespace java::util
