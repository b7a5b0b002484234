#pragma once

// kv::Gob: a graphic object. This first slice holds the pairwise test of two lists of
// rectangle records (x, y, width, height, type: five ints each); the record counts are
// checked against the arrays, and an out array must hold six ints.

#include "lib_src/vm/VMArray.h"
#include "src/kv/kv_Paintable.h"

namespace kv {

class Gob : public Paintable {
    VM_CLASS(Gob, Paintable)
    using IntArray = VMArray<int32_t, 1>;

    VMPtr<Gob> _VM_init() {
        Paintable::_VM_init();
        return this;
    }

    // Whether any record of a overlaps any record of b (j running fastest). With out, the
    // first overlapping pair ends the search and out receives the intersection (x, y, width,
    // height) and the two records' types. ArrayIndexOutOfBoundsException when n or m records
    // do not fit their array or out is shorter than six.
    static bool collideLists(int32_t n, VMPtr<IntArray> a, int32_t m, VMPtr<IntArray> b, VMPtr<IntArray> out);
};

}  // namespace kv
