#include "src/kv/kv_GobAlphaImage.h"

#include "src/kv/kv_KvCanvas.h"
#include "src/kv/WrappingArithmetic.h"

namespace kv {

VM_DEFINE_CLASS_WITHOUT_FACTORY(GobAlphaImage, "kv.GobAlphaImage", "kv.Gob", VM_NO_CLINIT)

VMPtr<GobAlphaImage> GobAlphaImage::_VM_init(VMPtr<Gob> src) {
    Gob::_VM_init();
    alpha = 255;
    src->copyFieldsTo(this);
    src->copyImageTo(this);
    src->copyExtraTo(this);
    return this;
}

void GobAlphaImage::paint(VMPtr<Graphics> g, int32_t x, int32_t y, int32_t flags) {
    if (alpha == 0 || width < 1 || height < 1) return;
    int32_t left = wrapAdd(x, getX(flags)), top = wrapAdd(y, getY(flags)), transform = flags | (alphaType << 8);
    int32_t previous = g->getAlpha();
    if (previous != alpha) g->setAlpha(alpha);
    g->drawRegion(image, 0, 0, width, height, transform, left, top, 20);
    if (previous != alpha) g->setAlpha(previous);
}

VMPtr<Gob::IntArray> GobAlphaImage::getPixels() {
    VMPtr<IntArray> pixels = IntArray::_VM_new(width * height);
    KvCanvas::getRGB(image, pixels, 0, width, 0, 0, width, height);
    return pixels;
}

void GobAlphaImage::refilter(VMPtr<graphics::RGBFilter> filter) {
    if (width < 1 || height < 1) return;
    VMPtr<IntArray> pixels = getPixels();
    graphics::RGBFilter::apply(filter, pixels);
    bool translucent = KvCanvas::hasTranslucentPixel(pixels);
    if (!translucent) alphaType = 1;
    VMPtr<Gob> filtered = createFromRGB(pixels, width, height, translucent);
    filtered->copyImageTo(this);
    filtered->copyExtraTo(this);
}

}  // namespace kv
