#include "tools/packwriter/GobSetEncoder.h"

#include <array>
#include <stdexcept>
#include <string>

#include "tests/support/PngWriter.h"

namespace packwriter {

namespace {

constexpr int32_t kFields = 10;
constexpr int32_t kGroupFields[3] = {2, 4, 4};
constexpr int32_t kFirstWidthBit = 5;
constexpr int32_t kMaxGobs = 0xFFF;
constexpr int32_t kMaxBlockLength = 0x7FFF;
constexpr int32_t kAlphaBlockFlag = 0x2000;
constexpr int32_t kPartEntries = 1024;

[[noreturn]] void refuse(const std::string& why) { throw std::invalid_argument("gob set: " + why); }

bool isSignedField(int32_t f) { return f == 0 || f == 1 || f == 6 || f == 7; }

std::array<int32_t, kFields> valuesOf(const GobDescriptor& d) {
    if (d.collisionWidth < 0 || d.collisionWidth > 0x7FFF) refuse("collision width outside 0..32767");
    const int32_t widthField = d.collisionWidth | (d.circular ? 0x8000 : 0);
    return {d.offsetX, d.offsetY, d.sheetX, d.sheetY, d.width, d.height, d.collisionX, d.collisionY, widthField,
            d.collisionHeight};
}

bool fitsOneByte(int32_t f, int32_t v) { return isSignedField(f) ? v >= -128 && v <= 127 : v >= 0 && v <= 255; }

bool fitsTwoBytes(int32_t f, int32_t v) { return f == 8 ? v >= 0 && v <= 0xFFFF : v >= -32768 && v <= 32767; }

}  // namespace

Bytes encodeGobSet(const GobSet& set) {
    const int32_t count = int32_t(set.gobs.size());
    if (count > kMaxGobs) refuse("more than 4095 gobs");
    if (set.imageIndex < 0 || set.imageIndex >= kPartEntries) refuse("image index outside the part");
    std::vector<std::array<int32_t, kFields>> values;
    for (const GobDescriptor& d : set.gobs) values.push_back(valuesOf(d));
    std::array<int32_t, kFields> widths{};
    int32_t mask = 0, cursor = kFirstWidthBit, field = 0;
    for (int32_t g = 0; g < 3; ++g) {
        bool present = false;
        for (const auto& v : values)
            for (int32_t k = 0; k < kGroupFields[g]; ++k) present = present || v[field + k] != 0;
        if (!present) mask |= 1 << g;
        for (int32_t k = 0; k < kGroupFields[g]; ++k, ++field) {
            if (!present) continue;
            bool one = true;
            for (const auto& v : values) {
                if (!fitsTwoBytes(field, v[field])) refuse("value " + std::to_string(v[field]) + " of field " +
                                                           std::to_string(field) + " does not fit");
                one = one && fitsOneByte(field, v[field]);
            }
            widths[field] = one ? 1 : 2;
            if (one) mask |= 1 << cursor;
            ++cursor;
        }
    }
    Bytes block;
    for (int32_t f = 0; f < kFields; ++f)
        for (const auto& v : values) {
            if (widths[f] == 2) block.push_back(uint8_t(v[f] >> 8));
            if (widths[f] > 0) block.push_back(uint8_t(v[f]));
        }
    if (int32_t(block.size()) + 4 > kMaxBlockLength) refuse("value block too long");
    Bytes out;
    putU16(out, uint32_t(set.imageIndex));
    out.push_back(0);
    putU16(out, uint32_t(block.size() + 4));
    putU16(out, uint32_t(mask));
    putU16(out, uint32_t(count | (set.withAlphaTypes ? kAlphaBlockFlag : 0)));
    out.insert(out.end(), block.begin(), block.end());
    if (set.withAlphaTypes) {
        Bytes types(size_t((count + 3) / 4), 0);
        for (int32_t i = 0; i < count; ++i) {
            const int32_t type = set.gobs[size_t(i)].alphaType;
            if (type < 0 || type > 3) refuse("alpha type outside 0..3");
            types[size_t(i >> 2)] |= uint8_t(type << ((i & 3) * 2));
        }
        if (int32_t(types.size()) + 5 > kMaxBlockLength) refuse("alpha-type block too long");
        putU16(out, uint32_t(types.size() + 5));
        putInt(out, 0);
        out.push_back(0);
        out.insert(out.end(), types.begin(), types.end());
    }
    return out;
}

Bytes encodeSheetPng(const Sheet& sheet) {
    if (sheet.width < 1 || sheet.height < 1 || sheet.argb.size() != size_t(sheet.width) * size_t(sheet.height))
        refuse("sheet pixels do not match its size");
    png_writer::Picture picture;
    picture.width = uint32_t(sheet.width);
    picture.height = uint32_t(sheet.height);
    picture.colorType = png_writer::kRgba;
    for (uint32_t p : sheet.argb)
        picture.samples.insert(picture.samples.end(),
                               {uint16_t((p >> 16) & 0xFF), uint16_t((p >> 8) & 0xFF), uint16_t(p & 0xFF), uint16_t(p >> 24)});
    return png_writer::encode(picture);
}

int32_t addGobSet(std::vector<Entry>& part, const Sheet& sheet, const std::vector<GobDescriptor>& gobs,
                  bool withAlphaTypes) {
    for (const GobDescriptor& d : gobs)
        if (d.sheetX < 0 || d.sheetY < 0 || d.width < 0 || d.height < 0 || d.sheetX + d.width > sheet.width ||
            d.sheetY + d.height > sheet.height)
            refuse("picture outside the sheet");
    GobSet set{int32_t(part.size()), gobs, withAlphaTypes};
    part.push_back({encodeSheetPng(sheet), -3});
    part.push_back({encodeGobSet(set), -1});
    return int32_t(part.size()) - 1;
}

}  // namespace packwriter
