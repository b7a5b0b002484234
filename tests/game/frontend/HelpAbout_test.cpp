// Help (scene 10) and About (scene 6) in the real application: help's page order (0, 2, 0),
// its two buttons and the input it ignores; about's title line with the version, and the
// first press or key after its load returning to the menu; a help bar whose pictures cannot
// be read is a load failure.

#include <fstream>

#include "src/game/frontend/SceneAssets.h"
#include "src/game/frontend/scene_About.h"
#include "src/game/frontend/scene_Help.h"
#include "tests/game/frontend/FrontEndGame.h"

namespace {

using namespace front_test;
using Image = javax::microedition::lcdui::Image;

// The help bar's buttons in the game area.
constexpr int32_t kBackX = 59, kNextX = 181, kButtonY = 298;

TEST(Help, NextPageSkipsPageOneAndWrapsAfterPageTwo) {
    std::vector<int32_t> next;
    for (int32_t page = 0; page <= 3; ++page) next.push_back(scene::Help::nextPage(page));
    EXPECT_EQ(next, (std::vector<int32_t>{2, 2, 0, 4}));
}

TEST(Help, PagesTurnByTouchAndKeyAndTheBackButtonLeads) {
    FrontEndGame game;
    static std::vector<int32_t> pages;
    static bool loadingIgnoredInput = false, pagesDiffer = false;
    game.run([](GameDriver& g) {
        auto& game = static_cast<FrontEndGame&>(g);
        game.startAt(10);
        game.frames(9);
        auto& help = game.scene<scene::Help>();
        game.pointer(1, kNextX, kButtonY);
        game.key(kRight);
        loadingIgnoredInput = help.page == 0 && help.isLoading() && !paintChangesPixels(help);
        game.frames(10);
        const std::vector<uint16_t> first = game.frame();
        game.pointer(2, kNextX, kButtonY);
        game.pointer(3, kNextX, kButtonY);
        pages.push_back(help.page);
        game.pointer(1, kNextX, kButtonY);
        pages.push_back(help.page);
        game.frames(1);
        pagesDiffer = game.frame() != first;
        game.key(kSoftRight);
        pages.push_back(help.page);
        game.key(kSoftLeft);
        game.frames(1);
        pages.push_back(game.sceneId());
        game.startAt(10);
        game.frames(15);
        game.pointer(1, kBackX, kButtonY);
        pages.push_back(game.sceneId());
        game.manager().requestExit();
    });
    EXPECT_TRUE(loadingIgnoredInput);
    EXPECT_TRUE(pagesDiffer);
    EXPECT_EQ(pages, (std::vector<int32_t>{0, 2, 0, 1, 1}));
}

TEST(Help, ABarWhosePicturesCannotBeReadIsALoadFailureThatLeadsToTheMenu) {
    FrontEndGame game;
    // The button gob set's image index now names an entry the part lacks: the set reads as
    // null, which would otherwise leave an invisible bar with live buttons.
    std::fstream gobSet(game.folder / "rsc" / "RP2part19.rp", std::ios::in | std::ios::out | std::ios::binary);
    gobSet.write("\x03\xFF", 2);
    gobSet.close();
    static std::vector<int32_t> seen;
    game.run([](GameDriver& g) {
        auto& game = static_cast<FrontEndGame&>(g);
        game.startAt(10);
        game.frames(2);  // the panel set loaded
        seen.push_back(game.sceneId());
        game.frames(2);  // the bar's set fails
        seen.push_back(game.sceneId());
        game.manager().requestExit();
    });
    EXPECT_EQ(seen, (std::vector<int32_t>{10, 1}));
}

// The rightmost column of the rows y0..y1 where two images differ; -1 when none does.
int32_t rightmostDifference(VMPtr<Image> a, VMPtr<Image> b, int32_t y0, int32_t y1) {
    VMPtr<VMArray<int32_t, 1>> pa = VMArray<int32_t, 1>::_VM_new(240), pb = VMArray<int32_t, 1>::_VM_new(240);
    int32_t right = -1;
    for (int32_t y = y0; y < y1; ++y) {
        a->getRGB(pa, 0, 240, 0, y, 240, 1);
        b->getRGB(pb, 0, 240, 0, y, 240, 1);
        for (int32_t x = 0; x < 240; ++x)
            if (pa->at(x) != pb->at(x)) right = std::max(right, x);
    }
    return right;
}

TEST(About, TheTitleLineEndsInTheVersion) {
    FrontEndGame game;
    static int32_t drawnRight = -1, expectedRight = 0, titleAlone = 0;
    game.run([](GameDriver& g) {
        auto& game = static_cast<FrontEndGame&>(g);
        game.startAt(6);
        game.frames(15);
        auto& about = game.scene<scene::About>();
        VMPtr<Image> page = Image::createImage(240, 320, false, 0), plain = Image::createImage(240, 320, false, 0);
        about.paint(page->getGraphics());
        VMPtr<javax::microedition::lcdui::Graphics> graphics = plain->getGraphics();
        about.backgroundSet->getFrame(0)->paint(graphics);
        about.backgroundSet->getFrame(12)->paint(graphics);
        about.panelSet->getFrame(7)->paint(graphics, 120, 160, 0);
        VMPtr<kv::util::text::RichFont> font = game.manager().fonts->at(1);
        VMPtr<kv::Paintable::BoxArray> boxes = scene::assets::newBoxes(2);
        about.panelSet->getFrame(7)->getCollisionBoxes(0, boxes);
        const int32_t left = boxes->at(0)->x + 120, top = boxes->at(0)->y + 160;  // the text area's corner
        drawnRight = rightmostDifference(page, plain, top, top + font->getHeight());
        expectedRight = left + font->stringWidth(VMPtr<java::lang::String>::fromLiteral("Ostrel v1.0.0"));
        titleAlone = left + font->stringWidth(VMPtr<java::lang::String>::fromLiteral("Ostrel"));
        game.manager().requestExit();
    });
    EXPECT_NEAR(drawnRight, expectedRight, 2);
    EXPECT_GT(drawnRight, titleAlone + 20);
}

class AboutLeaving : public testing::TestWithParam<bool> {};

TEST_P(AboutLeaving, OnlyAPressOrAKeyAfterTheLoadLeaves) {
    static std::vector<int32_t> seen;
    static bool byKey;
    byKey = GetParam();
    FrontEndGame game;
    game.run([](GameDriver& g) {
        auto& game = static_cast<FrontEndGame&>(g);
        game.startAt(6);
        game.frames(4);
        byKey ? game.key(kStar) : game.pointer(1, 120, 160);  // the sixth update: still loading
        game.frames(10);
        game.pointer(2, 30, 30);
        game.pointer(3, 30, 30);
        seen.push_back(game.sceneId());
        byKey ? game.key(kStar) : game.pointer(1, 230, 10);
        game.frames(1);
        seen.push_back(game.sceneId());
        game.manager().requestExit();
    });
    EXPECT_EQ(seen, (std::vector<int32_t>{6, 1}));
}

INSTANTIATE_TEST_SUITE_P(About, AboutLeaving, testing::Values(false, true));

}  // namespace
