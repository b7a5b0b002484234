// Every text of the front end fits the box it is drawn in, in each of the five languages and
// in its font: the widths come from the boxes of the compiled content, the texts from the
// compiled tables. Wrapped pages fit their text area's height as well.

#include "content/ContentIds.h"
#include "pb_src/j2me/java_lang_StringBuffer.h"
#include "src/game/frontend/SceneAssets.h"
#include "src/kv/kv_Resources.h"
#include "src/kv/util/text/kv_util_text_WrappedText.h"
#include "tests/game/frontend/FrontEndGame.h"

namespace {

using namespace front_test;
namespace text = content::text;

// Texts drawn on one line in a box (its width, by set, frame, type and index).
struct LineRow {
    std::vector<int32_t> ids;
    int32_t font;
    int32_t set, frame, type, index;
    bool question;  // drawn with "?" after it
};

TEST(TextFit, EveryFrontEndTextFitsItsBoxInEveryLanguage) {
    FrontEndGame game;
    static std::vector<std::string> failures;
    game.run([](GameDriver& g) {
        auto& game = static_cast<FrontEndGame&>(g);
        game.start();
        ui::SceneManager& m = game.manager();
        const std::vector<LineRow> lines = {
            {{text::LANGUAGE, text::SOUND}, 0, content::res::PANEL_SET, 3, 0, 0, false},
            {{text::LANGUAGE_0, text::LANGUAGE_1, text::LANGUAGE_2, text::LANGUAGE_3, text::LANGUAGE_4, text::SOUND_ON,
              text::SOUND_OFF}, 1, content::res::PANEL_SET, 3, 0, 1, false},
            {{text::PLAY, text::OPTIONS, text::TUTORIAL, text::ABOUT, text::HELP, text::QUIT_GAME, text::LANGUAGE,
              text::SOUND, text::BACK}, 1, content::res::PANEL_SET, 1, 0, 0, false},
            {{text::QUIT_GAME, text::QUIT}, 0, content::res::PANEL_SET, 15, 1, 0, true},
            {{text::PAUSE_TITLE}, 0, content::res::PANEL_SET, 9, 0, 0, false},
            {{text::RESUME, text::RESTART, text::QUIT}, 1, content::res::PANEL_SET, 9, 0, 1, false},
            {{text::MENU, text::NEXT}, 1, content::res::BUTTON_SET, 1, 0, 0, false},
            {{text::TAP_TO_GO_ON}, 1, content::res::PANEL_SET, 7, 0, 0, false},
        };
        const int32_t gobsOf[2] = {content::res::PANEL_GOBS, content::res::BUTTON_GOBS};
        auto boxOf = [&](int32_t set, int32_t frame, int32_t type, int32_t index) {
            VMPtr<kv::Paintable::BoxArray> boxes = scene::assets::newBoxes(index + 1);
            scene::assets::loadAnimSet(set, gobsOf[set == content::res::BUTTON_SET])->getFrame(frame)->getCollisionBoxes(0, boxes, type);
            return VMPtr<kv::graphics::CollisionBox>(boxes->at(index));
        };
        VMPtr<kv::util::text::WrappedText> wrapped = kv::util::text::WrappedText::_VM_new();
        wrapped->_VM_init(VMPtr<kv::KvCanvas>(&m));
        for (int32_t language = 0; language < 5; ++language) {
            VMPtr<kv::util::text::Translation> table = m.translations->at(language);
            for (const LineRow& row : lines)
                for (int32_t id : row.ids) {
                    VMPtr<java::lang::StringBuffer> line = java::lang::StringBuffer::_VM_new();
                    line->_VM_init(table->getText(id));
                    if (row.question) line->append(VMPtr<java::lang::String>::fromLiteral("?"));
                    const int32_t width = m.fonts->at(row.font)->stringWidth(line->toString());
                    const int32_t room = boxOf(row.set, row.frame, row.type, row.index)->width;
                    if (width > room)
                        failures.push_back("language " + std::to_string(language) + " text " + std::to_string(id) + ": " +
                                           std::to_string(width) + " px in " + std::to_string(room));
                }
            // Help's pages wrap at the text area's width; about's body at 240 below its title
            // line, above the closing line.
            VMPtr<kv::graphics::CollisionBox> area = boxOf(content::res::PANEL_SET, 7, 0, 0);
            VMPtr<kv::graphics::CollisionBox> closing = boxOf(content::res::PANEL_SET, 7, 0, 1);
            VMPtr<kv::util::text::RichFont> body = m.fonts->at(1);
            for (int32_t id : {text::HELP_PLAY, text::HELP_SHOP, text::HELP_MARKS}) {
                wrapped->wrap(body, table->getText(id), area->width);
                if (wrapped->getHeight() > area->height)
                    failures.push_back("language " + std::to_string(language) + " page " + std::to_string(id) + " too tall");
            }
            // About's body wraps at the whole game width, wider than its area: its own line
            // breaks must keep each line inside the area.
            wrapped->wrap(body, table->getText(text::ABOUT_BODY), 240);
            if (area->y + body->getHeight() + wrapped->getHeight() > closing->y)
                failures.push_back("language " + std::to_string(language) + " about body runs into the closing line");
            VMPtr<kv::util::text::WrappedText::StringArray> aboutLines = wrapped->getLines();
            for (int32_t i = 0; i < aboutLines->length; ++i)
                if (const int32_t width = body->stringWidth(VMPtr<java::lang::String>(aboutLines->at(i))); width > area->width)
                    failures.push_back("language " + std::to_string(language) + " about line " + std::to_string(i) + ": " +
                                       std::to_string(width) + " px in " + std::to_string(area->width));
        }
        m.requestExit();
    });
    EXPECT_EQ(failures, std::vector<std::string>{});
}

}  // namespace
