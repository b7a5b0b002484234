// Graphics: clip and translation arithmetic up to the 32-bit limits, the anchor rules, the
// eight region transforms pixel by pixel, overlapping area copies, the RGB index checks,
// the colour rules, and a collection between draws.

#include "hal/display/HALGraphics.h"
#include "pb_src/j2me/java_lang_IllegalStateException.h"
#include "tests/j2me/lcdui/ProfileTestSupport.h"

namespace profiletest {
namespace {

using java::lang::ArrayIndexOutOfBoundsException;
using java::lang::IllegalArgumentException;
using Rows = std::vector<std::string>;

struct ClipCase {
    int32_t tx, ty;
    bool narrow;  // clipRect after setClip(10, 10, 30, 20), else setClip
    int32_t x, y, w, h;
    int16_t x1, y1, x2, y2;  // expected surface edges
};

TEST(Graphics, ClipAndTranslationStayOnTheSurfaceAtThe32BitLimits) {
    const ClipCase cases[] = {
        {0, 0, false, -10, -10, 20, 20, 0, 0, 10, 10},
        {5, 5, false, 0, 0, INT_MAX, INT_MAX, 5, 5, 64, 48},
        {INT_MAX - 5, 0, false, 10, 0, 5, 5, 0, 0, 0, 0},          // beyond the right edge: empty
        {INT_MIN + 5, 0, false, -10, 0, 20, 20, 0, 0, 0, 20},      // far left of the surface
        {0, 0, true, 0, 12, 5, 5, 0, 0, 0, 0},                     // left of the clip: empty
        {0, 0, true, 20, 0, INT_MAX, INT_MAX, 20, 10, 40, 30},
        {INT_MAX - 5, 0, true, 10, 10, 5, 5, 0, 0, 0, 0},          // overflow: right of the clip, not at 0
        {0, 0, true, 15, 15, 0, 5, 0, 0, 0, 0},
    };
    for (const ClipCase& c : cases) {
        Canvas canvas(64, 48);
        Graphics& g = *canvas.g;
        if (c.narrow) g.setClip(10, 10, 30, 20);
        g.translate(c.tx, c.ty);
        c.narrow ? g.clipRect(c.x, c.y, c.w, c.h) : g.setClip(c.x, c.y, c.w, c.h);
        using Edges = std::vector<int>;
        EXPECT_EQ(Edges({g.clipX1, g.clipY1, g.clipX2, g.clipY2}), Edges({c.x1, c.y1, c.x2, c.y2}))
            << "translation " << c.tx << ", x " << c.x;
        const HALRect& native = g.nativeContext->clip();
        EXPECT_EQ(native.width * native.height, (c.x2 - c.x1) * (c.y2 - c.y1)) << "the platform clip agrees";
    }
}

TEST(Graphics, AnchorRules) {
    struct Valid { int32_t anchor, disallowed; bool valid; };
    const Valid valid[] = {{0, 64, true}, {20, 2, true}, {1 | 2, 0, true}, {8 | 64, 2, true}, {8 | 64, 64, false},
                           {4 | 8 | 16, 0, false}, {4, 0, false}, {16, 0, false}, {128 | 20, 0, false}, {-1, 0, false}};
    for (const Valid& v : valid) EXPECT_EQ(Graphics::isValidAnchor(v.anchor, v.disallowed), v.valid) << v.anchor;
    struct Placed { int32_t anchor, transform; int64_t x, y; };
    const Placed placed[] = {{0, 5, 100, 100}, {1 | 2, 0, 95, 98}, {8 | 32, 0, 90, 96}, {8 | 32, 5, 96, 90},
                             {4 | 16, 0, 100, 100}, {1 | 2, 6, 98, 95}};
    for (const Placed& p : placed) {
        int64_t x = 100, y = 100;
        EXPECT_TRUE(Graphics::applyAnchor(x, y, 10, 4, p.anchor, p.transform));
        EXPECT_EQ(x, p.x) << p.anchor << "/" << p.transform;
        EXPECT_EQ(y, p.y) << p.anchor << "/" << p.transform;
    }
    int64_t x = 0, y = 0;
    EXPECT_FALSE(Graphics::applyAnchor(x, y, 10, 4, 4 | 64, 0)) << "no baseline for images";
    Canvas canvas(8, 8);
    EXPECT_THROW(canvas.g->drawString(VMPtr<java::lang::String>::fromLiteral("x"), 0, 0, 2 | 4), IllegalArgumentException*);
    EXPECT_THROW(canvas.g->drawImage(imageOf({"A"}), 0, 0, 4 | 64), IllegalArgumentException*);
    canvas.g->drawString(VMPtr<java::lang::String>::fromLiteral("x"), 0, 0, 0);
    canvas.g->drawChar(u'x', 0, 0, 2 | 4);
}

TEST(Graphics, TextIsPlacedByItsAnchor) {
    Canvas reference(60, 40);
    VMPtr<java::lang::String> text = VMPtr<java::lang::String>::fromLiteral("Wq");
    reference.g->drawString(text, 5, 5, 0);
    Font& font = *reference.g->getFont();
    const int32_t w = font.stringWidth(text), h = font.getHeight(), base = font.getBaselinePosition();
    ASSERT_NE(lettersOf(reference.image), Rows(40, std::string(60, '.'))) << "the text is drawn";
    struct Placed { int32_t anchor, x, y; };
    const Placed placed[] = {{Graphics::RIGHT | Graphics::BOTTOM, 5 + w, 5 + h},
                             {Graphics::HCENTER | Graphics::BASELINE, 5 + w / 2, 5 + base},
                             {Graphics::LEFT | Graphics::TOP, 5, 5}};
    for (const Placed& p : placed) {
        Canvas canvas(60, 40);
        canvas.g->translate(-100, 7);
        canvas.g->drawString(text, p.x + 100, p.y - 7, p.anchor);
        EXPECT_EQ(lettersOf(canvas.image), lettersOf(reference.image)) << "anchor " << p.anchor;
    }
}

TEST(Graphics, RegionTransformsArePixelExact) {
    const Rows expected[8] = {{"ABC", "DEF"}, {"DEF", "ABC"}, {"CBA", "FED"}, {"FED", "CBA"},
                              {"AD", "BE", "CF"}, {"DA", "EB", "FC"}, {"CF", "BE", "AD"}, {"FC", "EB", "DA"}};
    testRuntime();
    VMPtr<Image> source = imageOf({"ABC", "DEF"});
    for (int32_t transform = 0; transform < 8; ++transform) {
        for (int32_t blend : {0, 0x100}) {
            const bool turned = (transform & 4) != 0;
            Canvas canvas(turned ? 2 : 3, turned ? 3 : 2);
            canvas.g->drawRegion(source, 0, 0, 3, 2, transform | blend, canvas.image->getWidth(),
                                 canvas.image->getHeight(), Graphics::RIGHT | Graphics::BOTTOM);
            EXPECT_EQ(lettersOf(canvas.image), expected[transform]) << "transform " << transform;
        }
    }
    Canvas canvas(4, 4);
    EXPECT_THROW(canvas.g->drawRegion(source, 0, 0, 3, 2, 0x400, 0, 0, 0), IllegalArgumentException*);
    EXPECT_THROW(canvas.g->drawRegion(source, 1, 0, INT_MAX, 2, 0, 0, 0, 0), IllegalArgumentException*);
    EXPECT_THROW(canvas.g->drawRegion(canvas.image, 0, 0, 1, 1, 0, 0, 0, 0), IllegalArgumentException*);
}

TEST(Graphics, CopyAreaOverlapsAsThroughACopy) {
    Canvas canvas(6, 2);
    canvas.g->drawRegion(imageOf({"ABCDEF", "FEDCBA"}), 0, 0, 6, 2, 0, 0, 0, 0);
    canvas.g->copyArea(0, 0, 4, 2, 2, 0, Graphics::TOP | Graphics::LEFT);
    EXPECT_EQ(lettersOf(canvas.image), Rows({"ABABCD", "FEFEDC"}));
    canvas.g->translate(1, 0);
    canvas.g->copyArea(1, 0, 4, 1, 3, 2, Graphics::BOTTOM | Graphics::RIGHT);
    EXPECT_EQ(lettersOf(canvas.image), Rows({"ABABCD", "ABCDDC"}));
    EXPECT_THROW(canvas.g->copyArea(INT_MAX, 0, 2, 1, 0, 0, 0), IllegalArgumentException*);
    EXPECT_THROW(canvas.g->copyArea(0, 0, 6, 1, 0, 0, 0), IllegalArgumentException*) << "beyond the width";
    canvas.g->image = nullptr;  // as a screen-buffer Graphics has none
    EXPECT_THROW(canvas.g->copyArea(0, 0, 1, 1, 0, 0, 0), java::lang::IllegalStateException*);
}

TEST(Graphics, DrawRgbChecksEveryIndexAndDrawsNothingForNegativeSides) {
    struct RgbCase { int32_t length, offset, scanlength, w, h; bool throws; bool draws; };
    const RgbCase cases[] = {
        {29, 0, 10, 10, 3, true, false},    {30, 0, 10, 10, 3, false, true},  {30, 20, -10, 10, 3, false, true},
        {30, 10, -10, 10, 3, true, false},  {30, 0, INT_MAX, 2, 3, true, false}, {30, INT_MAX, 1, 2, 1, true, false},
        {30, 5, 1, -3, 2, false, false},    {30, 5, 1, 2, -3, false, false},  {30, 0, 10, 0, 0, false, false},
    };
    for (const RgbCase& c : cases) {
        Canvas canvas(10, 3);
        VMPtr<IntArray> data = ints(std::vector<int32_t>(size_t(c.length), colourOf('A')));
        auto draw = [&] { canvas.g->drawRGB(data, c.offset, c.scanlength, 0, 0, c.w, c.h, false); };
        if (c.throws) EXPECT_THROW(draw(), ArrayIndexOutOfBoundsException*) << c.offset << "/" << c.scanlength;
        else draw();
        EXPECT_EQ(lettersOf(canvas.image)[0][0], c.draws ? 'A' : '.') << c.offset << "/" << c.w << "/" << c.h;
    }
}

TEST(Graphics, ColourRules) {
    Canvas canvas(4, 4);
    Graphics& g = *canvas.g;
    g.setColor(int32_t(0x12345678));
    EXPECT_EQ(g.getColor(), 0x345678);
    EXPECT_EQ(g.getAlpha(), 255) << "the top byte is no alpha";
    EXPECT_EQ(uint32_t(g.nativeContext->color()), 0xFF345678u);
    EXPECT_EQ(g.getGrayScale(), (0x56 * 150 + 0x34 * 76 + 0x78 * 29) >> 8);
    g.setARGBColor(0x80, 1, 2, 3);
    EXPECT_EQ(uint32_t(g.getARGBColor()), 0x80010203u);
    EXPECT_EQ(g.nativeContext->color(), 0x80010203u);
    EXPECT_EQ(g.getDisplayColor(0x123456), 0x103450);
    EXPECT_THROW(g.setColor(256, 0, 0), IllegalArgumentException*);
    EXPECT_THROW(g.setGrayScale(-1), IllegalArgumentException*);
    EXPECT_THROW(g.setAlpha(300), IllegalArgumentException*);
    EXPECT_THROW(g.setStrokeStyle(2), IllegalArgumentException*);
    EXPECT_THROW(g.setRenderMode(1), IllegalArgumentException*) << "an opaque image";
    Image::createImage(2, 2, true, 0)->getGraphics()->setRenderMode(1);
    g.resetState(true);
    EXPECT_EQ(g.nativeContext->color(), 0xFF000000u);
    EXPECT_EQ(g.getFont().get(), Font::getDefaultFont().get());
}

TEST(Graphics, ACollectionBetweenDrawsKeepsTheImageAndFontItUses) {
    Canvas canvas(40, 20);
    VMPtr<Graphics> g = canvas.g;
    canvas.image = nullptr;
    canvas.g = nullptr;
    g->setFont(Font::getFont(Font::FACE_MONOSPACE, Font::STYLE_BOLD, Font::SIZE_LARGE));
    for (int frame = 0; frame < 3; ++frame) {
        VMPtr<Image> sprite = imageOf({"AB", "CD"});
        g->drawRegion(sprite, 0, 0, 2, 2, frame, frame, 0, 0);
        sprite = nullptr;
        testRuntime()->collect();
        g->drawString(VMPtr<java::lang::String>::fromLiteral("Hi"), 0, 0, 0);
    }
    EXPECT_EQ(g->getFont()->getFace(), Font::FACE_MONOSPACE);
    EXPECT_EQ(lettersOf(g->image)[19][39], '.');
}

}  // namespace
}  // namespace profiletest
