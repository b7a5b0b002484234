#include "src/kv/kv_Gob.h"

#include <algorithm>

#include "lib_src/vm/VMException.h"
#include "pb_src/j2me/java_lang_ArrayIndexOutOfBoundsException.h"
#include "pb_src/j2me/java_lang_IllegalArgumentException.h"
#include "pb_src/j2me/java_io_PrintStream.h"
#include "pb_src/j2me/java_lang_System.h"
#include "src/kv/kv_GobAlphaImage.h"
#include "src/kv/kv_KvCanvas.h"
#include "src/kv/kv_Resources.h"
#include "src/kv/WrappingArithmetic.h"

namespace kv {

VM_DEFINE_CLASS(Gob, "kv.Gob", "kv.Paintable", VM_NO_CLINIT)

VMPtr<Gob::PixelTable> Gob::imageData{VMStaticScope::instance()};
int32_t Gob::imageDataCount = 0;

namespace {

constexpr int32_t kRecordInts = 5;
constexpr int32_t kAnchorTopLeft = 20;
constexpr int32_t kDescriptorLength = 10;

void requireLength(const VMPtr<VMArray<int32_t, 1>>& array, int64_t length) {
    if (length > array->length) vm::throwNew<java::lang::ArrayIndexOutOfBoundsException>(int32_t(std::min<int64_t>(length, INT32_MAX)));
}

[[noreturn]] void refuseDescriptor(const char* why) {
    vm::throwNew<java::lang::IllegalArgumentException>(VMPtr<java::lang::String>::fromLiteral(why));
}

}  // namespace

int32_t Gob::getX(int32_t flags) { return (flags & 2) ? -(width + offsetX) : offsetX; }

int32_t Gob::getY(int32_t flags) { return (flags & 1) ? -(height + offsetY) : offsetY; }

int32_t Gob::flippedCollisionX(int32_t flags) const {
    int32_t left = offsetX + collisionX;
    return (flags & 2) ? -(left + collisionWidth) : left;
}

int32_t Gob::flippedCollisionY(int32_t flags) const {
    int32_t top = offsetY + collisionY;
    return (flags & 1) ? -(top + collisionHeight) : top;
}

void Gob::paint(VMPtr<Graphics> g, int32_t x, int32_t y, int32_t flags) {
    if (width < 1 || height < 1) return;
    g->drawRegion(image, 0, 0, width, height, flags | (alphaType << 8), wrapAdd(x, getX(flags)), wrapAdd(y, getY(flags)),
                  kAnchorTopLeft);
}

int32_t Gob::getCollisionBoxes(int32_t flags, VMPtr<BoxArray> out, int32_t) {
    if (!hasCollisionRect()) return 0;
    if (out->length > 0) toCollisionBox(out->elements()[0], 0, 0, flags);
    return 1;
}

int32_t Gob::getCollisionRects(int32_t flags, VMPtr<IntArray> out, int32_t) {
    if (!hasCollisionRect()) return 0;
    if (out->length < kRecordInts) return 1;
    int32_t* record = out->elements();
    record[0] = flippedCollisionX(flags);
    record[1] = flippedCollisionY(flags);
    record[2] = collisionWidth;
    record[3] = collisionHeight;
    record[4] = -1;
    return 1;
}

void Gob::paintReserved(VMPtr<Graphics>) {
    ::java::lang::System::out->println(
        VMPtr<::java::lang::String>::fromLiteral("<UPCOMING FEATURE COMING SOON> This is not yet implemented"));
}

bool Gob::collidesRect(int32_t x, int32_t y, int32_t flags, int32_t rx, int32_t ry, int32_t rw, int32_t rh) {
    return overlaps(wrapAdd(x, flippedCollisionX(flags)), wrapAdd(y, flippedCollisionY(flags)), collisionWidth,
                    collisionHeight, rx, ry, rw, rh);
}

bool Gob::collidesGob(int32_t x, int32_t y, int32_t flags, VMPtr<Gob> other, int32_t ox, int32_t oy, int32_t oflags) {
    return collidesGobExtended(x, y, flags, other, ox, oy, oflags, 0, 0, 0, 0);
}

bool Gob::collidesGobExtended(int32_t x, int32_t y, int32_t flags, VMPtr<Gob> other, int32_t ox, int32_t oy,
                              int32_t oflags, int32_t gx, int32_t gy, int32_t gw, int32_t gh) {
    return collidesRect(x, y, flags, wrapAdd(wrapAdd(ox, other->flippedCollisionX(oflags)), gx),
                        wrapAdd(wrapAdd(oy, other->flippedCollisionY(oflags)), gy), wrapAdd(other->collisionWidth, gw),
                        wrapAdd(other->collisionHeight, gh));
}

VMPtr<GobAlphaImage> Gob::withAlpha(int32_t alpha) {
    VMPtr<GobAlphaImage> result = toAlphaImage();
    result->setAlpha(alpha);
    return result;
}

VMPtr<GobAlphaImage> Gob::toAlphaImage() {
    VMPtr<GobAlphaImage> result = GobAlphaImage::_VM_new();
    result->_VM_init(this);
    return result;
}

void Gob::paintCollisionRect(VMPtr<Graphics> g, int32_t x, int32_t y, int32_t flags) {
    if (toCollisionBox(CollisionBox::testBox, x, y, flags)) CollisionBox::testBox->paint(g);
}

void Gob::paintTrimmed(VMPtr<Graphics> g, int32_t x, int32_t y, int32_t flags, int32_t left, int32_t top,
                       int32_t right, int32_t bottom) {
    if (left == 0 && top == 0 && right == 0 && bottom == 0) {
        paint(g, x, y, flags);
        return;
    }
    int32_t clipX = g->getClipX(), clipY = g->getClipY(), clipW = g->getClipWidth(), clipH = g->getClipHeight();
    g->clipRect(wrapAdd(wrapAdd(x, getX(flags)), (flags & 2) ? right : left),
                wrapAdd(wrapAdd(y, getY(flags)), (flags & 1) ? bottom : top), wrapSub(wrapSub(width, left), right),
                wrapSub(wrapSub(height, top), bottom));
    paint(g, x, y, flags);
    g->setClip(clipX, clipY, clipW, clipH);
}

bool Gob::toCollisionBox(VMPtr<CollisionBox> box, int32_t x, int32_t y, int32_t flags) {
    if (flags & 4) {
        int32_t top = offsetY + collisionY, left = offsetX + collisionX;
        box->setBounds((flags & 1) ? -(top + collisionHeight) : top, (flags & 2) ? -(left + collisionWidth) : left,
                       collisionHeight, collisionWidth);
    } else {
        box->setBounds(flippedCollisionX(flags), flippedCollisionY(flags), collisionWidth, collisionHeight);
    }
    box->type = -1;
    box->kind = circularBox != 0 ? 4 : 3;
    box->translate(x, y);
    return hasCollisionRect();
}

bool Gob::intersectsImage(VMPtr<graphics::Rect> r, int32_t x, int32_t y) {
    int64_t left = int64_t(x) + offsetX, top = int64_t(y) + offsetY;
    return int64_t(r->x) + r->width > left && int64_t(r->y) + r->height > top && left + width > r->x &&
           top + height > r->y;
}

void Gob::copyFieldsTo(VMPtr<Gob> target) {
    target->alphaType = alphaType;
    target->offsetX = offsetX;
    target->offsetY = offsetY;
    target->width = width;
    target->height = height;
    target->collisionX = collisionX;
    target->collisionY = collisionY;
    target->collisionWidth = collisionWidth;
    target->collisionHeight = collisionHeight;
    target->circularBox = circularBox;
}

void Gob::setFromDescriptor(VMPtr<ShortArray> d) {
    if (d->length < kDescriptorLength) refuseDescriptor("Gob descriptor too short");
    const int16_t* v = d->elements();
    int32_t sheetX = v[2], sheetY = v[3], w = v[4], h = v[5];
    if (!imageData || imageDataCount >= imageData->length) refuseDescriptor("No gob table to fill");
    if (!image || sheetX < 0 || sheetY < 0 || w < 0 || h < 0 || sheetX + w > image->getWidth() ||
        sheetY + h > image->getHeight())
        refuseDescriptor("Gob picture outside the sheet");
    offsetX = v[0];
    offsetY = v[1];
    width = int16_t(w);
    height = int16_t(h);
    collisionX = v[6];
    collisionY = v[7];
    collisionWidth = int16_t(v[8] & 0x7FFF);
    circularBox = (v[8] & 0x8000) ? -1 : 0;
    collisionHeight = v[9];
    VMPtr<IntArray> pixels;
    if (w > 0 && h > 0) {
        pixels = IntArray::_VM_new(w * h);
        KvCanvas::getRGB(image, pixels, 0, w, sheetX, sheetY, w, h);
    }
    imageData->set(imageDataCount++, pixels);
}

void Gob::assignImage(VMPtr<GobArray> gobs, int32_t imageId, VMPtr<ByteArray> data, VMPtr<::java::io::DataInputStream>) {
    VMPtr<Image> sheet = Resources::getImage(imageId, data);
    for (int32_t i = 0; i < gobs->length; ++i) gobs->elements()[i]->image = sheet;
}

void Gob::initImageTable(VMPtr<GobArray> gobs) {
    imageData = PixelTable::_VM_new(gobs->length, 0);
    imageDataCount = 0;
}

void Gob::loadImages(VMPtr<GobArray> gobs) {
    for (int32_t i = 0; i < gobs->length; ++i) gobs->elements()[i]->image = nullptr;
    for (int32_t i = 0; i < gobs->length && imageData && i < imageData->length; ++i) {
        VMPtr<IntArray> pixels(imageData->rows()[i]);
        Gob* gob = gobs->elements()[i];
        if (pixels && gob->width > 0 && gob->height > 0)
            gob->image = KvCanvas::createRGBImage(pixels, gob->width, gob->height, KvCanvas::hasTranslucentPixel(pixels));
        imageData->rows()[i] = nullptr;
    }
    imageData = nullptr;
}

void Gob::cloneAll(VMPtr<GobArray> gobs) {
    if (gobs->length == 0 || gobs->elements()[0]->isAlphaImage()) return;
    for (int32_t i = 0; i < gobs->length; ++i) gobs->set(i, gobs->elements()[i]->toAlphaImage());
}

VMPtr<Gob> Gob::createFromRGB(VMPtr<IntArray> argb, int32_t w, int32_t h, bool processAlpha) {
    VMPtr<Gob> gob = _VM_new();
    gob->_VM_init();
    gob->image = KvCanvas::createRGBImage(argb, w, h, processAlpha);
    gob->width = gob->collisionWidth = int16_t(w);
    gob->height = gob->collisionHeight = int16_t(h);
    gob->alphaType = int8_t(processAlpha ? KvCanvas::getAlphaType(argb, 0, argb->length, 0, 0, argb->length, 1) : 1);
    return gob;
}

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
            o[2] = wrapSub(std::min(wrapAdd(r[0], r[2]), wrapAdd(s[0], s[2])), o[0]);
            o[3] = wrapSub(std::min(wrapAdd(r[1], r[3]), wrapAdd(s[1], s[3])), o[1]);
            o[4] = r[4];
            o[5] = s[4];
            return true;
        }
    }
    return hit;
}

}  // namespace kv
