// The whole game played by the scripted player (ScriptedPlayer.h) from a fresh database:
// the scenes it passed, the saved progress and the music it heard are checked against the run.

#include <map>
#include <numeric>
#include <set>

#include "tests/game/playthrough/ScriptedPlayer.h"

namespace {

using namespace game_test;
namespace progress = ui::progress;

// The scenes in the order the game asked for them, with shop and achievements visits (map,
// shop or achievements, map), retries after a game over (game over, the level again) and
// stages played again for coins (from the level to the map after the result) taken out.
std::vector<int32_t> road(const Log& log, int* shopVisits) {
    std::vector<int32_t> ids;
    for (size_t i = 0; i < askedScenes.size(); ++i) {
        const auto replay = std::find_if(log.replaySpans.begin(), log.replaySpans.end(), [&](auto span) { return span.first == i; });
        if (replay != log.replaySpans.end()) {
            i = replay->second - 1;  // the map after it
            continue;
        }
        const int32_t id = askedScenes[i];
        if (id == scene_id::kAchievements) {
            ++i;  // back to the map
            continue;
        }
        if (id == scene_id::kShop) {
            ++*shopVisits;
            ++i;  // back to the map
            continue;
        }
        if (id == scene_id::kGameOver) {
            ids.pop_back();  // the lost level or fight, played again next
            continue;
        }
        ids.push_back(id);
    }
    return ids;
}

// The saved progress after `cleared` stages: the next one open, marks and best times of the
// cleared ones as their results stored them (a replay's best time never longer than before),
// money and weapons as earned and bought, the achievements the run met; the music of every
// level and fight heard and stopped by pause.
void expectProgress(const Playing& run, int32_t cleared) {
    const Log& log = run.log;
    std::vector<int32_t> stages(static_cast<size_t>(cleared), 0);
    std::iota(stages.begin(), stages.end(), 0);
    // Each stage cleared once in order, and again once for each time it was played again.
    std::vector<int32_t> firsts;
    for (int32_t stage : log.clearedStages)
        if (std::find(firsts.begin(), firsts.end(), stage) == firsts.end()) firsts.push_back(stage);
    EXPECT_EQ(firsts, stages);
    EXPECT_EQ(log.clearedStages.size(), stages.size() + size_t(log.replays));
    // Across replays a stage's best time is only ever shortened: each clear leaves the shorter
    // of the best before it and its own time.
    std::map<int32_t, int32_t> bestSoFar;
    for (size_t i = 0; i < log.clearedStages.size(); ++i) {
        const auto before = bestSoFar.find(log.clearedStages[i]);
        const int32_t shortest = before == bestSoFar.end() ? log.clearSeconds[i] : std::min(before->second, log.clearSeconds[i]);
        EXPECT_EQ(log.stageSeconds[i], shortest) << "clear " << i << " of stage " << log.clearedStages[i];
        bestSoFar[log.clearedStages[i]] = log.stageSeconds[i];
    }
    for (int32_t stage = 0; stage < progress::kStageCount; ++stage) {
        EXPECT_EQ(run.r1[size_t(stage)], stage <= cleared ? 1 : 0) << "stage " << stage << " open";
        const int32_t h = run.r1[size_t(progress::kBestHours + stage)], m = run.r1[size_t(progress::kBestMinutes + stage)];
        const int32_t seconds = h * 3600 + m * 60 + run.r1[size_t(progress::kBestSeconds + stage)];
        const int32_t mark = run.r1[size_t(progress::kMarks + stage)];
        std::printf("stage %d: mark %d, best time %d s\n", stage, mark, seconds);
        if (stage < cleared) {
            const auto last = std::find(log.clearedStages.rbegin(), log.clearedStages.rend(), stage);
            EXPECT_EQ(seconds, log.stageSeconds[size_t(log.clearedStages.rend() - last - 1)]);
            EXPECT_GT(seconds, 0);
            EXPECT_EQ(mark, results::markForTime(h, m)) << "stage " << stage;
        } else {
            EXPECT_EQ(seconds, 0);
            EXPECT_EQ(mark, -1);
        }
    }
    EXPECT_EQ(run.r0[progress::kMoney], log.expectedMoney);
    for (int32_t item = 1; item < progress::kItemCount; ++item) {
        const bool bought = std::count(log.bought.begin(), log.bought.end(), item) == 1;
        EXPECT_EQ(run.r0[size_t(progress::kItems + item)] == progress::kItemOwned, bought) << "item " << item;
    }
    EXPECT_EQ(run.r0[size_t(progress::kAchievements + 2)], log.anyUntouched ? 1 : 0);
    EXPECT_EQ(run.r0[size_t(progress::kAchievements + 3)], log.bought.size() == 6 ? 1 : 0);
    // All marks two or three (0), all three (1): only once every stage has one.
    int32_t lowest = 3;
    for (int32_t stage = 0; stage < progress::kStageCount; ++stage) lowest = std::min<int32_t>(lowest, run.r1[size_t(progress::kMarks + stage)]);
    EXPECT_EQ(run.r0[size_t(progress::kAchievements + 0)], lowest >= 2 ? 1 : 0);
    EXPECT_EQ(run.r0[size_t(progress::kAchievements + 1)], lowest == 3 ? 1 : 0);
    std::set<std::string> heard;
    for (const std::string& line : log.music) {
        EXPECT_TRUE(line.ends_with(" heard stopped")) << line;
        heard.insert(line.substr(0, line.find(' ')));
    }
    std::set<std::string> played{"4", "2"};
    for (int32_t stage = 0; stage < cleared; ++stage) played.insert(std::to_string(scene_id::kBoss1 + stage));
    EXPECT_EQ(heard, played);
    // Once a run: the quit question declined in a level, the achievements seen from the map.
    EXPECT_EQ(log.quitQuestions, 1);
    EXPECT_EQ(std::count(askedScenes.begin(), askedScenes.end(), scene_id::kAchievements), 1);
    std::printf("money %d, bought %zu items\n", run.r0[progress::kMoney], log.bought.size());
}

// In CI: from the logo through the tutorial, the introduction, stages 0 and 1 with their
// bosses, results and shop (stage 0 played once more after its first clear), to the start of
// stage 2. In English; outside CI the same run in another language is
// OSTREL_PLAYTHROUGH_LANGUAGE=<0..4>.
TEST(Playthrough, AFreshGameIsPlayedByTouchThroughTheFirstTwoStages) {
    const Playing run = play([](Player& p) { return p.sceneId() == scene_id::kNormalLevel && p.stage() == 2; }, 0);
    EXPECT_EQ(run.log.replays, 1);
    ASSERT_TRUE(run.reached) << "stopped in scene " << (askedScenes.empty() ? -1 : askedScenes.back());
    int shopVisits = 0;
    EXPECT_EQ(road(run.log, &shopVisits), (std::vector<int32_t>{0, 14, 1, 7, 4, 11, 2, 15, 12, 7, 2, 16, 12, 7, 2}));
    EXPECT_LE(shopVisits, int(run.log.bought.size()));  // the map opens the shop only when a weapon is affordable
    expectProgress(run, 2);
}

// Outside CI (OSTREL_PLAYTHROUGH=full): the whole game from a fresh database, through the five
// stages and their fights, the lead-in before the last fight and the ending, back to the map.
TEST(Playthrough, TheWholeGame) {
    if (!std::getenv("OSTREL_PLAYTHROUGH")) GTEST_SKIP() << "set OSTREL_PLAYTHROUGH=full";
    // Done on the map after the ending, once the last weapons the money covers are bought.
    const Playing run = play([](Player& p) {
        const auto boss5 = std::find(askedScenes.begin(), askedScenes.end(), scene_id::kBoss5);
        const bool ended = boss5 != askedScenes.end() && std::find(boss5, askedScenes.end(), scene_id::kStory) != askedScenes.end();
        scene::WorldMap* map = p.scene<scene::WorldMap>();
        return ended && map && map->state == scene::WorldMap::kReady && affordable(p.record(0)) < 0;
    });
    ASSERT_TRUE(run.reached) << "stopped in scene " << (askedScenes.empty() ? -1 : askedScenes.back());
    int shopVisits = 0;
    EXPECT_EQ(road(run.log, &shopVisits), (std::vector<int32_t>{0, 14, 1, 7, 4, 11, 2, 15, 12, 7, 2, 16, 12, 7, 2, 17, 12, 7,
                                                       2, 18, 12, 7, 2, 11, 19, 12, 11, 7}));
    for (size_t i = 0; i < run.log.stageSeconds.size(); ++i)
        std::printf("stage %d: %d:%02d of game time\n", run.log.clearedStages[i], run.log.stageSeconds[i] / 60, run.log.stageSeconds[i] % 60);
    expectProgress(run, progress::kStageCount);
    // Every effect an item gives (coin, health, speed, power, invulnerability) dropped and was
    // picked up on the way.
    for (size_t effect = 0; effect < run.log.pickedUp.size(); ++effect) EXPECT_GE(run.log.pickedUp[effect], 1) << "effect " << effect;
}

}  // namespace
