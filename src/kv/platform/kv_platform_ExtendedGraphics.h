#pragma once

// kv::platform::ExtendedGraphics: the platform extension over the profile's Graphics. The
// alpha-taking operations touch g's alpha only when it differs, and always restore it.

#include "src/kv/platform/kv_platform_PlatformExtension.h"

namespace kv::platform {

class ExtendedGraphics : public virtual ::java::lang::Object, public virtual PlatformExtension {
    VM_CLASS(ExtendedGraphics, ::java::lang::Object)

    VMPtr<ExtendedGraphics> _VM_init() {
        Object::_VM_init();
        return this;
    }

    void fillGradient(VMPtr<Graphics> g, int32_t x, int32_t y, int32_t w, int32_t h, int32_t color1, int32_t color2,
                      bool vertical) override;
    void fillTriangle(VMPtr<Graphics> g, int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t x3, int32_t y3,
                      int32_t alpha) override;
    void fillRect(VMPtr<Graphics> g, int32_t x, int32_t y, int32_t w, int32_t h, int32_t alpha) override;
    void applyExtension(VMPtr<Graphics> g, int32_t a, int32_t b, int32_t c, int32_t d, int32_t e) override;

private:
    // Runs draw with g's alpha set to alpha, restoring the previous alpha afterwards.
    template <typename Draw> static void withAlpha(Graphics* g, int32_t alpha, Draw draw);
};

}  // namespace kv::platform
