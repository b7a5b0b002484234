// A won stage's settlement on copies of the two saved records: the mark from the whole
// minutes, items, the next stage, achievements before and after the mark, the best time
// and the money, each rule at its edges; a stage byte outside 0..4 refused by name.

#include <gtest/gtest.h>

#include <vector>

#include "src/game/foundation/SavedProgress.h"
#include "src/game/results/Progress.h"
#include "tests/kv/KvTestSupport.h"

namespace {

namespace progress = ui::progress;

struct Records {
    std::vector<int8_t> r0 = progress::newRecord(0), r1 = progress::newRecord(1);
    // The result block a boss level leaves: hurt, earned, stage, cleared, h, m, s.
    Records& result(int hurt, int earned, int stage, int h, int m, int s) {
        const int8_t block[7] = {int8_t(hurt), int8_t(earned), int8_t(stage), 1, int8_t(h), int8_t(m), int8_t(s)};
        std::copy(block, block + 7, r0.begin() + progress::kResult);
        return *this;
    }
    results::Settlement settle() { return results::settle(r0, r1); }
    int mark(int stage) const { return r1[size_t(progress::kMarks + stage)]; }
    int item(int i) const { return r0[size_t(progress::kItems + i)]; }
    int achievement(int i) const { return r0[size_t(progress::kAchievements + i)]; }
};

TEST(Settlement, MarksComeFromWholeMinutesWithHoursCounted) {
    const struct { int h, m, mark; } cases[] = {{0, 0, 3}, {0, 3, 3}, {0, 4, 2}, {0, 5, 1}, {0, 6, 0}, {1, 3, 0}, {0, 59, 0}};
    for (const auto& c : cases) EXPECT_EQ(results::markForTime(c.h, c.m), c.mark) << c.h << ":" << c.m;
    Records r;
    EXPECT_EQ(r.result(0, 0, 0, 1, 3, 0).settle().mark, 0);
    EXPECT_EQ(r.mark(0), 0);
}

TEST(Settlement, AFirstClearOfStageZeroOpensStageOneUnlocksTwoItemsAndPays) {
    Records r;
    r.result(0, 10, 0, 0, 7, 5);
    const results::Settlement done = r.settle();
    EXPECT_EQ(done.mark, 0);
    EXPECT_EQ(r.mark(0), 0);  // from -1, even to 0
    EXPECT_TRUE(done.stageOpened);
    EXPECT_TRUE(done.itemUnlocked);
    EXPECT_TRUE(done.achievementUnlocked);  // unhurt: achievement 2
    EXPECT_EQ(r.r1[1], 1);
    EXPECT_EQ(r.item(1), progress::kItemForSale);
    EXPECT_EQ(r.item(2), progress::kItemForSale);
    EXPECT_EQ(r.item(3), progress::kItemLocked);
    EXPECT_EQ(r.achievement(2), 1);
    EXPECT_EQ(r.r0[progress::kMoney], 10);
    EXPECT_EQ(r.r1[progress::kBestMinutes], 7);
    EXPECT_EQ(r.r1[progress::kBestSeconds], 5);

    const results::Settlement again = r.result(1, 0, 0, 0, 7, 5).settle();
    EXPECT_FALSE(again.stageOpened);
    EXPECT_FALSE(again.itemUnlocked);  // item 1 is no longer locked, item 2 is not tried
    EXPECT_FALSE(again.achievementUnlocked);
}

TEST(Settlement, AMarkOnlyRisesAndTheBestTimeOnlyShortens) {
    Records r;
    r.result(1, 0, 1, 0, 4, 30).settle();
    EXPECT_EQ(r.mark(1), 2);
    r.result(1, 0, 1, 0, 9, 0).settle();
    EXPECT_EQ(r.mark(1), 2);
    EXPECT_EQ(r.r1[progress::kBestMinutes + 1], 4);
    r.result(1, 0, 1, 0, 2, 10).settle();
    EXPECT_EQ(r.mark(1), 3);
    EXPECT_EQ(r.r1[progress::kBestMinutes + 1], 2);
    EXPECT_EQ(r.r1[progress::kBestSeconds + 1], 10);
    r.result(1, 0, 1, 0, 2, 10).settle();  // equal: kept
    EXPECT_EQ(r.r1[progress::kBestSeconds + 1], 10);
}

TEST(Settlement, TheLastStageOpensNothingAndUnlocksItemSix) {
    Records r;
    const results::Settlement done = r.result(1, 0, 4, 0, 1, 0).settle();
    EXPECT_FALSE(done.stageOpened);
    EXPECT_TRUE(done.itemUnlocked);
    EXPECT_EQ(r.item(6), progress::kItemForSale);
    EXPECT_EQ(std::vector<int8_t>(r.r1.begin(), r.r1.begin() + 5), (std::vector<int8_t>{1, 0, 0, 0, 0}));
}

TEST(Settlement, AllStagesGreatAndPerfectUnlockOnTheClearThatCompletesThemOnly) {
    Records r;
    for (int stage = 0; stage < 4; ++stage) r.r1[size_t(progress::kMarks + stage)] = 3;
    const results::Settlement done = r.result(1, 0, 4, 0, 2, 0).settle();
    EXPECT_TRUE(done.achievementUnlocked);
    EXPECT_EQ(r.achievement(0), 1);
    EXPECT_EQ(r.achievement(1), 1);
    EXPECT_EQ(r.achievement(2), 0);  // hurt
    EXPECT_FALSE(r.result(1, 0, 4, 0, 2, 0).settle().achievementUnlocked);

    Records great;  // marks 2 then 3: achievement 0 first, 1 later
    for (int stage = 0; stage < 4; ++stage) great.r1[size_t(progress::kMarks + stage)] = 3;
    great.result(1, 0, 4, 0, 4, 0).settle();
    EXPECT_EQ(great.achievement(0), 1);
    EXPECT_EQ(great.achievement(1), 0);
    EXPECT_TRUE(great.result(1, 0, 4, 0, 3, 0).settle().achievementUnlocked);
    EXPECT_EQ(great.achievement(1), 1);
}

// Hours, minutes and seconds weigh together: a time is shorter by its total seconds.
TEST(Settlement, TheBestTimeIsReplacedOnlyByAShorterTime) {
    struct Time {
        int h, m, s;
    };
    const struct { Time best, cleared, kept; } cases[] = {
        {{0, 0, 0}, {0, 7, 5}, {0, 7, 5}},      // none yet: any time
        {{0, 4, 10}, {0, 3, 50}, {0, 3, 50}},   // fewer minutes, more seconds
        {{0, 3, 50}, {0, 4, 10}, {0, 3, 50}},   // more minutes, fewer seconds
        {{0, 59, 59}, {1, 0, 0}, {0, 59, 59}},  // an hour against a second less
        {{1, 0, 0}, {0, 59, 59}, {0, 59, 59}},
        {{2, 0, 0}, {1, 59, 59}, {1, 59, 59}},
        {{0, 2, 30}, {0, 2, 29}, {0, 2, 29}},
        {{0, 2, 29}, {0, 2, 30}, {0, 2, 29}},   // a second longer
        {{0, 5, 0}, {0, 5, 0}, {0, 5, 0}},      // equal: kept
    };
    for (const auto& c : cases) {
        Records r;
        r.r1[progress::kBestHours + 2] = int8_t(c.best.h);
        r.r1[progress::kBestMinutes + 2] = int8_t(c.best.m);
        r.r1[progress::kBestSeconds + 2] = int8_t(c.best.s);
        r.result(1, 0, 2, c.cleared.h, c.cleared.m, c.cleared.s).settle();
        const Time best = {r.r1[progress::kBestHours + 2], r.r1[progress::kBestMinutes + 2], r.r1[progress::kBestSeconds + 2]};
        EXPECT_TRUE(best.h == c.kept.h && best.m == c.kept.m && best.s == c.kept.s)
            << c.best.h << ":" << c.best.m << ":" << c.best.s << " then " << c.cleared.h << ":" << c.cleared.m << ":"
            << c.cleared.s << " kept " << best.h << ":" << best.m << ":" << best.s;
    }
}

TEST(Settlement, AStageOutsideZeroToFourIsRefusedByNameAndNothingIsChanged) {
    testRuntime();
    for (int stage : {5, 7, -3, 127, -128}) {
        Records r;
        r.r1[progress::kMarks + 1] = 2;
        r.result(0, 10, stage, 0, 3, 0);
        const Records before = r;
        EXPECT_EQ(kvtest::thrown([&] { r.settle(); }),
                  "java.lang.IllegalArgumentException: no saved progress for stage " + std::to_string(stage));
        EXPECT_EQ(r.r0, before.r0) << stage;
        EXPECT_EQ(r.r1, before.r1) << stage;
    }
}

TEST(Settlement, MoneyStopsAtNinetyNine) {
    Records r;
    r.r0[progress::kMoney] = 95;
    r.result(1, 10, 2, 0, 9, 0).settle();
    EXPECT_EQ(r.r0[progress::kMoney], 99);
}

}  // namespace
