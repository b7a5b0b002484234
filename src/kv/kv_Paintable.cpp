#include "src/kv/kv_Paintable.h"

namespace kv {

VM_DEFINE_ABSTRACT_CLASS(Paintable, "kv.Paintable", "java.lang.Object", VM_NO_CLINIT)

bool Paintable::overlaps(int32_t x1, int32_t y1, int32_t w1, int32_t h1, int32_t x2, int32_t y2, int32_t w2, int32_t h2) {
    if (w1 < 1 || h1 < 1 || w2 < 1 || h2 < 1) return false;
    return int64_t(x2) + w2 > x1 && int64_t(y2) + h2 > y1 && int64_t(x1) + w1 > x2 && int64_t(y1) + h1 > y2;
}

}  // namespace kv
