// Figures for text: measuring and drawing a 20-character string in a glyph font (95 ASCII
// glyphs of 6 x 10 with partial alpha) and in the system font, wrapping a 1,000-character
// text at 200 px and
// painting it, and a 60-text table (loading it, every getText, loading and decodeAll).

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "bench/BenchRuntime.h"
#include "pb_src/j2me/javax_microedition_lcdui_Graphics.h"
#include "src/kv/kv_KvCanvas.h"
#include "src/kv/kv_Resources.h"
#include "src/kv/util/text/kv_util_text_WrappedText.h"
#include "tools/packwriter/GlyphFontEncoder.h"
#include "tools/packwriter/TranslationEncoder.h"

namespace benchtext {

class Canvas : public kv::KvCanvas {
    VM_CLASS(Canvas, kv::KvCanvas)
    void paint(VMPtr<javax::microedition::lcdui::Graphics>) override {}
};

}  // namespace benchtext

VM_DEFINE_CLASS(benchtext::Canvas, "TextBenchCanvas", "kv.KvCanvas", VM_NO_CLINIT)

namespace {

using javax::microedition::lcdui::Graphics;
using javax::microedition::lcdui::Image;
using kv::util::text::RichFont;
using kv::util::text::Translation;
using kv::util::text::WrappedText;

const char* const kTwenty = "Score: 12345 points!";

VMPtr<Translation::ByteArray> managed(const packwriter::Bytes& bytes) {
    VMPtr<Translation::ByteArray> array = Translation::ByteArray::_VM_new(int32_t(bytes.size()));
    for (size_t i = 0; i < bytes.size(); ++i) array->elements()[i] = int8_t(bytes[i]);
    return array;
}

VMPtr<RichFont> makeFont(bool bitmap) {
    VMPtr<RichFont> font = RichFont::_VM_new();
    font->_VM_init();
    if (!bitmap) return font;
    packwriter::GlyphFont model{{12, 10, 6, 13, 0, false}, {}};
    for (char16_t c = 32; c < 127; ++c) {
        packwriter::Glyph g;
        g.code = c;
        g.advance = 7;
        g.width = c == u' ' ? 0 : 6;
        g.height = c == u' ' ? 0 : 10;
        for (int32_t i = 0; i < g.width * g.height; ++i) g.argb.push_back(i % 3 ? 0xFFFFFFFFu : 0x80FFFFFFu);
        model.glyphs.push_back(g);
    }
    std::vector<packwriter::Entry> part;
    const int32_t id = packwriter::addGlyphFont(part, model);
    VMPtr<Translation::ByteArray> pack = managed(packwriter::table(part));
    kv::Resources::attachStream(kv::Resources::createStream(pack, 0, pack->length));
    font->setGlyphs(kv::Resources::getGobs(id));
    return font;
}

struct Fixture {
    Fixture() {
        benchRuntime(64ull << 20, 512ull << 20);
        glyphFont = makeFont(true);
        systemFont = makeFont(false);
        screen = Image::createImage(240, 320, false, 0);
        g = screen->getGraphics();
        std::string words;
        while (words.size() < 1000) words += "lorem ipsum-dolor sit amet, 42 -7 consectetur ";
        longText = java::lang::String::fromUtf8(words.substr(0, 1000).c_str());
        std::vector<std::string> texts;
        for (int32_t i = 0; i < 60; ++i) texts.push_back(std::string("Text caf\xC3\xA9 number ") + std::to_string(i) +
                                                         std::string(size_t(i % 40), 'x'));
        table = managed(packwriter::encodeTranslation(texts));
    }
    VMPtr<RichFont> glyphFont{VMStaticScope::instance()}, systemFont{VMStaticScope::instance()};
    VMPtr<Image> screen{VMStaticScope::instance()};
    VMPtr<Graphics> g{VMStaticScope::instance()};
    VMPtr<java::lang::String> longText{VMStaticScope::instance()};
    VMPtr<Translation::ByteArray> table{VMStaticScope::instance()};
};

Fixture& fixture() {
    static Fixture f;
    return f;
}

RichFont* fontFor(const benchmark::State& state) {
    return state.range(0) ? fixture().glyphFont.get() : fixture().systemFont.get();
}

void BM_StringWidth(benchmark::State& state) {
    VMPtr<RichFont> font(fontFor(state));
    VMPtr<java::lang::String> s = java::lang::String::fromUtf8(kTwenty);
    for (auto _ : state) benchmark::DoNotOptimize(font->stringWidth(s));
}
BENCHMARK(BM_StringWidth)->ArgName("bitmap")->Arg(1)->Arg(0);

void BM_DrawString(benchmark::State& state) {
    VMPtr<RichFont> font(fontFor(state));
    VMPtr<java::lang::String> s = java::lang::String::fromUtf8(kTwenty);
    for (auto _ : state) font->drawString(fixture().g, s, 120, 100, 17);
}
BENCHMARK(BM_DrawString)->ArgName("bitmap")->Arg(1)->Arg(0);

void BM_Wrap1000CharsAt200(benchmark::State& state) {
    VMPtr<RichFont> font(fontFor(state));
    VMPtr<WrappedText> wrapped = WrappedText::_VM_new();
    wrapped->_VM_init(benchtext::Canvas::_VM_new());
    for (auto _ : state) benchmark::DoNotOptimize(wrapped->wrap(font, fixture().longText, 200));
    state.counters["lines"] = wrapped->getLineCount();
}
BENCHMARK(BM_Wrap1000CharsAt200)->ArgName("bitmap")->Arg(1)->Arg(0);

void BM_PaintWrappedScreen(benchmark::State& state) {
    VMPtr<RichFont> font(fontFor(state));
    VMPtr<WrappedText> wrapped = WrappedText::_VM_new();
    wrapped->_VM_init(benchtext::Canvas::_VM_new());
    wrapped->wrap(font, fixture().longText, 200);
    for (auto _ : state) wrapped->paint(fixture().g, 20, 0, 20);
}
BENCHMARK(BM_PaintWrappedScreen)->ArgName("bitmap")->Arg(1)->Arg(0);

VMPtr<Translation> loadTable() {
    const VMPtr<Translation::ByteArray>& bytes = fixture().table;
    VMPtr<Translation> table = Translation::_VM_new();
    table->_VM_init();
    return table->load(kv::Resources::createStream(bytes, 0, bytes->length), bytes->length);
}

void BM_Table60Load(benchmark::State& state) {
    for (auto _ : state) benchmark::DoNotOptimize(loadTable().get());
}
BENCHMARK(BM_Table60Load);

void BM_Table60GetEveryText(benchmark::State& state) {
    VMPtr<Translation> table = loadTable();
    for (auto _ : state)
        for (int32_t id = 0; id < 60; ++id) benchmark::DoNotOptimize(table->getText(id).get());
}
BENCHMARK(BM_Table60GetEveryText);

void BM_Table60LoadAndDecodeAll(benchmark::State& state) {
    for (auto _ : state) loadTable()->decodeAll();
}
BENCHMARK(BM_Table60LoadAndDecodeAll);

}  // namespace

BENCHMARK_MAIN();
