#include "src/kv/kv_Gob.h"

#include <algorithm>

#include "lib_src/vm/VMException.h"
#include "pb_src/j2me/java_lang_ArrayIndexOutOfBoundsException.h"

namespace kv {

VM_DEFINE_CLASS(Gob, "kv.Gob", "kv.Paintable", VM_NO_CLINIT)

namespace {

constexpr int32_t kRecordInts = 5;

void requireLength(const VMPtr<VMArray<int32_t, 1>>& array, int64_t length) {
    if (length > array->length) vm::throwNew<java::lang::ArrayIndexOutOfBoundsException>(int32_t(std::min<int64_t>(length, INT32_MAX)));
}

}  // namespace

bool Gob::collideLists(int32_t n, VMPtr<IntArray> a, int32_t m, VMPtr<IntArray> b, VMPtr<IntArray> out) {
    requireLength(a, int64_t(n) * kRecordInts);
    requireLength(b, int64_t(m) * kRecordInts);
    if (out) requireLength(out, 6);
    bool hit = false;
    for (int32_t i = 0; i < n; ++i) {
        const int32_t* r = a->elements() + i * kRecordInts;
        for (int32_t j = 0; j < m; ++j) {
            const int32_t* s = b->elements() + j * kRecordInts;
            if (!overlaps(r[0], r[1], r[2], r[3], s[0], s[1], s[2], s[3])) continue;
            hit = true;
            if (!out) continue;
            int32_t* o = out->elements();
            o[0] = std::max(r[0], s[0]);
            o[1] = std::max(r[1], s[1]);
            o[2] = std::min(r[0] + r[2], s[0] + s[2]) - o[0];
            o[3] = std::min(r[1] + r[3], s[1] + s[3]) - o[1];
            o[4] = r[4];
            o[5] = s[4];
            return true;
        }
    }
    return hit;
}

}  // namespace kv
