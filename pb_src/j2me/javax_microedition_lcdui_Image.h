#pragma once

// javax::microedition::lcdui::Image: one platform image, immutable (decoded from a resource
// or from bytes, or built from ARGB values) or mutable (drawn on through a Graphics). Every
// argument is checked before the platform sees it, in 64-bit arithmetic, so no overflowing
// sum passes a range check. Platform results map to exceptions: 2 (bad size or arguments)
// IllegalArgumentException in every factory, 5 OutOfMemoryError; a result no caller can
// mend is fatal. The Image owns its platform image; a Graphics drawing on it holds its own
// reference on the pixels, so either may be collected first.

#include <cstdint>

#include "lib_src/vm/VMArray.h"
#include "lib_src/vm/VMClass.h"

class HALPixelBuffer;

namespace java::lang {
class String;
}

namespace javax::microedition::lcdui {

class Graphics;

class Image : public virtual ::java::lang::Object {
    VM_CLASS(Image, ::java::lang::Object)

    using ByteArray = VMArray<int8_t, 1>;
    using IntArray = VMArray<int32_t, 1>;

    // The named resource (resolved as a resource name of this class); IOException
    // "HAL_createImageWithResource() error: <code>" when it is missing, undecodable or
    // unreadable.
    static VMPtr<Image> createImage(VMPtr<::java::lang::String> name);
    // length encoded bytes from offset; IllegalArgumentException
    // "HAL_createImageWithData() error: HAL_BAD_FORMAT_ERR" when they cannot be decoded.
    static VMPtr<Image> createImage(VMPtr<ByteArray> data, int32_t offset, int32_t length);
    // w by h ARGB values, rows w apart.
    static VMPtr<Image> createRGBImage(VMPtr<IntArray> argb, int32_t w, int32_t h, bool processAlpha);
    // A mutable image filled with color: made opaque for an opaque image, as given (alpha
    // included) for a transparent one.
    static VMPtr<Image> createImage(int32_t w, int32_t h, bool transparent, int32_t color);

    // Takes ownership of the platform image.
    VMPtr<Image> _VM_init(HALPixelBuffer* handle, bool isMutableImage, int32_t w, int32_t h);
    ~Image() override;

    // A new Graphics on a mutable image; IllegalStateException for an immutable one.
    virtual VMPtr<Graphics> getGraphics();
    virtual int32_t getWidth();
    virtual int32_t getHeight();
    virtual bool isMutable();
    // The ARGB pixels of (x, y, w, h) into data from offset, scanlength values per row
    // (negative: rows upwards).
    virtual void getRGB(VMPtr<IntArray> data, int32_t offset, int32_t scanlength, int32_t x, int32_t y, int32_t w,
                        int32_t h);
    // Asked of the platform once, then answered from the cache.
    virtual bool hasAlpha();

    int32_t width = 0;
    int32_t height = 0;
    bool mutableImage = false;
    bool hasAlphaCached = false;
    bool hasAlphaKnown = false;
    HALPixelBuffer* nativeHandle = nullptr;
};

}  // namespace javax::microedition::lcdui
