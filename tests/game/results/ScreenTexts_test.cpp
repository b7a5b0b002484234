// What the result, game-over, shop and achievement screens draw, by text id and in order:
// every text of the current language reads "#<id>", and the game's two fonts note each
// string they draw with the font, the anchor and the point. Nothing is drawn while loading.

#include "pb_src/j2me/javax_microedition_lcdui_Image.h"
#include "src/game/foundation/SavedProgress.h"
#include "tests/game/results/ResultsGame.h"

namespace {

using namespace results_test;
using Image = javax::microedition::lcdui::Image;
using RichFont = kv::util::text::RichFont;
using String = java::lang::String;
using Texts = std::vector<std::string>;

struct Drawn {
    std::string text;  // "<font> <string> <anchor>"
    int32_t x, y;
};
std::vector<Drawn> drawn;

// One of the game's fonts, noting every string drawn with it (whole or a wrapped line).
class RecordingFont : public RichFont {
    VM_CLASS(RecordingFont, RichFont)
    VMPtr<RecordingFont> _VM_init(VMPtr<RichFont> real, int32_t index) {
        RichFont::_VM_init(real);
        font = index;
        return this;
    }
    void drawSubstring(VMPtr<Graphics> g, VMPtr<String> s, int32_t off, int32_t len, int32_t x, int32_t y,
                       int32_t anchor) override {
        drawn.push_back({std::to_string(font) + " " + s->substring(off, off + len)->toUtf8() + " " + std::to_string(anchor), x, y});
        RichFont::drawSubstring(g, s, off, len, x, y, anchor);
    }
    int32_t font = 0;
};

// A language whose text `id` is "#<id>".
class TaggedTranslation : public kv::util::text::Translation {
    VM_CLASS(TaggedTranslation, Translation)
    VMPtr<TaggedTranslation> _VM_init() {
        Translation::_VM_init();
        return this;
    }
    VMPtr<String> getText(int32_t id) override { return String::withNumber("#", id); }
};

// Boots the game, tags the current language and has both fonts note what they draw.
void startRecording(ResultsGame& g) {
    g.start();
    g.frames(1);
    VMPtr<TaggedTranslation> tagged = TaggedTranslation::_VM_new();
    tagged->_VM_init();
    g.manager().translations->set(g.manager().languageIndex, tagged);
    VMPtr<VMArray<RichFont*, 1>> fonts = g.manager().fonts;
    for (int32_t i = 0; i < 2; ++i) {
        VMPtr<RecordingFont> font = RecordingFont::_VM_new();
        font->_VM_init(VMPtr<RichFont>(fonts->at(i)), i);
        fonts->set(i, font);
    }
}

// What one paint of the current scene draws.
std::vector<Drawn> paintOnce(ResultsGame& g) {
    drawn.clear();
    VMPtr<Image> screen = Image::createImage(240, 320, false, 0);
    g.manager().getScene()->paint(screen->getGraphics());
    return drawn;
}
Texts textsOf(const std::vector<Drawn>& page) {
    Texts texts;
    for (const Drawn& d : page) texts.push_back(d.text);
    return texts;
}
Texts paintTexts(ResultsGame& g) { return textsOf(paintOnce(g)); }

// Opens the scene and paints it after each of its fifteen loading frames, then lets it show:
// what those paints drew.
Texts textsWhileLoading(ResultsGame& g, int32_t id) {
    g.manager().changeScene(id);
    Texts texts;
    for (int32_t i = 0; i < 15; ++i) {
        g.frames(1);
        const Texts page = paintTexts(g);
        texts.insert(texts.end(), page.begin(), page.end());
    }
    g.frames(1);
    return texts;
}

TEST(ScreenTexts, TheResultShowsTitleTimeVerdictChoicesThenTheUnlocksClosedUpFromTheFirstLine) {
    ResultsGame game;
    static Texts loading, firstClear, verdicts, lastStage, nothingNew;
    static std::vector<bool> listStartsAtTheFirstLine;
    game.run([](GameDriver& d) {
        auto& g = static_cast<ResultsGame&>(d);
        startRecording(g);
        g.manager().storeResult(0, 10, 0, 0, 1, 0, 3, 40);  // stage 0 won untouched in 3:40
        loading = textsWhileLoading(g, 12);
        const std::vector<Drawn> first = paintOnce(g);
        firstClear = textsOf(first);
        auto& result = g.scene<scene::Result>();
        for (int32_t mark : {0, 1, 2, 3, 9}) {
            result.stageMark = mark;
            verdicts.push_back(paintTexts(g).at(2));
        }
        const Drawn firstLine = first.at(5);
        g.manager().storeResult(1, 0, 4, 0, 1, 0, 9, 0);  // the last stage, hurt, in 9:00
        g.show(12);
        const std::vector<Drawn> last = paintOnce(g);
        lastStage = textsOf(last);
        g.show(12);  // the same clear again: nothing new
        const std::vector<Drawn> again = paintOnce(g);
        nothingNew = textsOf(again);
        for (const Drawn& line : {last.back(), again.back()})
            listStartsAtTheFirstLine.push_back(line.x == firstLine.x && line.y == firstLine.y);
        g.manager().requestExit();
    });
    EXPECT_EQ(loading, Texts{});
    // Title 17 in the title font, time 35, verdict 21 (mark 3), choices 39 and 16, then the
    // next stage 31, the item 33 and the achievement 32, left-aligned.
    EXPECT_EQ(firstClear, (Texts{"0 #17 1", "1 #35    00:03:40 1", "1 #21 1", "1 #39 1", "1 #16 1", "1 #31 4", "1 #33 4",
                                 "1 #32 4"}));
    EXPECT_EQ(verdicts, (Texts{"1 #20 1", "1 #19 1", "1 #15 1", "1 #21 1", "1  1"}));
    EXPECT_EQ(lastStage, (Texts{"0 #17 1", "1 #35    00:09:00 1", "1 #20 1", "1 #39 1", "1 #16 1", "1 #33 4"}));
    EXPECT_EQ(nothingNew, (Texts{"0 #17 1", "1 #35    00:09:00 1", "1 #20 1", "1 #39 1", "1 #16 1", "1 #14 4"}));
    EXPECT_EQ(listStartsAtTheFirstLine, (std::vector<bool>{true, true}));
}

TEST(ScreenTexts, GameOverShowsTitleTimeAndItsTwoChoices) {
    ResultsGame game;
    static Texts loading, shown;
    game.run([](GameDriver& d) {
        auto& g = static_cast<ResultsGame&>(d);
        startRecording(g);
        g.manager().storeResult(1, 4, 1, 0, 0, 0, 12, 3);
        loading = textsWhileLoading(g, 20);
        shown = paintTexts(g);
        g.manager().requestExit();
    });
    EXPECT_EQ(loading, Texts{});
    EXPECT_EQ(shown, (Texts{"0 #38 1", "1 #35    00:12:03 1", "1 #39 1", "1 #40 1"}));
}

TEST(ScreenTexts, TheShopShowsItsCaptionsAndTheSelectedItemsStatusWithTheButtonOnlyWhenAffordable) {
    ResultsGame game;
    static Texts loading;
    static std::vector<Texts> items;
    game.run([](GameDriver& d) {
        auto& g = static_cast<ResultsGame&>(d);
        startRecording(g);
        Bytes r = ui::progress::newRecord(0);
        r[0] = 2;            // money
        r[3] = r[4] = 1;     // items 1 (price 2) and 2 (price 3) for sale; 0 owned, 3 locked
        g.writeRecord(0, r);
        loading = textsWhileLoading(g, 8);
        auto& shop = g.scene<scene::Shop>();
        for (int32_t item = 0; item < 4; ++item) {
            shop.cursor = item;
            items.push_back(paintTexts(g));
        }
        g.manager().requestExit();
    });
    EXPECT_EQ(loading, Texts{});
    // Title 24, the money, captions 25..29, then the status line.
    const Texts head = {"0 #24 1", "1 2 4", "1 #25 4", "1 #26 4", "1 #27 4", "1 #28 4", "1 #29 4"};
    const std::vector<Texts> status = {{"1 #30 4"}, {"1 #18 : 4", "1  2 4", "1 #22 1"}, {"1 #18 : 4", "1  3 4"}, {"1 #23 4"}};
    ASSERT_EQ(items.size(), status.size());
    for (size_t i = 0; i < items.size(); ++i) {
        Texts expected = head;
        expected.insert(expected.end(), status[i].begin(), status[i].end());
        EXPECT_EQ(items[i], expected) << "item " << i;
    }
}

TEST(ScreenTexts, TheAchievementsShowTheTitleAndTheSelectedDescription) {
    ResultsGame game;
    static Texts loading;
    static std::vector<Texts> pages;
    game.run([](GameDriver& d) {
        auto& g = static_cast<ResultsGame&>(d);
        startRecording(g);
        loading = textsWhileLoading(g, 3);
        auto& screen = g.scene<scene::Achievement>();
        for (int32_t i = 0; i < 4; ++i) {
            screen.cursor = i;
            pages.push_back(paintTexts(g));
        }
        g.manager().requestExit();
    });
    EXPECT_EQ(loading, Texts{});
    EXPECT_EQ(pages, (std::vector<Texts>{{"0 #13 1", "1 #11 1"}, {"0 #13 1", "1 #10 1"}, {"0 #13 1", "1 #5 1"}, {"0 #13 1", "1 #2 1"}}));
}

}  // namespace

VM_DEFINE_CLASS_WITHOUT_FACTORY(RecordingFont, "test.RecordingFont", "kv.util.text.RichFont", VM_NO_CLINIT)
VM_DEFINE_CLASS_WITHOUT_FACTORY(TaggedTranslation, "test.TaggedTranslation", "kv.util.text.Translation", VM_NO_CLINIT)
