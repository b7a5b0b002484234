// A game killed (SIGKILL) at each record write of a purchase and of a stage's settlement:
// after the next start record 0 is wholly before or after the purchase, and a second clear
// after a kill anywhere in the settlement leaves stage, mark, best time, items and
// achievements as one uninterrupted settlement does.

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>

#include "src/game/foundation/SavedProgress.h"
#include "src/game/results/Progress.h"
#include "tests/game/results/ResultsGame.h"
#include "tests/support/TemporaryFolder.h"

namespace {

using namespace results_test;

int killAtWrite = -1, writesSeen = 0;

void killAtChosenWrite(int32_t, bool) {
    if (writesSeen++ == killAtWrite) raise(SIGKILL);
}

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

// Both records as the next start finds them.
std::array<Bytes, 2> recordsAfterRestart(const std::string& database) {
    const std::string out = database + "/records.bin";
    inChild(database, [out](ResultsGame& g) {
        std::ofstream file(out, std::ios::binary);
        for (int slot = 0; slot < 2; ++slot) {
            const Bytes r = g.record(slot);
            file.put(char(r.size()));
            file.write(reinterpret_cast<const char*>(r.data()), std::streamsize(r.size()));
        }
    });
    std::ifstream file(out, std::ios::binary);
    std::array<Bytes, 2> records;
    for (Bytes& r : records) {
        r.resize(size_t(file.get()));
        file.read(reinterpret_cast<char*>(r.data()), std::streamsize(r.size()));
    }
    return records;
}

void firstClear(ResultsGame& g) {
    g.manager().storeResult(0, 10, 0, 0, 1, 0, 3, 40);
    g.show(12);
}

// Record 1 and the item and achievement bytes of record 0: what a settlement decides.
Bytes settled(const std::array<Bytes, 2>& records) {
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

}  // namespace
