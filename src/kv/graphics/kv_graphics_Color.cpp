#include "src/kv/graphics/kv_graphics_Color.h"

namespace kv::graphics {

VM_DEFINE_CLASS(Color, "kv.graphics.Color", "java.lang.Object", VM_NO_CLINIT)

}  // namespace kv::graphics
