#include "tools/contentc/Encode.h"

#include <stdexcept>

#include "tools/contentc/ContentError.h"
#include "tools/contentc/Raster.h"
#include "tools/packwriter/AnimSetEncoder.h"
#include "tools/packwriter/GlyphFontEncoder.h"
#include "tools/packwriter/GobSetEncoder.h"
#include "tools/packwriter/TranslationEncoder.h"

namespace contentc {

namespace {

// The encoders check the format's limits again; what they refuse is named by its source.
template <typename Encode> Bytes encodeOrFail(const std::string& source, const std::string& item, Encode encode) {
    try {
        return encode();
    } catch (const std::invalid_argument& e) {
        throw ContentError(source, item, e.what());
    }
}

}  // namespace

Bytes encodeGobSet(const GobSet& set) {
    packwriter::GobSet out;
    out.imageIndex = set.imageId & 0x3FF;
    out.withAlphaTypes = true;
    for (const Gob& g : set.gobs)
        out.gobs.push_back(packwriter::GobDescriptor{g.offsetX, g.offsetY, g.sheetX, g.sheetY, g.width, g.height,
                                                     g.collisionX, g.collisionY, g.collisionWidth, g.collisionHeight,
                                                     g.circular, g.alphaType});
    return encodeOrFail(set.source, set.name, [&] { return packwriter::encodeGobSet(out); });
}

Bytes encodeAnimSet(const AnimSet& set) {
    packwriter::AnimSetModel model;
    for (const Frame& f : set.frames) {
        packwriter::AnimFrame frame;
        for (const Module& m : f.modules) frame.modules.push_back(packwriter::AnimModule{m.gob, m.x, m.y, m.flip});
        for (const Box& b : f.boxes)
            frame.boxes.push_back(packwriter::AnimBox{b.x, b.y, b.width, b.height, b.type, b.circular});
        model.frames.push_back(frame);
    }
    for (const Animation& a : set.animations) {
        packwriter::Animation animation;
        animation.loops = a.loops;
        for (const AnimFrame& s : a.frames)
            animation.steps.push_back(packwriter::AnimStep{s.frame, s.duration, s.hold, s.tween, s.dx, s.dy});
        model.animations.push_back(animation);
    }
    return encodeOrFail(set.source, set.name, [&] { return packwriter::encodeAnimSet(model); });
}

std::pair<Bytes, Bytes> encodeGlyphFont(const GlyphFont& font) {
    packwriter::GlyphFont in;
    in.metrics = packwriter::FontMetrics{font.height, font.baseline, font.missingAdvance, font.lineHeight,
                                         font.extraMetric, font.alignByAdvance};
    for (const Glyph& g : font.glyphs)
        in.glyphs.push_back(packwriter::Glyph{char16_t(g.code), g.picture.width, g.picture.height, g.picture.pixels,
                                              g.penX, g.topY, g.advance});
    Bytes gobSet;
    Picture sheet;
    encodeOrFail(font.source, font.name, [&] {
        packwriter::EncodedFont encoded = packwriter::encodeGlyphFont(in);
        sheet.width = encoded.sheet.width;
        sheet.height = encoded.sheet.height;
        sheet.pixels = encoded.sheet.argb;
        gobSet = packwriter::encodeGobSet(packwriter::GobSet{font.imageId & 0x3FF, encoded.gobs, false});
        return Bytes{};
    });
    return {encodePng(sheet), gobSet};
}

Bytes encodeTextTable(const TextTable& table) {
    std::vector<std::string> texts(table.texts.empty() ? 0 : size_t(table.texts.rbegin()->first) + 1);
    for (const auto& [id, text] : table.texts) texts[size_t(id)] = text;  // ids without a text stay empty
    return encodeOrFail(table.source, table.language, [&] { return packwriter::encodeTranslation(texts); });
}

}  // namespace contentc
