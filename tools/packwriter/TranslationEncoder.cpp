#include "tools/packwriter/TranslationEncoder.h"

#include <stdexcept>

namespace packwriter {

namespace {

constexpr size_t kMaxTexts = 0xFFFF;
constexpr size_t kMaxTextBytes = 0x7FFF;

[[noreturn]] void refuse(const std::string& why) { throw std::invalid_argument("translation: " + why); }

// The code point starting at text[i]; advances i past it. Refuses overlong forms,
// surrogates, values beyond U+10FFFF and cut or stray bytes.
uint32_t nextCodePoint(const std::string& text, size_t& i) {
    const uint8_t lead = uint8_t(text[i++]);
    if (lead < 0x80) return lead;
    // Lead-byte mask and pattern, continuation bytes and least value of each sequence length.
    struct Form { uint8_t mask, pattern; int32_t extra; uint32_t least; };
    static const Form kForms[] = {{0xE0, 0xC0, 1, 0x80}, {0xF0, 0xE0, 2, 0x800}, {0xF8, 0xF0, 3, 0x10000}};
    const Form* form = nullptr;
    for (const Form& f : kForms)
        if ((lead & f.mask) == f.pattern) form = &f;
    if (!form) refuse("malformed UTF-8 lead byte");
    const int32_t extra = form->extra;
    const uint32_t least = form->least;
    uint32_t cp = lead & uint8_t(~form->mask);
    for (int32_t k = 0; k < extra; ++k) {
        if (i >= text.size() || (uint8_t(text[i]) & 0xC0) != 0x80) refuse("cut UTF-8 sequence");
        cp = (cp << 6) | (uint8_t(text[i++]) & 0x3F);
    }
    if (cp < least || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) refuse("invalid UTF-8 code point");
    return cp;
}

void putUnit(Bytes& out, uint32_t unit) {
    if (unit >= 1 && unit < 0x80) {
        out.push_back(uint8_t(unit));
    } else if (unit < 0x800) {
        out.insert(out.end(), {uint8_t(0xC0 | (unit >> 6)), uint8_t(0x80 | (unit & 0x3F))});
    } else {
        out.insert(out.end(),
                   {uint8_t(0xE0 | (unit >> 12)), uint8_t(0x80 | ((unit >> 6) & 0x3F)), uint8_t(0x80 | (unit & 0x3F))});
    }
}

}  // namespace

Bytes modifiedUtf8(const std::string& utf8) {
    Bytes out;
    for (size_t i = 0; i < utf8.size();) {
        const uint32_t cp = nextCodePoint(utf8, i);
        if (cp < 0x10000) {
            putUnit(out, cp);
        } else {
            putUnit(out, 0xD800 + ((cp - 0x10000) >> 10));
            putUnit(out, 0xDC00 + ((cp - 0x10000) & 0x3FF));
        }
    }
    return out;
}

Bytes encodeTranslation(const std::vector<std::string>& texts) {
    if (texts.size() > kMaxTexts) refuse("more than 65535 texts");
    Bytes out;
    putU16(out, uint32_t(texts.size()));
    for (const std::string& text : texts) {
        const Bytes encoded = modifiedUtf8(text);
        if (encoded.size() > kMaxTextBytes) refuse("a text longer than 32767 bytes");
        putU16(out, uint32_t(encoded.size()));
        out.insert(out.end(), encoded.begin(), encoded.end());
    }
    return out;
}

}  // namespace packwriter
