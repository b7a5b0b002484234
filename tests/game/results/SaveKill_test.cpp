// A game killed (SIGKILL) at each record write of a purchase and of a stage's settlement:
// after the next start record 0 is wholly before or after the purchase, a second clear
// after a kill anywhere in the settlement leaves stage, mark, best time, items and
// achievements as one uninterrupted settlement does, and a fight won and killed at any write
// from its last frame to the result screen's first is found before the win or settled once.

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>

#include "src/game/boss/BossFrame.h"
#include "src/game/boss/scene_InGameBoss_1.h"
#include "src/game/foundation/SavedProgress.h"
#include "src/game/foundation/SceneTable.h"
#include "src/game/results/Progress.h"
#include "tests/game/results/ResultsGame.h"
#include "tests/support/TemporaryFolder.h"

namespace {

using namespace results_test;

int killAtWrite = -1, writesSeen = 0;

void killAtChosenWrite(int32_t, bool) {
    if (writesSeen++ == killAtWrite) raise(SIGKILL);
}
void killAtChosenImage(int32_t slot, std::span<const int8_t>, bool written) { killAtChosenWrite(slot, written); }

// Runs the scenario in a child booted on the database; true when the child was killed.
bool inChild(const std::string& database, std::function<void(ResultsGame&)> scenario) {
    const pid_t child = fork();
    if (child == 0) {
        {
            ResultsGame game;
            setenv("OSTREL_DATABASE_DIR", database.c_str(), 1);
            game.run([&](GameDriver& d) {
                auto& g = static_cast<ResultsGame&>(d);
                g.start();
                g.frames(1);
                scenario(g);
                g.manager().requestExit();
            });
        }
        _exit(0);
    }
    int status = 0;
    waitpid(child, &status, 0);
    return WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL;
}

template <size_t N> void writeRecords(const std::string& path, const std::array<Bytes, N>& records) {
    std::ofstream file(path, std::ios::binary);
    for (const Bytes& r : records) {
        file.put(char(r.size()));
        file.write(reinterpret_cast<const char*>(r.data()), std::streamsize(r.size()));
    }
}

template <size_t N> std::array<Bytes, N> readRecords(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::array<Bytes, N> records;
    for (Bytes& r : records) {
        r.resize(size_t(file.get()));
        file.read(reinterpret_cast<char*>(r.data()), std::streamsize(r.size()));
    }
    return records;
}

// Both records and the pending win's mark as the next start leaves them.
std::array<Bytes, 3> recordsAfterRestart(const std::string& database) {
    const std::string out = database + "/records.bin";
    inChild(database, [out](ResultsGame& g) { writeRecords<3>(out, {g.record(0), g.record(1), g.record(2)}); });
    return readRecords<3>(out);
}

void firstClear(ResultsGame& g) {
    g.manager().storeResult(0, 10, 0, 0, 1, 0, 3, 40);
    g.show(12);
}

// Record 1 and the item and achievement bytes of record 0: what a settlement decides.
Bytes settled(const std::array<Bytes, 3>& records) {
    Bytes kept;
    kept.reserve(11 + records[1].size());
    kept.assign(records[0].begin() + 2, records[0].begin() + 13);
    kept.insert(kept.end(), records[1].begin(), records[1].end());
    return kept;
}

TEST(SaveKill, AKilledSettlementIsCompletedByTheNextClear) {
    TemporaryFolder reference;
    inChild(reference.path(), firstClear);
    const Bytes uninterrupted = settled(recordsAfterRestart(reference.path()));
    for (int write = 0; write < 4; ++write) {
        TemporaryFolder database;
        const bool killed = inChild(database.path(), [write](ResultsGame& g) {
            g.manager().storeResult(0, 10, 0, 0, 1, 0, 3, 40);
            killAtWrite = write;
            results::recordWriteHook = &killAtChosenWrite;
            g.show(12);
        });
        ASSERT_TRUE(killed) << write;
        inChild(database.path(), firstClear);
        EXPECT_EQ(settled(recordsAfterRestart(database.path())), uninterrupted) << "killed at write " << write;
    }
}

TEST(SaveKill, AKilledPurchaseLeavesRecordZeroWhollyBeforeOrAfterIt) {
    // Six weapons owned, the seventh for sale at 6 with exactly 6 coins.
    Bytes before = ui::progress::newRecord(0);
    before[0] = 6;
    std::fill(before.begin() + 2, before.begin() + 8, 0);
    before[8] = 1;
    Bytes after = before;
    after[0] = 0;
    after[8] = 0;
    after[12] = 1;
    for (int write = 0; write < 3; ++write) {
        TemporaryFolder database;
        const bool killed = inChild(database.path(), [write, before](ResultsGame& g) {
            g.writeRecord(0, before);
            g.show(8);
            auto& shop = g.scene<scene::Shop>();
            g.tapFrameBox(shop.background, 2, 0, 120, 160);  // previous: item 6
            killAtWrite = write;
            results::recordWriteHook = &killAtChosenWrite;
            g.tapFrameBox(shop.shopSet->getFrame(19), 0, 0, 240, 320);
        });
        EXPECT_EQ(killed, write < 2);
        EXPECT_EQ(recordsAfterRestart(database.path())[0], write == 0 ? before : after) << "killed at write " << write;
    }
}

// Stage 0's fight won with 20 coins saved, 10 earned in the level, stages 1 to 4 marked 3:
// its settlement pays once, opens stage 1, unlocks items 1 and 2 and achievements 0, 1 and 2.
// Runs from the boss's last frame in play to the result screen's first frame, telling every
// record write to the hook; answers the records as they were before the win.
std::array<Bytes, 2> winFightToResult(ResultsGame& g, ui::RecordImageHook hook) {
    Bytes r0 = ui::progress::newRecord(0), r1 = ui::progress::newRecord(1);
    r0[ui::progress::kMoney] = 20;
    for (int stage = 1; stage < 5; ++stage) r1[size_t(ui::progress::kMarks + stage)] = 3;
    g.writeRecord(0, r0);
    g.writeRecord(1, r1);
    g.manager().storeResult(0, 10, 0, 0, 1, 0, 2, 0);  // the level's result: unhurt in 2 minutes
    ui::setSceneFactory(scene_id::kBoss1, &ui::buildScene<scene::InGameBoss_1>);
    g.manager().changeScene(scene_id::kBoss1);
    g.frames(1);
    for (int frame = 0; frame < 400 && g.scene<scene::InGameBoss_1>().state != boss::kPlaying; ++frame) g.frames(1);
    auto& fight = g.scene<scene::InGameBoss_1>();
    fight.character->setInvulnerableTimer(5000);
    g.frames(20);  // a second of the fight, added to the stage's time
    boss::startEnd(fight, boss::kBeaten);  // the fight won
    const std::array<Bytes, 2> before = {g.record(0), g.record(1)};
    ui::recordImageHook = hook;
    for (int frame = 0; frame < 400 && g.sceneId() != scene_id::kResult; ++frame) g.frames(1);
    g.frames(1);
    ui::recordImageHook = nullptr;
    return before;
}

TEST(SaveKill, AWonFightKilledAtAnyWriteIsFoundBeforeTheWinOrSettledOnce) {
    TemporaryFolder reference;
    const std::string beforeFile = reference.path() + "/before.bin";
    inChild(reference.path(), [beforeFile](ResultsGame& g) { writeRecords<2>(beforeFile, winFightToResult(g, nullptr)); });
    const std::array<Bytes, 2> before = readRecords<2>(beforeFile);
    const std::array<Bytes, 3> won = recordsAfterRestart(reference.path());
    ASSERT_EQ(won[0][ui::progress::kMoney], 30);
    ASSERT_EQ(Bytes(won[0].begin() + 9, won[0].begin() + 12), (Bytes{1, 1, 1}));
    ASSERT_EQ(won[1][1], 1);
    int kills = 0;
    for (int write = 0; write < 40; ++write) {
        TemporaryFolder database;
        const bool killed = inChild(database.path(), [write](ResultsGame& g) {
            writesSeen = 0;
            killAtWrite = write;
            winFightToResult(g, &killAtChosenImage);
        });
        if (!killed) break;
        ++kills;
        const std::array<Bytes, 3> found = recordsAfterRestart(database.path());
        const bool untouched = found[0] == before[0] && found[1] == before[1];
        const bool settledOnce = found[0] == won[0] && found[1] == won[1];
        EXPECT_TRUE(untouched || settledOnce) << "killed at write " << write;
        EXPECT_TRUE(found[2].size() != size_t(ui::progress::kPendingWinLength) || found[2][0] != 1)
            << "a pending win left after the start, killed at write " << write;
    }
    std::printf("%d kill points\n", kills);
    EXPECT_GE(kills, 6) << "the win's writes, each before and after";
}

}  // namespace
