// The player's road to and through the world map in the real application, by taps aimed at
// the centres of the compiled zones: from a fresh database through the logo, the options and
// the menu to the map and its start; the story's introduction after the tutorial; a game with
// three open stages; the ending and the lead-in to the last boss. Scenes that are not built
// yet are checked by the id asked for. Every screen passed is saved (map_road/).

#include "src/kv/kv_Resources.h"
#include "tests/game/frontend/MapGame.h"

namespace {

using namespace map_test;

class RoadGame : public MapGame {
public:
    RoadGame() { std::filesystem::create_directories("map_road"); }
    void save(const std::string& name) { savePng("map_road/" + name + ".png"); }
    // Plays the story shown until it asks for another scene.
    void playStory(const std::string& name) {
        int frame = 0;
        while (sceneId() == 11 && frame < 1000) {
            frames(1);
            if (frame++ % 80 == 0) save(name + "_" + std::to_string(frame));
        }
    }
};

// The option panel's confirm zone and the menu bar's select zone, from the panel set.
Point optionConfirm() {
    VMPtr<kv::AnimSet> panels = kv::Resources::getAnimSet(0x809);
    return centreOf(*panels->getFrame(3), 1, 2, 120, 160);
}
Point menuSelect() {
    VMPtr<kv::AnimSet> panels = kv::Resources::getAnimSet(0x809);
    return centreOf(*panels->getFrame(1), 0, 0, 120, 320);
}

TEST(MapRoad, AFreshGameGoesFromTheLogoThroughTheMenuToTheMapAndStartsTheTutorial) {
    RoadGame game;
    static std::vector<int32_t> seen;
    static std::vector<int8_t> block;
    game.run([](GameDriver& g) {
        auto& game = static_cast<RoadGame&>(g);
        game.start();
        game.frames(61 + 16);  // the logo, then the language page loaded
        const Point confirm = optionConfirm(), select = menuSelect();
        game.tapAt(confirm, 20);  // English
        game.tapAt(confirm, 20);  // sound as it is
        game.frames(50);          // the menu loaded, its bar open
        seen.push_back(g.sceneId());
        game.tapAt(select, 20);  // play: its first entry; the map loads in sixteen frames
        seen.push_back(g.sceneId());
        game.save("fresh_map");
        seen.insert(seen.end(), {game.map().selectedStage, game.map().openStageCount});
        game.tapAt(game.startZone());
        seen.push_back(int32_t(game.asked(4)));
        const std::vector<int8_t> record = g.record(0);
        block.assign(record.begin() + 13, record.end());
        g.manager().requestExit();
    });
    EXPECT_EQ(seen, (std::vector<int32_t>{1, 7, 0, 1, 1}));
    EXPECT_EQ(block, std::vector<int8_t>(7, 0));
}

TEST(MapRoad, AfterTheTutorialStageZeroStartsThroughTheIntroductionIntoTheLevel) {
    RoadGame game;
    static std::vector<int32_t> seen;
    game.run([](GameDriver& g) {
        auto& game = static_cast<RoadGame&>(g);
        std::vector<int8_t> first(20, 0);
        std::fill(first.begin() + 3, first.begin() + 9, 2);
        first[1] = 1;  // as the tutorial leaves it
        g.writeRecord(0, first);
        game.start();
        game.openMap();
        game.tapAt(game.startZone(), 1);
        seen = {g.sceneId(), g.manager().storyMode};
        game.playStory("introduction");
        seen.insert(seen.end(), {int32_t(game.asked(2)), g.manager().stage});
        g.manager().requestExit();
    });
    EXPECT_EQ(seen, (std::vector<int32_t>{11, 1, 1, 0}));
}

TEST(MapRoad, ThreeOpenStagesWithMarksStepDownAndLeaveByEveryButton) {
    RoadGame game;
    static std::vector<std::string> log;
    game.run([](GameDriver& g) {
        auto& game = static_cast<RoadGame&>(g);
        std::vector<int8_t> second(25, 0);
        second[0] = second[1] = second[2] = 1;
        second[3] = second[4] = 0;
        second[5] = 3, second[6] = 1, second[7] = second[8] = second[9] = -1;
        second[10] = 0, second[15] = 4, second[20] = 12;  // stage 0: 00:04:12
        second[11] = 0, second[16] = 7, second[21] = 30;  // stage 1: 00:07:30
        g.writeRecord(1, second);
        game.start();
        game.openMap();
        auto note = [&](const std::string& what) {
            scene::WorldMap& map = game.map();
            log.push_back(what + ": state " + std::to_string(map.state) + " stage " + std::to_string(map.selectedStage) +
                          " mark " + std::to_string(map.stageMarks->at(map.selectedStage)));
        };
        note("opened");
        game.save("marks_stage2");
        game.tapAt(game.nextZone());
        note("next");
        for (int i = 0; i < 2; ++i) {
            game.tapAt(game.previousZone(), 1);
            for (int f = 0; game.map().state != 1 && f < 200; ++f) {
                game.frames(1);
                if (f == 4 && i == 0) game.save("move_previous_half_way");
            }
            game.frames(1);
            note("previous");
        }
        game.save("marks_stage0");
        game.tapAt(game.previousZone());
        note("previous again");
        game.tapAt(game.nextZone(), 1);
        game.frames(4);
        game.save("move_next_half_way");
        game.frames(60);
        const Point menu = game.menuZone(), achievements = game.centreZone(0), shop = game.centreZone(1);
        game.tapAt(menu);
        log.push_back("menu: " + std::to_string(g.sceneId()));
        for (Point zone : {achievements, shop}) {
            game.openMap();
            game.tapAt(zone);
        }
        log.push_back("centre buttons asked: " + std::to_string(game.asked(3)) + std::to_string(game.asked(8)));
        g.manager().requestExit();
    });
    EXPECT_EQ(log, (std::vector<std::string>{"opened: state 1 stage 2 mark -1", "next: state 1 stage 2 mark -1",
                                             "previous: state 1 stage 1 mark 1", "previous: state 1 stage 0 mark 3",
                                             "previous again: state 1 stage 0 mark 3", "menu: 1",
                                             "centre buttons asked: 11"}));
}

TEST(MapRoad, TheEndingLeadsToTheMapAndTheLeadInToTheLastBoss) {
    RoadGame game;
    static std::vector<int32_t> seen;
    game.run([](GameDriver& g) {
        auto& game = static_cast<RoadGame&>(g);
        game.start();
        g.setStoryMode(2);
        g.manager().changeScene(11);
        g.frames(1);
        game.playStory("ending");
        seen.push_back(g.sceneId());
        g.setStoryMode(3);
        g.manager().changeScene(11);
        g.frames(1);
        game.playStory("lead_in");
        seen.push_back(int32_t(game.asked(19)));
        g.manager().requestExit();
    });
    EXPECT_EQ(seen, (std::vector<int32_t>{7, 1}));
}

}  // namespace
