#include "pb_src/j2me/javax_microedition_lcdui_Image.h"

#include <cstdlib>
#include <string>

#include "hal/base/FatalError.h"
#include "hal/base/HALResult.h"
#include "hal/display/Images.h"
#include "hal/profile/ProfileGraphics.h"
#include "lib_src/vm/VMException.h"
#include "lib_src/vm/VMLiterals.h"
#include "pb_src/j2me/java_io_IOException.h"
#include "pb_src/j2me/java_lang_ArrayIndexOutOfBoundsException.h"
#include "pb_src/j2me/java_lang_Class.h"
#include "pb_src/j2me/java_lang_IllegalArgumentException.h"
#include "pb_src/j2me/java_lang_IllegalStateException.h"
#include "pb_src/j2me/java_lang_NullPointerException.h"
#include "pb_src/j2me/java_lang_OutOfMemoryError.h"
#include "pb_src/j2me/java_lang_String.h"
#include "pb_src/j2me/javax_microedition_lcdui_Graphics.h"

namespace javax::microedition::lcdui {

using ::java::lang::ArrayIndexOutOfBoundsException;
using ::java::lang::IllegalArgumentException;
using ::java::lang::NullPointerException;
using ::java::lang::OutOfMemoryError;

VM_DEFINE_CLASS(Image, "javax.microedition.lcdui.Image", "java.lang.Object", VM_NO_CLINIT)

namespace {

// The results every factory maps alike: 2 a bad size or bad arguments, 5 no memory.
void throwForCommonResult(int result) {
    if (result == HAL_BAD_ARGUMENT) vm::throwNew<IllegalArgumentException>();
    if (result == HAL_OUT_OF_MEMORY) vm::throwNew<OutOfMemoryError>();
}

VMPtr<Image> wrap(HALPixelBuffer* handle, bool isMutableImage, int32_t w, int32_t h) {
    VMPtr<Image> image;
    try {
        image = Image::_VM_new();
    } catch (...) {
        HAL_deleteImage(handle);  // the platform image must not outlive a failed allocation
        throw;
    }
    return image->_VM_init(handle, isMutableImage, w, h);
}

}  // namespace

VMPtr<Image> Image::createImage(VMPtr<::java::lang::String> name) {
    if (!name) vm::throwNew<NullPointerException>();
    VMPtr<::java::lang::String> resolved = _VM_classRecord->resolveResourceName(name);
    HALPixelBuffer* handle = nullptr;
    int32_t w = 0, h = 0;
    const int result = HAL_createImageWithResource(&handle, resolved->length() > 0 ? resolved->chars() : u"",
                                                   resolved->length(), &w, &h);
    if (result == HAL_NOT_FOUND || result == HAL_BAD_FORMAT || result == HAL_IO_ERROR) {
        const std::string message = "HAL_createImageWithResource() error: " + std::to_string(result);
        VMPtr<::java::lang::String> text = ::java::lang::String::_VM_new();
        text->_VM_init(message.c_str(), int32_t(message.size()));
        vm::throwNew<::java::io::IOException>(text);
    }
    throwForCommonResult(result);
    if (result != HAL_OK) HAL_fatalError("HAL_createImageWithResource() failed.");
    return wrap(handle, false, w, h);
}

VMPtr<Image> Image::createImage(VMPtr<ByteArray> data, int32_t offset, int32_t length) {
    if (!data) vm::throwNew<NullPointerException>();
    if (offset < 0 || offset >= data->length || length < 0 || length > data->length - offset)
        vm::throwNew<ArrayIndexOutOfBoundsException>();
    HALPixelBuffer* handle = nullptr;
    int32_t w = 0, h = 0;
    const auto* bytes = reinterpret_cast<const uint8_t*>(data->elements() + offset);
    const int result = HAL_createImageWithData(&handle, bytes, length, &w, &h);
    if (result == HAL_BAD_FORMAT)
        vm::throwNew<IllegalArgumentException>(VMPtr<java::lang::String>::fromLiteral("HAL_createImageWithData() error: HAL_BAD_FORMAT_ERR"));
    throwForCommonResult(result);
    if (result != HAL_OK) HAL_fatalError("HAL_createImageWithData() failed.");
    return wrap(handle, false, w, h);
}

VMPtr<Image> Image::createRGBImage(VMPtr<IntArray> argb, int32_t w, int32_t h, bool processAlpha) {
    if (!argb) vm::throwNew<NullPointerException>();
    if (w < 1 || h < 1) vm::throwNew<IllegalArgumentException>();
    if (int64_t(argb->length) < int64_t(w) * h) vm::throwNew<ArrayIndexOutOfBoundsException>();
    HALPixelBuffer* handle = nullptr;
    const int result = HAL_createImageWithRGB(&handle, argb->elements(), argb->length, w, h, processAlpha);
    throwForCommonResult(result);
    if (result != HAL_OK) HAL_fatalError("HAL_createImageWithRGB() failed.");
    return wrap(handle, false, w, h);
}

VMPtr<Image> Image::createImage(int32_t w, int32_t h, bool transparent, int32_t color) {
    if (w < 0 || h < 0) vm::throwNew<IllegalArgumentException>();
    HALPixelBuffer* handle = nullptr;
    const int result =
        transparent ? HAL_createTransparentMutableImage(&handle, w, h) : HAL_createMutableImage(&handle, w, h);
    throwForCommonResult(result);
    if (result != HAL_OK && transparent) HAL_fatalError("HAL_createTransparentMutableImage() failed.");
    if (result != HAL_OK) HAL_fatalError("HAL_createMutableImage() failed.");
    VMPtr<Image> image = wrap(handle, true, w, h);
    VMPtr<Graphics> g = image->getGraphics();
    // An opaque image has no alpha to keep: a fill with the colour's own alpha byte (often 0)
    // would leave it white.
    g->setARGBColor(transparent ? color : int32_t(uint32_t(color) | 0xFF000000u));
    g->fillRect(0, 0, w, h);
    HAL_releaseImageGraphics(g.get());
    return image;
}

VMPtr<Image> Image::_VM_init(HALPixelBuffer* handle, bool isMutableImage, int32_t w, int32_t h) {
    Object::_VM_init();
    nativeHandle = handle;
    mutableImage = isMutableImage;
    width = w;
    height = h;
    return this;
}

Image::~Image() {
    if (nativeHandle != nullptr) HAL_deleteImage(nativeHandle);
}

VMPtr<Graphics> Image::getGraphics() {
    if (!mutableImage) vm::throwNew<::java::lang::IllegalStateException>();
    return Graphics::_VM_newForImage(this);
}

int32_t Image::getWidth() { return width; }
int32_t Image::getHeight() { return height; }
bool Image::isMutable() { return mutableImage; }

void Image::getRGB(VMPtr<IntArray> data, int32_t offset, int32_t scanlength, int32_t x, int32_t y, int32_t w,
                   int32_t h) {
    if (x < 0 || y < 0 || int64_t(x) + w > width || int64_t(y) + h > height)
        vm::throwNew<IllegalArgumentException>();
    if (std::abs(int64_t(scanlength)) < w) vm::throwNew<IllegalArgumentException>();
    if (w < 1 || h < 1) return;
    if (!data) vm::throwNew<NullPointerException>();
    // The first row runs from offset, the last from offset + (h - 1) * scanlength (below the
    // first when scanlength is negative); both must lie wholly inside the array.
    const int64_t lastRow = int64_t(offset) + int64_t(h - 1) * scanlength;
    const int64_t end = data->length;
    if (offset < 0 || lastRow < 0 || lastRow + w > end || int64_t(offset) + w > end)
        vm::throwNew<ArrayIndexOutOfBoundsException>();
    if (HAL_getImmutableRGB(nativeHandle, data->elements() + offset, data->length - offset, scanlength, x, y, w, h) !=
        HAL_OK)
        HAL_fatalError(mutableImage ? "HAL_getMutableRGB() failed." : "HAL_getImmutableRGB() failed.");
}

bool Image::hasAlpha() {
    if (hasAlphaKnown) return hasAlphaCached;
    bool flag = false;
    const int result = HAL_getImmutableHasAlpha(nativeHandle, &flag);
    if (result != HAL_OK && result != HAL_NOT_IMPLEMENTED)
        HAL_fatalError(mutableImage ? "HAL_getMutableHasAlpha() failed." : "HAL_getImmutableHasAlpha() failed.");
    hasAlphaCached = flag;
    hasAlphaKnown = true;
    return hasAlphaCached;
}

}  // namespace javax::microedition::lcdui
