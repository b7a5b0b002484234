#pragma once

// kv::GobAlphaImage: a gob drawn with a global alpha (0 transparent to 255 opaque) whose
// pixels can be passed through an RGB filter. It shares its source gob's fields and image
// until refiltered; an alpha of 0 or a gob without a picture draws nothing, and g's alpha
// is restored after drawing.

#include "src/kv/kv_Gob.h"

namespace kv {

class GobAlphaImage : public Gob {
    VM_CLASS(GobAlphaImage, Gob)

    // Takes src's fields, image and extras, drawn opaque.
    VMPtr<GobAlphaImage> _VM_init(VMPtr<Gob> src);

    void paint(VMPtr<Graphics> g, int32_t x, int32_t y, int32_t flags) override;
    void paint(VMPtr<Graphics> g) override { paint(g, 0, 0, 0); }
    VMPtr<GobAlphaImage> toAlphaImage() override { return this; }
    bool isAlphaImage() override { return true; }
    void setAlpha(int32_t a) override { alpha = int16_t(a); }
    // Redraws the picture through filter; the gob turns opaque when no pixel stays
    // translucent. A gob without a picture stays as it is.
    void refilter(VMPtr<graphics::RGBFilter> filter) override;
    int32_t getAlpha() override { return alpha; }

    int16_t alpha = 0;

private:
    VMPtr<IntArray> getPixels();
};

}  // namespace kv
