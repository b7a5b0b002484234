#include "src/kv/graphics/kv_graphics_Rect.h"

namespace kv::graphics {

VM_DEFINE_CLASS(Rect, "kv.graphics.Rect", "kv.graphics.CollisionBox", VM_NO_CLINIT)

}  // namespace kv::graphics
