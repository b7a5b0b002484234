#pragma once

// Builds PNG files byte by byte, independently of the decoder under test: any colour type and
// bit depth, optional PLTE and tRNS chunks, Adam7 interlacing, and raw chunks for damaged
// files. Samples are given per pixel and channel at the file's bit depth.

#include <zlib.h>

#include <cstdint>
#include <string>
#include <vector>

namespace png_writer {

enum ColorType : uint8_t { kGrey = 0, kRgb = 2, kPalette = 3, kGreyAlpha = 4, kRgba = 6 };

struct Picture {
    uint32_t width = 1;
    uint32_t height = 1;
    uint8_t bitDepth = 8;
    uint8_t colorType = kRgb;
    bool interlaced = false;
    std::vector<uint8_t> palette;       // PLTE contents (RGB triples), written when not empty
    std::vector<uint8_t> transparency;  // tRNS contents, written when not empty
    std::vector<uint16_t> samples;      // width x height x channels, row by row
};

using Bytes = std::vector<uint8_t>;

inline int channelsOf(uint8_t colorType) {
    switch (colorType) {
    case kRgb: return 3;
    case kGreyAlpha: return 2;
    case kRgba: return 4;
    default: return 1;
    }
}

inline void putBig32(Bytes& out, uint32_t value) {
    for (int shift = 24; shift >= 0; shift -= 8) out.push_back(uint8_t(value >> shift));
}

inline Bytes signature() { return {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'}; }

// One chunk: length, type, data and the CRC of type and data.
inline Bytes chunk(const std::string& type, const Bytes& data) {
    Bytes out;
    putBig32(out, uint32_t(data.size()));
    Bytes body(type.begin(), type.end());
    body.insert(body.end(), data.begin(), data.end());
    out.insert(out.end(), body.begin(), body.end());
    putBig32(out, uint32_t(crc32(0, body.data(), uInt(body.size()))));
    return out;
}

inline Bytes header(uint32_t width, uint32_t height, uint8_t bitDepth, uint8_t colorType, bool interlaced) {
    Bytes data;
    putBig32(data, width);
    putBig32(data, height);
    data.insert(data.end(), {bitDepth, colorType, 0, 0, uint8_t(interlaced ? 1 : 0)});
    return chunk("IHDR", data);
}

inline Bytes compress(const Bytes& raw) {
    uLongf size = compressBound(uLong(raw.size()));
    Bytes out(size);
    ::compress2(out.data(), &size, raw.data(), uLong(raw.size()), 9);
    out.resize(size);
    return out;
}

// Appends the filter byte 0 and the packed samples of the given pixels of one row.
inline void packRow(const Picture& picture, uint32_t y, const std::vector<uint32_t>& columns, Bytes& raw) {
    raw.push_back(0);
    const int channels = channelsOf(picture.colorType);
    uint32_t bits = 0;
    int used = 0;
    for (uint32_t x : columns) {
        for (int c = 0; c < channels; ++c) {
            const uint16_t sample = picture.samples[(size_t(y) * picture.width + x) * channels + c];
            if (picture.bitDepth == 16) {
                raw.push_back(uint8_t(sample >> 8));
                raw.push_back(uint8_t(sample));
            } else if (picture.bitDepth == 8) {
                raw.push_back(uint8_t(sample));
            } else {
                bits = (bits << picture.bitDepth) | sample;
                used += picture.bitDepth;
                if (used == 8) {
                    raw.push_back(uint8_t(bits));
                    bits = 0;
                    used = 0;
                }
            }
        }
    }
    if (used > 0) raw.push_back(uint8_t(bits << (8 - used)));
}

// The filtered scanlines: one image, or the seven Adam7 passes (empty passes have no rows).
inline Bytes scanlines(const Picture& picture) {
    static const uint32_t kStart[7][2] = {{0, 0}, {4, 0}, {0, 4}, {2, 0}, {0, 2}, {1, 0}, {0, 1}};
    static const uint32_t kStep[7][2] = {{8, 8}, {8, 8}, {4, 8}, {4, 4}, {2, 4}, {2, 2}, {1, 2}};
    Bytes raw;
    const int passes = picture.interlaced ? 7 : 1;
    for (int pass = 0; pass < passes; ++pass) {
        const uint32_t x0 = picture.interlaced ? kStart[pass][0] : 0, dx = picture.interlaced ? kStep[pass][0] : 1;
        const uint32_t y0 = picture.interlaced ? kStart[pass][1] : 0, dy = picture.interlaced ? kStep[pass][1] : 1;
        std::vector<uint32_t> columns;
        for (uint32_t x = x0; x < picture.width; x += dx) columns.push_back(x);
        if (columns.empty()) continue;
        for (uint32_t y = y0; y < picture.height; y += dy) packRow(picture, y, columns, raw);
    }
    return raw;
}

inline Bytes encode(const Picture& picture) {
    Bytes out = signature();
    const Bytes ihdr = header(picture.width, picture.height, picture.bitDepth, picture.colorType, picture.interlaced);
    out.insert(out.end(), ihdr.begin(), ihdr.end());
    for (const auto& [type, data] : {std::pair{"PLTE", picture.palette}, std::pair{"tRNS", picture.transparency}}) {
        if (data.empty()) continue;
        const Bytes c = chunk(type, data);
        out.insert(out.end(), c.begin(), c.end());
    }
    const Bytes idat = chunk("IDAT", compress(scanlines(picture)));
    const Bytes iend = chunk("IEND", {});
    out.insert(out.end(), idat.begin(), idat.end());
    out.insert(out.end(), iend.begin(), iend.end());
    return out;
}

// An 8-bit RGB file of width x height RGB565 pixels, each channel widened by repeating its
// top bits (so the picture looks right and narrowing it again gives the exact pixel back).
inline Bytes encodeRgb565(const uint16_t* pixels, uint32_t width, uint32_t height) {
    Picture picture;
    picture.width = width;
    picture.height = height;
    for (size_t i = 0; i < size_t(width) * height; ++i) {
        const uint16_t p = pixels[i];
        const uint16_t r = p >> 11, g = (p >> 5) & 0x3F, b = p & 0x1F;
        picture.samples.insert(picture.samples.end(),
                               {uint16_t(r << 3 | r >> 2), uint16_t(g << 2 | g >> 4), uint16_t(b << 3 | b >> 2)});
    }
    return encode(picture);
}

}  // namespace png_writer
