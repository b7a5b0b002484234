#pragma once

// Helpers of the framework's drawing tests: int arrays, a blank opaque canvas image and
// its pixels read back.

#include <vector>

#include "pb_src/j2me/javax_microedition_lcdui_Graphics.h"
#include "pb_src/j2me/javax_microedition_lcdui_Image.h"
#include "tests/kv/KvTestSupport.h"

namespace kvtest {

using IntArray = VMArray<int32_t, 1>;
using javax::microedition::lcdui::Graphics;
using javax::microedition::lcdui::Image;

inline VMPtr<IntArray> ints(const std::vector<int32_t>& values) {
    VMPtr<IntArray> array = IntArray::_VM_new(int32_t(values.size()));
    for (size_t i = 0; i < values.size(); ++i) array->elements()[i] = values[i];
    return array;
}

inline std::vector<int32_t> vec(const VMPtr<IntArray>& array, int32_t count) {
    return std::vector<int32_t>(array->elements(), array->elements() + count);
}

inline VMPtr<Image> blankImage(int32_t w, int32_t h) { return Image::createImage(w, h, false, int32_t(0xFF000000)); }

inline std::vector<int32_t> pixelsOf(const VMPtr<Image>& image) {
    VMPtr<IntArray> out = IntArray::_VM_new(image->getWidth() * image->getHeight());
    image->getRGB(out, 0, image->getWidth(), 0, 0, image->getWidth(), image->getHeight());
    return vec(out, out->length);
}

}  // namespace kvtest
