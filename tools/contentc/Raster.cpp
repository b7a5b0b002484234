#include "tools/contentc/Raster.h"

#include <cairo.h>
#include <librsvg/rsvg.h>
#include <png.h>

#include <algorithm>
#include <climits>
#include <cmath>
#include <numeric>

#include "tools/contentc/ContentError.h"

namespace contentc {

Picture renderSvg(const std::string& file, double scale) {
    GError* error = nullptr;
    RsvgHandle* handle = rsvg_handle_new_from_file(file.c_str(), &error);
    if (!handle) {
        std::string why = error ? error->message : "unreadable";
        if (error) g_error_free(error);
        throw ContentError(file, "", "not a readable SVG: " + why);
    }
    gdouble width = 0, height = 0;
    if (!rsvg_handle_get_intrinsic_size_in_pixels(handle, &width, &height) || width <= 0 || height <= 0) {
        g_object_unref(handle);
        throw ContentError(file, "", "the SVG has no width and height in pixels");
    }
    Picture picture;
    picture.width = int(std::ceil(width * scale));
    picture.height = int(std::ceil(height * scale));
    if (picture.width > 4096 || picture.height > 4096) {
        g_object_unref(handle);
        throw ContentError(file, "", "the picture is larger than 4096 px");
    }
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, picture.width, picture.height);
    cairo_t* cr = cairo_create(surface);
    RsvgRectangle viewport{0, 0, width * scale, height * scale};
    bool drawn = rsvg_handle_render_document(handle, cr, &viewport, &error);
    cairo_destroy(cr);
    g_object_unref(handle);
    if (!drawn) {
        std::string why = error ? error->message : "render failed";
        if (error) g_error_free(error);
        cairo_surface_destroy(surface);
        throw ContentError(file, "", "cannot be drawn: " + why);
    }
    cairo_surface_flush(surface);
    const unsigned char* data = cairo_image_surface_get_data(surface);
    const int stride = cairo_image_surface_get_stride(surface);
    picture.pixels.resize(size_t(picture.width) * size_t(picture.height));
    for (int y = 0; y < picture.height; ++y) {
        const auto* row = reinterpret_cast<const uint32_t*>(data + size_t(y) * size_t(stride));
        for (int x = 0; x < picture.width; ++x) {
            // Cairo keeps premultiplied colour; the sheet stores straight colour.
            uint32_t p = row[x];
            uint32_t a = p >> 24;
            auto straight = [a](uint32_t c) { return a == 0 ? 0u : std::min(255u, (c * 255 + a / 2) / a); };
            picture.pixels[size_t(y) * size_t(picture.width) + size_t(x)] =
                (a << 24) | (straight((p >> 16) & 255) << 16) | (straight((p >> 8) & 255) << 8) | straight(p & 255);
        }
    }
    cairo_surface_destroy(surface);
    return picture;
}

Rect inkBounds(const Picture& picture) {
    int left = picture.width, top = picture.height, right = -1, bottom = -1;
    for (int y = 0; y < picture.height; ++y)
        for (int x = 0; x < picture.width; ++x)
            if (picture.at(x, y) >> 24) {
                left = std::min(left, x);
                right = std::max(right, x);
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
    if (right < 0) return Rect{};
    return Rect{left, top, right - left + 1, bottom - top + 1};
}

Picture crop(const Picture& picture, const Rect& rect) {
    Picture out;
    out.width = rect.width;
    out.height = rect.height;
    out.pixels.reserve(size_t(rect.width) * size_t(rect.height));
    for (int y = 0; y < rect.height; ++y)
        for (int x = 0; x < rect.width; ++x) out.pixels.push_back(picture.at(rect.x + x, rect.y + y));
    return out;
}

int alphaType(const Picture& picture, const Rect& rect) {
    int type = 1;
    for (int y = rect.y; y < rect.y + rect.height; ++y)
        for (int x = rect.x; x < rect.x + rect.width; ++x) {
            uint32_t a = picture.at(x, y) >> 24;
            if (a != 0 && a != 255) return 3;
            if (a == 0) type = 2;
        }
    return type;
}

namespace {

// Shelf packing at a given width; returns the height used, or -1 when a picture is wider.
int shelve(const std::vector<Picture>& pictures, const std::vector<size_t>& order, int width,
           std::vector<Rect>& places) {
    int x = 0, y = 0, shelfHeight = 0;
    for (size_t i : order) {
        const Picture& p = pictures[i];
        if (p.width > width) return -1;
        if (x > 0 && x + p.width > width) {
            y += shelfHeight + 1;
            x = 0;
            shelfHeight = 0;
        }
        places[i] = Rect{x, y, p.width, p.height};
        x += p.width + 1;
        shelfHeight = std::max(shelfHeight, p.height);
    }
    return y + shelfHeight;
}

}  // namespace

std::vector<Rect> packSheet(const std::vector<Picture>& pictures, Picture& sheet) {
    std::vector<size_t> order(pictures.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(),
                     [&](size_t a, size_t b) { return pictures[a].height > pictures[b].height; });
    int widest = 1;
    for (const Picture& p : pictures) widest = std::max(widest, p.width);
    if (widest > 4096) throw std::runtime_error("a picture is wider than 4096 px");
    // The widest picture's width and every power of two above it: the smallest sheet wins,
    // the narrower of two equal ones.
    std::vector<int> widths = {widest};
    for (int w = 16; w <= 4096; w *= 2)
        if (w > widest) widths.push_back(w);
    std::vector<Rect> places(pictures.size()), best;
    int64_t bestArea = INT64_MAX;
    int bestWidth = 0, bestHeight = 0;
    for (int width : widths) {
        const int height = shelve(pictures, order, width, places);
        if (height > 4096 || int64_t(width) * height >= bestArea) continue;
        bestArea = int64_t(width) * height;
        bestWidth = width;
        bestHeight = height;
        best = places;
    }
    if (bestWidth == 0) throw std::runtime_error("the pictures do not fit a 4096 px sheet");
    sheet.width = bestWidth;
    sheet.height = std::max(1, bestHeight);
    sheet.pixels.assign(size_t(sheet.width) * size_t(sheet.height), 0);
    for (size_t i = 0; i < pictures.size(); ++i)
        for (int y = 0; y < pictures[i].height; ++y)
            for (int x = 0; x < pictures[i].width; ++x)
                sheet.pixels[size_t(best[i].y + y) * size_t(sheet.width) + size_t(best[i].x + x)] = pictures[i].at(x, y);
    return best;
}

namespace {

void appendToBytes(png_structp png, png_bytep data, png_size_t length) {
    auto* out = static_cast<Bytes*>(png_get_io_ptr(png));
    out->insert(out->end(), data, data + length);
}

}  // namespace

namespace {

// The rows of a picture as libpng takes them: RGB when every pixel is opaque, else RGBA.
struct PngRows {
    std::vector<png_byte> bytes;
    png_uint_32 width = 0, height = 0;
    int colorType = PNG_COLOR_TYPE_RGB;
    size_t stride = 0;
};

PngRows rowsOf(const Picture& picture) {
    const bool opaque =
        std::all_of(picture.pixels.begin(), picture.pixels.end(), [](uint32_t p) { return (p >> 24) == 255; });
    PngRows rows;
    rows.width = png_uint_32(picture.width);
    rows.height = png_uint_32(picture.height);
    rows.colorType = opaque ? PNG_COLOR_TYPE_RGB : PNG_COLOR_TYPE_RGBA;
    rows.stride = size_t(picture.width) * (opaque ? 3 : 4);
    rows.bytes.reserve(rows.stride * size_t(picture.height));
    for (uint32_t p : picture.pixels) {
        rows.bytes.push_back(png_byte(p >> 16));
        rows.bytes.push_back(png_byte(p >> 8));
        rows.bytes.push_back(png_byte(p));
        if (!opaque) rows.bytes.push_back(png_byte(p >> 24));
    }
    return rows;
}

// Every libpng call in one function that keeps no local of its own across the jump.
bool writePng(png_structp png, png_infop info, const PngRows* rows, Bytes* out) {
    if (setjmp(png_jmpbuf(png))) return false;
    png_set_write_fn(png, out, appendToBytes, nullptr);
    png_set_compression_level(png, 9);
    png_set_IHDR(png, info, rows->width, rows->height, 8, rows->colorType, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    for (png_uint_32 y = 0; y < rows->height; ++y) png_write_row(png, rows->bytes.data() + size_t(y) * rows->stride);
    png_write_end(png, nullptr);
    return true;
}

}  // namespace

Bytes encodePng(const Picture& picture) {
    const PngRows rows = rowsOf(picture);
    Bytes out;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    const bool written = writePng(png, info, &rows, &out);
    png_destroy_write_struct(&png, &info);
    if (!written) throw std::runtime_error("PNG encoding failed");
    return out;
}

}  // namespace contentc
