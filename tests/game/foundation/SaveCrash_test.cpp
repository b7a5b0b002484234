// A game killed (SIGKILL) at any moment while it saves progress over and over never loses
// what it had saved before: the next start finds every record whole, holding the last value
// reported saved or the one being saved when the kill came, and nothing to repair.

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <random>

#include "src/game/foundation/SavedProgress.h"
#include "tests/game/support/GameDriver.h"
#include "tests/support/TemporaryFolder.h"

namespace {

using namespace game_test;

constexpr int kRounds = 12;

// Boots the game on the shared database and runs the scenario.
void bootInChild(const std::string& database, std::function<void(GameDriver&)> scenario) {
    GameDriver game;
    setenv("OSTREL_DATABASE_DIR", database.c_str(), 1);
    useScene(0);
    game.run(std::move(scenario));
}

std::vector<int8_t> bytesOf(const VMPtr<VMArray<int8_t, 1>>& array) {
    return array ? std::vector<int8_t>(array->elements(), array->elements() + array->length) : std::vector<int8_t>{};
}

// Saves money values one after another, reporting each saved value through the pipe.
[[noreturn]] void saveForever(const std::string& database, int reportFd) {
    static int fd = reportFd;
    bootInChild(database, [](GameDriver& g) {
        g.start();
        for (int8_t money = g.manager().loadRecord(0)->at(0);;) {
            money = int8_t((money + 1) % 100);
            g.manager().setSavedCounter(money);
            if (write(fd, &money, 1) != 1) _exit(3);
        }
    });
    _exit(0);
}

// 0 when record 0 holds one of the two values and both records need no repair.
[[noreturn]] void verify(const std::string& database, int8_t saved) {
    static int8_t last = saved;
    static int result = 2;
    bootInChild(database, [](GameDriver& g) {
        const std::vector<int8_t> record0 = bytesOf(g.manager().loadRecord(0)), record1 = bytesOf(g.manager().loadRecord(1));
        const bool valid = record0 == ui::progress::repaired(0, record0) && record1 == ui::progress::repaired(1, record1);
        const int8_t money = record0.empty() ? -1 : record0[0];
        const bool kept = money == last || money == (last + 1) % 100;
        result = valid && kept ? 0 : 1;
        if (result) fprintf(stderr, "money %d after %d saved; valid %d\n", money, last, valid);
        g.manager().requestExit();
    });
    _exit(result);
}

int waitFor(pid_t child) {
    int status = 0;
    waitpid(child, &status, 0);
    return status;
}

TEST(SaveCrash, AKillDuringSavesNeverLosesThePreviousProgress) {
    TemporaryFolder database;
    std::mt19937 random(7);
    int8_t last = 0;
    int savesSeen = 0;
    for (int round = 0; round < kRounds; ++round) {
        int fds[2];
        ASSERT_EQ(pipe(fds), 0);
        const pid_t saver = fork();
        if (saver == 0) {
            close(fds[0]);
            saveForever(database.path(), fds[1]);
        }
        close(fds[1]);
        const int wanted = 3 + int(random() % 40);
        int8_t value = 0;
        for (int seen = 0; seen < wanted && read(fds[0], &value, 1) == 1; ++seen, ++savesSeen) last = value;
        usleep(useconds_t(random() % 2000));
        kill(saver, SIGKILL);
        waitFor(saver);
        while (read(fds[0], &value, 1) == 1) last = value;
        close(fds[0]);

        const pid_t checker = fork();
        if (checker == 0) verify(database.path(), last);
        const int status = waitFor(checker);
        ASSERT_TRUE(WIFEXITED(status)) << "round " << round;
        ASSERT_EQ(WEXITSTATUS(status), 0) << "round " << round;
    }
    EXPECT_GE(savesSeen, kRounds * 3) << "the saver was killed while saving, not before";
}

}  // namespace
