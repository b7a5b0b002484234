#pragma once

// kv::Gob: a graphic object, one picture of the game's art with an anchor offset and one
// optional collision rectangle. It paints itself under a flip transform (its alpha type
// travelling in bits 8-9 of the transform), reports its collision rectangle as a record or
// a box, and tests it against rectangles and other gobs. Gob arrays are cut out of one
// sheet image: a descriptor whose picture lies outside the sheet is refused before
// anything is allocated, and a gob of width or height 0 loads without a picture. The
// pairwise test of rectangle-record lists checks the record counts against the arrays.

#include "pb_src/j2me/java_io_DataInputStream.h"
#include "pb_src/j2me/javax_microedition_lcdui_Image.h"
#include "src/kv/graphics/kv_graphics_RGBFilter.h"
#include "src/kv/graphics/kv_graphics_Rect.h"

namespace kv {

class GobAlphaImage;

class Gob : public Paintable {
    VM_CLASS(Gob, Paintable)
    using Image = ::javax::microedition::lcdui::Image;
    using CollisionBox = graphics::CollisionBox;
    using GobArray = VMArray<Gob*, 1>;
    using ShortArray = VMArray<int16_t, 1>;
    using ByteArray = VMArray<int8_t, 1>;
    using PixelTable = VMArray<int32_t, 2>;

    VMPtr<Gob> _VM_init() {
        Paintable::_VM_init();
        alphaType = 0;
        return this;
    }
    void _VM_mark(uint32_t flags) override { vmMarkField(image, flags); }

    int32_t getKind() override { return 0; }
    int32_t getHeight(int32_t) override { return height; }
    // Draws the picture with its top-left at (x + getX(flags), y + getY(flags)); nothing
    // for a gob without a positive size.
    void paint(VMPtr<Graphics> g, int32_t x, int32_t y, int32_t flags) override;
    void paint(VMPtr<Graphics> g) override { paint(g, 0, 0, 0); }
    // 1 when the gob has a collision rectangle (written into out[0] when out has room).
    int32_t getCollisionBoxes(int32_t flags, VMPtr<BoxArray> out, int32_t type) override;
    using Paintable::getCollisionBoxes;
    // 1 when the gob has a collision rectangle (its flipped record, type -1, written when out
    // holds five ints); else 0 and out untouched.
    int32_t getCollisionRects(int32_t flags, VMPtr<IntArray> out, int32_t type) override;
    using Paintable::getCollisionRects;
    int32_t getWidth(int32_t) override { return width; }
    int32_t getBoxCount() override { return hasCollisionRect() ? 1 : 0; }
    // offsetX, or the mirrored left edge when flags bit 1 is set.
    int32_t getX(int32_t flags) override;
    // offsetY, or the mirrored top edge when flags bit 0 is set.
    int32_t getY(int32_t flags) override;
    // Prints a notice on the console and draws nothing.
    virtual void paintReserved(VMPtr<Graphics> g);
    virtual bool collidesRect(int32_t x, int32_t y, int32_t flags, int32_t rx, int32_t ry, int32_t rw, int32_t rh);
    virtual bool collidesGob(int32_t x, int32_t y, int32_t flags, VMPtr<Gob> other, int32_t ox, int32_t oy,
                             int32_t oflags);
    virtual VMPtr<GobAlphaImage> withAlpha(int32_t alpha);
    virtual VMPtr<GobAlphaImage> toAlphaImage();
    virtual bool isAlphaImage() { return false; }
    // Paints the collision rectangle placed at (x, y) under flags, when the gob has one.
    virtual void paintCollisionRect(VMPtr<Graphics> g, int32_t x, int32_t y, int32_t flags);
    virtual void setAlpha(int32_t) {}
    virtual void refilter(VMPtr<graphics::RGBFilter>) {}
    // collidesGob with (gx, gy, gw, gh) added to the other rectangle.
    virtual bool collidesGobExtended(int32_t x, int32_t y, int32_t flags, VMPtr<Gob> other, int32_t ox, int32_t oy,
                                     int32_t oflags, int32_t gx, int32_t gy, int32_t gw, int32_t gh);
    // Paints with the picture clipped by the four trims (mirrored with the picture).
    virtual void paintTrimmed(VMPtr<Graphics> g, int32_t x, int32_t y, int32_t flags, int32_t left, int32_t top,
                              int32_t right, int32_t bottom);
    // Writes the collision rectangle under flags (quarter turns included) moved by (x, y)
    // into box, type -1; answers whether the gob has a collision rectangle.
    virtual bool toCollisionBox(VMPtr<CollisionBox> box, int32_t x, int32_t y, int32_t flags);
    // Strict test of the unflipped picture rectangle drawn at (x, y) against r.
    virtual bool intersectsImage(VMPtr<graphics::Rect> r, int32_t x, int32_t y);
    virtual int32_t getAlpha() { return 255; }
    virtual void copyExtraTo(VMPtr<Gob>) {}
    virtual void shareImageWith(VMPtr<Gob> target) { copyImageTo(target); }
    virtual VMPtr<Gob> getGob() { return this; }
    virtual void copyImageTo(VMPtr<Gob> target) { target->image = image; }
    // Copies every field but the image.
    virtual void copyFieldsTo(VMPtr<Gob> target);
    // Takes the fields of a ten-value descriptor and cuts the gob's pixels out of the sheet
    // (the gob's current image) into the next row of imageData. IllegalArgumentException
    // when the descriptor is shorter than ten values, no load is under way, or the picture
    // does not lie inside the sheet.
    virtual void setFromDescriptor(VMPtr<ShortArray> d);
    virtual void reserved() {}

    // Stores the image of imageId (with the palette data, when given) in every gob.
    static void assignImage(VMPtr<GobArray> gobs, int32_t imageId, VMPtr<ByteArray> data,
                            VMPtr<::java::io::DataInputStream> in);
    static void initImageTable(VMPtr<GobArray> gobs);
    // Gives each gob its own image made from its row of imageData, then drops the table.
    static void loadImages(VMPtr<GobArray> gobs);
    // Replaces every gob by its alpha image unless the first one already is one.
    static void cloneAll(VMPtr<GobArray> gobs);
    static VMPtr<Gob> createFromRGB(VMPtr<IntArray> argb, int32_t w, int32_t h, bool processAlpha);

    // Whether any record of a overlaps any record of b (j running fastest). With out, the
    // first overlapping pair ends the search and out receives the intersection (x, y, width,
    // height) and the two records' types. ArrayIndexOutOfBoundsException when n or m records
    // do not fit their array or out is shorter than six.
    static bool collideLists(int32_t n, VMPtr<IntArray> a, int32_t m, VMPtr<IntArray> b, VMPtr<IntArray> out);

    static VMPtr<PixelTable> imageData;
    static int32_t imageDataCount;

    int16_t offsetY = 0;
    int16_t offsetX = 0;
    int16_t collisionWidth = 0;
    int16_t height = 0;
    int8_t alphaType = 0;
    int16_t collisionX = 0;
    int16_t collisionY = 0;
    int16_t collisionHeight = 0;
    int8_t circularBox = 0;
    int16_t width = 0;
    VMPtr<Image> image{vmField()};

protected:
    bool hasCollisionRect() const { return collisionWidth > 0 && collisionHeight > 0; }
    int32_t flippedCollisionX(int32_t flags) const;
    int32_t flippedCollisionY(int32_t flags) const;
};

}  // namespace kv
