#pragma once

// Helpers for the profile's drawing tests: the runtime, managed arrays from lists, images
// from letter grids and their pixels read back.

#include "pb_src/j2me/javax_microedition_lcdui_Graphics.h"
#include "pb_src/j2me/javax_microedition_lcdui_Image.h"
#include "tests/j2me/ClassLibrary.h"

namespace profiletest {

using javax::microedition::lcdui::Font;
using javax::microedition::lcdui::Graphics;
using javax::microedition::lcdui::Image;
using IntArray = VMArray<int32_t, 1>;

// The message of the E that run throws ("<none>" when it throws nothing).
template <class E, class Run> std::string messageOf(Run run) {
    try {
        run();
    } catch (E* caught) {
        VMPtr<E> e(caught);
        return e->getMessage() ? e->getMessage()->toUtf8() : "";
    }
    return "<none>";
}

// Colours the 16-bit surface keeps exactly, by letter ('.' is white).
inline int32_t colourOf(char letter) {
    static const uint32_t colours[] = {0xFFF80000u, 0xFF00FC00u, 0xFF0000F8u, 0xFFF8FC00u, 0xFF00FCF8u, 0xFFF800F8u};
    return int32_t(letter >= 'A' && letter <= 'F' ? colours[letter - 'A'] : 0xFFF8FCF8u);
}

inline VMPtr<IntArray> ints(const std::vector<int32_t>& values) {
    VMPtr<IntArray> array = IntArray::_VM_new(int32_t(values.size()));
    for (size_t i = 0; i < values.size(); ++i) array->elements()[i] = values[i];
    return array;
}

// An immutable image from rows of letters.
inline VMPtr<Image> imageOf(const std::vector<std::string>& rows) {
    std::vector<int32_t> values;
    for (const std::string& row : rows)
        for (char letter : row) values.push_back(colourOf(letter));
    return Image::createRGBImage(ints(values), int32_t(rows[0].size()), int32_t(rows.size()), false);
}

// The image's pixels as rows of letters ('?' for a colour no letter names).
inline std::vector<std::string> lettersOf(VMPtr<Image> image) {
    const int32_t w = image->getWidth(), h = image->getHeight();
    VMPtr<IntArray> pixels = IntArray::_VM_new(w * h);
    image->getRGB(pixels, 0, w, 0, 0, w, h);
    std::vector<std::string> rows(size_t(h), std::string(size_t(w), '?'));
    for (int32_t i = 0; i < w * h; ++i)
        for (char letter : std::string("ABCDEF."))
            if (colourOf(letter) == pixels->elements()[i]) rows[size_t(i / w)][size_t(i % w)] = letter;
    return rows;
}

// A white mutable image and a Graphics on it.
struct Canvas {
    explicit Canvas(int32_t w, int32_t h)
        : image(Image::createImage(w, h, false, 0xFFFFFF)), g(image->getGraphics()) {}
    VM* runtime = testRuntime();  // first: the handles below need a running runtime
    VMPtr<Image> image;
    VMPtr<Graphics> g;
};

}  // namespace profiletest
