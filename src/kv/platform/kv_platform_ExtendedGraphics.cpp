#include "src/kv/platform/kv_platform_ExtendedGraphics.h"

namespace kv::platform {

VM_DEFINE_CLASS(ExtendedGraphics, "kv.platform.ExtendedGraphics", "java.lang.Object", VM_NO_CLINIT)
VM_IMPLEMENTS(ExtendedGraphics, "kv.platform.PlatformExtension")

template <typename Draw> void ExtendedGraphics::withAlpha(Graphics* g, int32_t alpha, Draw draw) {
    int32_t previous = g->getAlpha();
    if (previous == alpha) {
        draw();
        return;
    }
    g->setAlpha(alpha);
    draw();
    g->setAlpha(previous);
}

void ExtendedGraphics::fillGradient(VMPtr<Graphics> g, int32_t x, int32_t y, int32_t w, int32_t h, int32_t color1,
                                    int32_t color2, bool vertical) {
    g->fillGradient(x, y, w, h, int32_t(uint32_t(color1) | 0xFF000000u), int32_t(uint32_t(color2) | 0xFF000000u),
                    vertical);
}

void ExtendedGraphics::fillTriangle(VMPtr<Graphics> g, int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t x3,
                                    int32_t y3, int32_t alpha) {
    withAlpha(g.get(), alpha, [&] { g->fillTriangle(x1, y1, x2, y2, x3, y3); });
}

void ExtendedGraphics::fillRect(VMPtr<Graphics> g, int32_t x, int32_t y, int32_t w, int32_t h, int32_t alpha) {
    withAlpha(g.get(), alpha, [&] { g->fillRect(x, y, w, h); });
}

void ExtendedGraphics::applyExtension(VMPtr<Graphics> g, int32_t a, int32_t b, int32_t c, int32_t d, int32_t e) {
    g->applyExtension(a, b, c, d, e);
}

}  // namespace kv::platform
