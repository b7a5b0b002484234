#pragma once

// Pictures: SVG files rasterised by librsvg at their own size, trimmed to their ink, packed
// into one sheet, and written as PNG. Every step is deterministic: the same SVG gives the
// same pixels, the same pictures the same sheet and the same PNG bytes.

#include <string>
#include <vector>

#include "tools/contentc/Model.h"

namespace contentc {

// Renders an SVG file at its intrinsic size (scale 1) or at `scale`; a file that cannot be
// read or parsed, or has no size, is a ContentError naming it.
Picture renderSvg(const std::string& file, double scale = 1.0);

// The smallest rectangle holding every pixel that is not fully transparent; width 0 when
// the picture is empty.
struct Rect {
    int x = 0, y = 0, width = 0, height = 0;
};
Rect inkBounds(const Picture& picture);
Picture crop(const Picture& picture, const Rect& rect);

// 1 opaque, 2 some pixels fully transparent (the others opaque), 3 some partly transparent.
int alphaType(const Picture& picture, const Rect& rect);

// Places the pictures on one sheet, tallest first (ties by input order), on shelves 1 px
// apart, at the width (the widest picture's, or a power of two above it) that gives the
// smallest sheet. Returns each picture's corner on the sheet.
std::vector<Rect> packSheet(const std::vector<Picture>& pictures, Picture& sheet);

// PNG bytes: 8-bit RGB when every pixel is opaque, else RGBA; no time or text chunks.
Bytes encodePng(const Picture& picture);

}  // namespace contentc
