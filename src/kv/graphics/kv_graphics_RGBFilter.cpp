#include "src/kv/graphics/kv_graphics_RGBFilter.h"

namespace kv::graphics {

VM_DEFINE_ABSTRACT_CLASS(RGBFilter, "kv.graphics.RGBFilter", "java.lang.Object", VM_NO_CLINIT)

void RGBFilter::apply(VMPtr<RGBFilter> filter, VMPtr<IntArray> argb) {
    int32_t* pixels = argb->elements();
    for (int32_t i = argb->length - 1; i >= 0; --i)
        if (pixels[i] != kColourKey) pixels[i] = filter->filter(pixels[i]);
}

}  // namespace kv::graphics
