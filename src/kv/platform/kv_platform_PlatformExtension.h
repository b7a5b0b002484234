#pragma once

// kv::platform::PlatformExtension: four extra drawing operations on a Graphics.

#include "pb_src/j2me/javax_microedition_lcdui_Graphics.h"

namespace kv::platform {

class PlatformExtension : public virtual ::java::lang::Object {
    VM_INTERFACE(PlatformExtension)
    using Graphics = ::javax::microedition::lcdui::Graphics;

    // A gradient between two colours, both drawn opaque.
    virtual void fillGradient(VMPtr<Graphics> g, int32_t x, int32_t y, int32_t w, int32_t h, int32_t color1,
                              int32_t color2, bool vertical) = 0;
    // A triangle drawn with the given alpha; g's alpha is restored afterwards.
    virtual void fillTriangle(VMPtr<Graphics> g, int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t x3, int32_t y3,
                              int32_t alpha) = 0;
    // A rectangle drawn with the given alpha; g's alpha is restored afterwards.
    virtual void fillRect(VMPtr<Graphics> g, int32_t x, int32_t y, int32_t w, int32_t h, int32_t alpha) = 0;
    // Hands the five values to g's platform extension hook.
    virtual void applyExtension(VMPtr<Graphics> g, int32_t a, int32_t b, int32_t c, int32_t d, int32_t e) = 0;
};

}  // namespace kv::platform
