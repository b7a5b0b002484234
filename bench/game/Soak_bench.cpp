// Long runs of the scripted player (tests/game/playthrough/ScriptedPlayer.h) on the headless
// game driver, on fake time at full speed; scripts/soak.sh builds them in Release and runs
// them. Each skips unless OSTREL_SOAK is set. They print their figures as Markdown.
//
// - Soak: the player clears the stages of OSTREL_SOAK_STAGES (default "0,1") in turn for
//   OSTREL_SOAK_FRAMES frames (default 72,000: an hour of game time). At each recurring
//   point (the world map ready after a clear, the game-over screen ready) a collection is
//   forced and the managed heap's used bytes and the resident memory are taken: the heap
//   must be flat at each point after its first time. After every cleared stage both saved
//   records are read back and checked against what the run saw. The longest collection
//   pause and the worst frame (update, paint and flush) are kept.
// - Kills: a child process plays on one database folder and is killed with SIGKILL at
//   OSTREL_SOAK_KILLS moments (default 200) drawn from a fixed seed, either after a number of
//   frames or just after a chosen record write began; each new child first reports both records
//   and the pending win's mark as it finds them. Every record image the game is about to write is logged through the
//   foundation's record hook, so the parent knows what each record may hold: the last image
//   written, or the one in flight when the kill came, byte for byte.
// - Frames: a fresh game through stages 0 and 1 to the start of stage 2, every frame's wall
//   time kept by the scene it ended in; per scene the median and the worst played frame
//   against the 50 ms frame and against the copy of a 240 x 320 frame to the headless window,
//   measured in the same run; the worst frame without a collection, the worst loading frame
//   and the frame the scene was built in apart.

#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "lib_src/vm/VM.h"
#include "lib_src/vm/VMHeap.h"
#include "pb_src/j2me/java_lang_System.h"
#include "tests/game/playthrough/ScriptedPlayer.h"
#include "tests/support/TemporaryFolder.h"

namespace {

using namespace game_test;
using Clock = std::chrono::steady_clock;

int64_t environmentNumber(const char* name, int64_t fallback) {
    const char* value = std::getenv(name);
    return value && *value ? std::atoll(value) : fallback;
}

std::vector<int32_t> soakStages() {
    std::vector<int32_t> stages;
    std::stringstream list(std::getenv("OSTREL_SOAK_STAGES") ? std::getenv("OSTREL_SOAK_STAGES") : "0,1");
    for (std::string item; std::getline(list, item, ',');)
        if (!item.empty()) stages.push_back(std::stoi(item));
    return stages;
}

void skipUnlessAsked() {
    if (!std::getenv("OSTREL_SOAK")) GTEST_SKIP() << "set OSTREL_SOAK=1 (scripts/soak.sh)";
}

// Resident memory of this process in KiB.
int64_t residentKib() {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);)
        if (line.starts_with("VmRSS:")) return std::atoll(line.c_str() + 6);
    return -1;
}

double millis(int64_t nanos) { return double(nanos) / 1e6; }

// ---------------------------------------------------------------- frame times

// A scene's frames: played (the scene neither built in the frame nor loading at its start),
// the worst played frame in which no collection ran, the worst loading and built frames.
struct SceneFrames {
    std::vector<int64_t> played;
    int64_t worstWithoutCollection = 0;
    uint32_t collectionsInWorst = 0;  // collections that ran in the worst played frame
    int loading = 0;
    int64_t worstLoading = 0, worstBuilt = 0;
};

struct FrameTimes {
    int64_t count = 0;
    int64_t worstNanos = 0;
    int32_t worstScene = -1;
    bool keepAll = false;
    std::map<int32_t, SceneFrames> byScene;
    size_t scenesAsked = 0;
    uint32_t collections = 0;
    bool loading = false;  // the current scene was loading when the frame began
};
FrameTimes frameTimes;

void timeFrame(int32_t sceneId, Clock::duration wallTime) {
    const int64_t nanos = std::chrono::duration_cast<std::chrono::nanoseconds>(wallTime).count();
    ++frameTimes.count;
    if (nanos > frameTimes.worstNanos) frameTimes.worstNanos = nanos, frameTimes.worstScene = sceneId;
    if (!frameTimes.keepAll) return;
    const bool built = askedScenes.size() != frameTimes.scenesAsked, loading = frameTimes.loading;
    const uint32_t collected = VM::instance()->collections - frameTimes.collections;
    frameTimes.scenesAsked = askedScenes.size();
    frameTimes.collections = VM::instance()->collections;
    VMPtr<ui::Scene> scene = static_cast<ui::SceneManager*>(kv::KvCanvas::instance.get())->getScene();
    frameTimes.loading = scene && scene->isLoading();
    SceneFrames& frames = frameTimes.byScene[sceneId];
    if (built) {
        frames.worstBuilt = std::max(frames.worstBuilt, nanos);
    } else if (loading) {
        ++frames.loading;
        frames.worstLoading = std::max(frames.worstLoading, nanos);
    } else {
        if (frames.played.empty() || nanos > *std::max_element(frames.played.begin(), frames.played.end()))
            frames.collectionsInWorst = collected;
        frames.played.push_back(nanos);
        if (!collected) frames.worstWithoutCollection = std::max(frames.worstWithoutCollection, nanos);
    }
}

bool isOpen(Player& p, int32_t stage) { return p.record(1)[size_t(stage)] == 1; }

// ---------------------------------------------------------------- saved progress checks

// What the records must hold after the cleared stages the log lists: valid; stages open up
// to one past the furthest cleared; for each cleared stage the best time the last result
// showed, never slower than before, and the mark of that time; the others untouched; money
// and weapons as earned and bought. Answers the failures.
std::vector<std::string> recordFailures(const Log& log, const std::vector<int8_t>& r0, const std::vector<int8_t>& r1,
                                        std::map<int32_t, int32_t>& bestSeen) {
    std::vector<std::string> failures;
    auto expect = [&](bool ok, const std::string& what) {
        if (!ok) failures.push_back(what);
    };
    expect(r0 == progress::repaired(0, r0) && r1 == progress::repaired(1, r1), "a record needs repair");
    if (!failures.empty()) return failures;
    std::map<int32_t, int32_t> lastTime;
    for (size_t i = 0; i < log.clearedStages.size(); ++i) lastTime[log.clearedStages[i]] = log.stageSeconds[i];
    const int32_t furthest = lastTime.empty() ? -1 : lastTime.rbegin()->first;
    for (int32_t stage = 0; stage < progress::kStageCount; ++stage) {
        const std::string name = "stage " + std::to_string(stage);
        expect(r1[size_t(stage)] == (stage <= furthest + 1 ? 1 : 0), name + " open flag");
        const int32_t h = r1[size_t(progress::kBestHours + stage)], m = r1[size_t(progress::kBestMinutes + stage)];
        const int32_t seconds = h * 3600 + m * 60 + r1[size_t(progress::kBestSeconds + stage)];
        const int32_t mark = r1[size_t(progress::kMarks + stage)];
        if (!lastTime.count(stage)) {
            expect(seconds == 0 && mark == -1, name + " untouched");
            continue;
        }
        expect(seconds == lastTime[stage] && seconds > 0, name + " best time as its result showed");
        expect(!bestSeen.count(stage) || seconds <= bestSeen[stage], name + " best time never slower");
        bestSeen[stage] = seconds;
        expect(mark == results::markForTime(h, m), name + " mark of its best time");
    }
    expect(r0[progress::kMoney] == log.expectedMoney, "money as earned and spent");
    for (int32_t item = 1; item < progress::kItemCount; ++item) {
        const bool bought = std::count(log.bought.begin(), log.bought.end(), item) == 1;
        expect((r0[size_t(progress::kItems + item)] == progress::kItemOwned) == bought, "item " + std::to_string(item));
    }
    return failures;
}

// ---------------------------------------------------------------- the soak

// How far above its second figure the heap may be at a later pass of the same point.
constexpr uint64_t kHeapMargin = 16 * 1024;

// The figures at one of the run's recurring points, after a forced collection.
struct Sample {
    std::string point;  // which recurring point: the same text at the same point of each loop
    int64_t frames;
    uint64_t heapUsed;
    int64_t residentKib;
    uint32_t collections;
    uint64_t longestPauseNanos;
    int64_t worstFrameNanos;
};

struct Soak {
    std::vector<int32_t> stages;
    int64_t frameLimit = 0;
    size_t clearsSeen = 0;
    int32_t next = 0;  // index into stages of the stage the map plays next
    int gameOversSeen = 0;
    std::vector<Sample> samples;
    std::map<int32_t, int32_t> bestSeen;
    std::vector<std::string> failures;
    int checks = 0;
    bool mapSeen = false;
};
Soak soak;

void takeSample(const std::string& point) {
    java::lang::System::gc();
    soak.samples.push_back({point, frameTimes.count, _VM_heapState().used, residentKib(), VM::instance()->collections,
                            VM::instance()->longestPauseNanos(), frameTimes.worstNanos});
}

// The recurring points: the world map ready after a newly cleared stage (the records are
// checked, the next stage chosen) and the game-over screen ready (a lost level or fight,
// retried next). At each the memory figures are taken.
bool soakPoint(Player& p) {
    if (frameTimes.count >= soak.frameLimit) return true;
    if (scene::GameOver* over = p.scene<scene::GameOver>(); over && over->state == 1 && p.log.gameOvers == soak.gameOversSeen) {
        ++soak.gameOversSeen;
        takeSample("game over, stage " + std::to_string(p.stage()) + (p.previousSceneId() == scene_id::kNormalLevel ? "" : " boss"));
        return false;
    }
    scene::WorldMap* map = p.scene<scene::WorldMap>();
    if (!map || map->state != scene::WorldMap::kReady) return false;
    const size_t clears = p.log.clearedStages.size();
    if (soak.mapSeen && clears == soak.clearsSeen) return false;
    if (clears != soak.clearsSeen) {
        ++soak.checks;
        for (const std::string& failure : recordFailures(p.log, p.record(0), p.record(1), soak.bestSeen))
            soak.failures.push_back("after clear " + std::to_string(clears) + ": " + failure);
        if (p.log.clearedStages.back() == soak.stages[size_t(soak.next)])
            soak.next = (soak.next + 1) % int32_t(soak.stages.size());
    }
    soak.mapSeen = true;
    soak.clearsSeen = clears;
    // A stage not open yet: the newest open one, on the way to it.
    const int32_t stage = soak.stages[size_t(soak.next)];
    p.wantedStage = isOpen(p, stage) ? stage : -1;
    takeSample("map, stage " + std::to_string(stage) + " next");
    return false;
}

TEST(Soak, TheStagesPlayedInALoopForAnHourOfGameTime) {
    skipUnlessAsked();
    soak = {};
    soak.stages = soakStages();
    soak.frameLimit = environmentNumber("OSTREL_SOAK_FRAMES", 72'000);
    frameTimes = {};
    HAL_setManualAudioRendering(true);
    static Log log;
    static uint64_t longestPause = 0;
    static uint32_t collections = 0;
    const auto began = Clock::now();
    {
        Player game;
        game.frameTimer = &timeFrame;
        game.run([](GameDriver& g) {
            auto& p = static_cast<Player&>(g);
            p.start();
            playUntil(p, soakPoint);
            log = p.log;
            longestPause = VM::instance()->longestPauseNanos();
            collections = VM::instance()->collections;
            p.manager().requestExit();
        });
    }
    HAL_setManualAudioRendering(false);
    const double seconds = std::chrono::duration<double>(Clock::now() - began).count();

    std::printf("\n### Soak\n\n%lld frames (%lld s of game time) in %.1f s of wall time; stages", (long long)frameTimes.count,
                (long long)frameTimes.count / 20, seconds);
    for (int32_t stage : soak.stages) std::printf(" %d", stage);
    std::printf(" in turn; %zu stages cleared, %d game overs, %zu weapons bought; the records checked %d times\n\n",
                log.clearedStages.size(), log.gameOvers, log.bought.size(), soak.checks);
    std::printf("| point | frame | heap used after a collection (bytes) | resident (KiB) | collections | longest pause so far "
                "(ms) | worst frame so far (ms) |\n");
    std::printf("|---|---:|---:|---:|---:|---:|---:|\n");
    std::map<std::string, std::vector<uint64_t>> heapAt;
    for (const Sample& l : soak.samples) {
        heapAt[l.point].push_back(l.heapUsed);
        std::printf("| %s | %lld | %llu | %lld | %u | %.2f | %.2f |\n", l.point.c_str(), (long long)l.frames,
                    (unsigned long long)l.heapUsed, (long long)l.residentKib, l.collections,
                    millis(int64_t(l.longestPauseNanos)), millis(l.worstFrameNanos));
    }
    std::printf("\n| point | times | heap the first time | the second time | least after the first | most after the first | "
                "the last time |\n|---|---:|---:|---:|---:|---:|---:|\n");
    for (const auto& [point, heap] : heapAt) {
        if (heap.size() < 2) continue;
        std::printf("| %s | %zu | %llu | %llu | %llu | %llu | %llu |\n", point.c_str(), heap.size(), (unsigned long long)heap[0],
                    (unsigned long long)heap[1], (unsigned long long)*std::min_element(heap.begin() + 1, heap.end()),
                    (unsigned long long)*std::max_element(heap.begin() + 1, heap.end()), (unsigned long long)heap.back());
    }
    std::printf("\nLongest collection pause %.2f ms over %u collections; worst frame %.2f ms (scene %d).\n",
                millis(int64_t(longestPause)), collections, millis(frameTimes.worstNanos), frameTimes.worstScene);
    for (const std::string& failure : soak.failures) std::printf("record check failed %s\n", failure.c_str());
    if (std::getenv("OSTREL_SOAK_VERBOSE")) {
        std::printf("scenes asked:");
        for (int32_t id : askedScenes) std::printf(" %d", id);
        std::printf("\n");
    }

    EXPECT_EQ(soak.failures, std::vector<std::string>{});
    EXPECT_GE(frameTimes.count, soak.frameLimit);
    // After the first time at a point the heap there is flat: every later time within a small
    // margin of the second.
    int flatPoints = 0;
    for (const auto& [point, heap] : heapAt) {
        if (heap.size() < 3) continue;
        ++flatPoints;
        for (size_t i = 2; i < heap.size(); ++i) EXPECT_LE(heap[i], heap[1] + kHeapMargin) << point << ", time " << i;
    }
    EXPECT_GE(flatPoints, 1) << "no point was passed three times";
}

// ---------------------------------------------------------------- the kill run

enum Message : uint8_t { kFrame = 'F', kImage = 'I', kWritten = 'W', kReadBack = 'R' };
// Records 0 and 1 and the pending win's mark.
constexpr int32_t kTrackedSlots = 3;

int reportFd = -1;
int childIndex = 0;

void send(Message type, int32_t slot = 0, std::span<const int8_t> bytes = {}) {
    uint8_t message[3 + 255] = {type, uint8_t(slot), uint8_t(bytes.size())};
    std::copy(bytes.begin(), bytes.end(), message + 3);
    const size_t length = type == kFrame ? 1 : 3 + bytes.size();
    if (::write(reportFd, message, length) != ssize_t(length)) _exit(3);
}

void reportImage(int32_t slot, std::span<const int8_t> image, bool written) {
    send(written ? kWritten : kImage, slot, image);
}
void reportFrame(int32_t sceneId, Clock::duration) {
    static int frames = 0;
    if (std::getenv("OSTREL_SOAK_VERBOSE") && ++frames % 1000 == 0) std::fprintf(stderr, "child frame %d scene %d\n", frames, sceneId);
    send(kFrame);
}

// Plays the stages in turn from what the database holds, reporting as it goes, until killed.
[[noreturn]] void playInChild(const std::string& database) {
    static const std::vector<int32_t> stages = soakStages();
    HAL_setManualAudioRendering(true);
    {
        Player game;
        setenv("OSTREL_DATABASE_DIR", database.c_str(), 1);
        ui::recordImageHook = &reportImage;
        game.frameTimer = &reportFrame;
        game.run([](GameDriver& g) {
            auto& p = static_cast<Player&>(g);
            for (int32_t slot = 0; slot < kTrackedSlots; ++slot) {
                const std::vector<int8_t> found = p.record(slot);
                send(kReadBack, slot, found);
            }
            p.start();
            // At the map: the stages in turn, those of them open.
            playUntil(p, [](Player& p) {
                scene::WorldMap* map = p.scene<scene::WorldMap>();
                if (!map || map->state != scene::WorldMap::kReady) return false;
                std::vector<int32_t> open;
                for (int32_t stage : stages)
                    if (isOpen(p, stage)) open.push_back(stage);
                p.wantedStage = open.empty() ? -1 : open[(size_t(childIndex) + p.log.clearedStages.size()) % open.size()];
                return false;
            });
            p.manager().requestExit();
        });
    }
    _exit(testing::Test::HasFailure() ? 1 : 0);
}

// What a record may hold, as the parent follows the images logged.
struct RecordState {
    std::vector<int8_t> written;   // the last image written whole (empty: none yet)
    std::vector<int8_t> inFlight;  // the image whose write began and did not finish
    bool flying = false;
};

struct KillRun {
    RecordState records[kTrackedSlots];
    int kills = 0, boots = 0, imagesSeen = 0, writesSeen = 0, frames = 0;
    int flyingAtKill = 0, flyingLanded = 0, flyingKeptPrevious = 0;
    std::vector<std::string> failures;
};

// Reads one message; false at the end of the pipe.
bool readMessage(int fd, uint8_t& type, int32_t& slot, std::vector<int8_t>& bytes) {
    auto readAll = [fd](void* into, size_t length) {
        for (size_t done = 0; done < length;) {
            const ssize_t got = ::read(fd, static_cast<char*>(into) + done, length - done);
            if (got <= 0) return false;
            done += size_t(got);
        }
        return true;
    };
    if (!readAll(&type, 1)) return false;
    bytes.clear();
    if (type == kFrame) return true;
    uint8_t head[2];
    if (!readAll(head, 2)) return false;
    slot = head[0];
    bytes.resize(head[1]);
    return readAll(bytes.data(), bytes.size());
}

void follow(KillRun& run, int round, uint8_t type, int32_t slot, const std::vector<int8_t>& bytes) {
    if (type == kFrame) return void(++run.frames);
    RecordState& record = run.records[slot % kTrackedSlots];
    if (type == kImage) {
        ++run.imagesSeen;
        record.inFlight = bytes;
        record.flying = true;
    } else if (type == kWritten) {
        ++run.writesSeen;
        if (!record.flying || bytes != record.inFlight) run.failures.push_back("a write finished that did not begin");
        record.written = bytes;
        record.flying = false;
    } else if (type == kReadBack) {
        // Byte for byte the last image written, or the one in flight at the kill.
        const bool kept = bytes == record.written, landed = record.flying && bytes == record.inFlight;
        if (!kept && !landed) {
            std::string text = "round " + std::to_string(round) + ": record " + std::to_string(slot) + " read back as";
            for (int8_t b : bytes) text += " " + std::to_string(b);
            run.failures.push_back(text);
        }
        if (record.flying) ++(landed ? run.flyingLanded : run.flyingKeptPrevious);
        record.written = bytes;
        record.flying = false;
    }
}

TEST(Soak, AGameKilledAtRandomMomentsKeepsEveryRecordWholeAndUpToDate) {
    skipUnlessAsked();
    const int rounds = int(environmentNumber("OSTREL_SOAK_KILLS", 200));
    TemporaryFolder database;
    std::mt19937 random(20261207);
    KillRun run;
    const auto began = Clock::now();
    for (int round = 0; round <= rounds; ++round) {
        int fds[2];
        ASSERT_EQ(pipe(fds), 0);
        std::fflush(stdout);
        const pid_t child = fork();
        if (child == 0) {
            close(fds[0]);
            reportFd = fds[1];
            childIndex = round;
            playInChild(database.path());
        }
        close(fds[1]);
        ++run.boots;
        // A third of the kills come after up to 3000 frames, a third within 3 ms after one of
        // the first three writes began, a third after one of the fourth to eighth (the child
        // has played on, often through a clear, a settlement or a purchase); the last child
        // only reads the records back.
        const int kind = int(random() % 3);
        const bool atWrite = kind != 1;
        const int framesWanted = 1 + int(random() % 3000), imagesWanted = kind == 0 ? 1 + int(random() % 3) : 4 + int(random() % 5);
        const auto delay = std::chrono::microseconds(random() % 3000);
        int frames = 0, images = 0, readBacks = 0;
        bool killed = false;
        uint8_t type = 0;
        int32_t slot = 0;
        std::vector<int8_t> bytes;
        while (readMessage(fds[0], type, slot, bytes)) {
            follow(run, round, type, slot, bytes);
            readBacks += type == kReadBack;
            frames += type == kFrame;
            images += type == kImage;
            const bool due = round == rounds ? readBacks == kTrackedSlots
                                             : (atWrite ? images >= imagesWanted : frames >= framesWanted) || frames >= 12000;
            if (due && !killed) {
                std::this_thread::sleep_for(round == rounds ? std::chrono::microseconds(0) : delay);
                kill(child, SIGKILL);
                killed = true;
            }
        }
        close(fds[0]);
        int status = 0;
        waitpid(child, &status, 0);
        std::error_code ignored;
        std::filesystem::remove_all(std::filesystem::temp_directory_path() / ("ostrel_shell_" + std::to_string(child)), ignored);
        if (!(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL))
            run.failures.push_back("round " + std::to_string(round) + ": the child ended by itself, status " + std::to_string(status));
        if (std::getenv("OSTREL_SOAK_VERBOSE"))
            std::printf("round %d: %s, %d frames, %d writes began\n", round, atWrite ? "at a write" : "after frames", frames, images);
        if (round < rounds) {
            ++run.kills;
            run.flyingAtKill += std::any_of(std::begin(run.records), std::end(run.records), [](const RecordState& r) { return r.flying; });
        }
    }
    const double seconds = std::chrono::duration<double>(Clock::now() - began).count();
    std::printf("\n### Kill run\n\n%d kills with SIGKILL, %d starts on one database folder, %.1f s of wall time, %d frames "
                "played.\n%d record writes began (images logged), %d finished before a kill; %d kills came with a write "
                "in flight: after %d of them the record held the new image, after %d the previous one.\n%zu failures.\n",
                run.kills, run.boots, seconds, run.frames, run.imagesSeen, run.writesSeen, run.flyingAtKill, run.flyingLanded,
                run.flyingKeptPrevious, run.failures.size());
    const std::vector<int8_t>&r0 = run.records[0].written, &r1 = run.records[1].written;
    if (r0.size() == size_t(progress::kRecordLength[0]) && r1.size() == size_t(progress::kRecordLength[1])) {
        std::printf("At the end the records hold: stages open");
        for (int32_t stage = 0; stage < progress::kStageCount; ++stage)
            if (r1[size_t(stage)] == 1) std::printf(" %d", stage);
        std::printf(", marks");
        for (int32_t stage = 0; stage < progress::kStageCount; ++stage) std::printf(" %d", r1[size_t(progress::kMarks + stage)]);
        std::printf(", money %d, tutorial done %d.\n", r0[progress::kMoney], r0[progress::kTutorialDone]);
    }
    for (const std::string& failure : run.failures) std::printf("failure: %s\n", failure.c_str());
    EXPECT_EQ(run.failures, std::vector<std::string>{});
    EXPECT_GT(run.flyingAtKill, rounds / 10) << "too few kills came while a write was in flight";
}

// ---------------------------------------------------------------- frames by scene

// The copy of one 240 x 320 frame to the headless window: the mean of 2000 copies.
int64_t frameCopyNanos(host::HeadlessBackend& backend) {
    std::vector<uint16_t> frame(240 * 320);
    for (size_t i = 0; i < frame.size(); ++i) frame[i] = uint16_t(i * 2654435761u);
    constexpr int kCopies = 2000;
    const auto start = Clock::now();
    for (int i = 0; i < kCopies; ++i) backend.presentFrame(frame.data(), 240, 320, 240);
    return std::chrono::duration_cast<std::chrono::nanoseconds>(Clock::now() - start).count() / kCopies;
}

const char* sceneName(int32_t id) {
    static const std::map<int32_t, const char*> names = {
        {scene_id::kLogo, "logo"},          {scene_id::kMenu, "menu"},     {scene_id::kNormalLevel, "level"},
        {scene_id::kTutorial, "tutorial"},  {scene_id::kWorldMap, "map"},  {scene_id::kShop, "shop"},
        {scene_id::kStory, "story"},        {scene_id::kResult, "result"}, {scene_id::kOptions, "first options"},
        {scene_id::kBoss1, "boss 1"},       {scene_id::kBoss1 + 1, "boss 2"}, {scene_id::kBoss1 + 2, "boss 3"},
        {scene_id::kBoss1 + 3, "boss 4"},   {scene_id::kBoss5, "boss 5"},  {scene_id::kGameOver, "game over"},
        {scene_id::kAchievements, "achievements"},
    };
    auto name = names.find(id);
    return name == names.end() ? "?" : name->second;
}

TEST(Soak, FrameTimesByScene) {
    skipUnlessAsked();
    frameTimes = {};
    frameTimes.keepAll = true;
    HAL_setManualAudioRendering(true);
    static bool reached = false;
    static int64_t copyNanos = 0;
    static uint64_t longestPause = 0;
    static uint32_t collections = 0;
    {
        Player game;
        game.frameTimer = &timeFrame;
        game.run([](GameDriver& g) {
            auto& p = static_cast<Player&>(g);
            p.start();
            reached = playUntil(p, [](Player& p) { return p.sceneId() == scene_id::kNormalLevel && p.stage() == 2; });
            longestPause = VM::instance()->longestPauseNanos();
            collections = VM::instance()->collections;
            p.manager().requestExit();
        });
        copyNanos = frameCopyNanos(*game.backend);
    }
    HAL_setManualAudioRendering(false);
    ASSERT_TRUE(reached);
    constexpr double kFrameNanos = 50e6;
    std::printf("\n### Frames by scene\n\n%lld frames of a fresh game to the start of stage 2; a 240 x 320 frame copy to "
                "the headless window %.1f us; %u collections, the longest %.2f ms.\n\n",
                (long long)frameTimes.count, double(copyNanos) / 1e3, collections, millis(int64_t(longestPause)));
    std::printf("| scene | played frames | median (ms) | worst (ms) | median / 50 ms | worst / 50 ms | median / copy | worst / "
                "copy | collections in the worst | worst without a collection (ms) | loading frames | worst loading (ms) | built in (ms) |\n");
    std::printf("|---|---:|---:|---:|---:|---:|---:|---:|---:|---:|---:|---:|---:|\n");
    for (auto& [id, frames] : frameTimes.byScene) {
        std::vector<int64_t>& times = frames.played;
        if (times.empty()) {  // left as soon as it was loaded
            std::printf("| %d %s | 0 | | | | | | | | | %d | %.2f | %.2f |\n", id, sceneName(id), frames.loading,
                        millis(frames.worstLoading), millis(frames.worstBuilt));
            continue;
        }
        std::sort(times.begin(), times.end());
        const double median = double(times[times.size() / 2]), worst = double(times.back());
        std::printf("| %d %s | %zu | %.3f | %.2f | %.4f | %.3f | %.1f | %.0f | %u | %.2f | %d | %.2f | %.2f |\n", id, sceneName(id),
                    times.size(), median / 1e6, worst / 1e6, median / kFrameNanos, worst / kFrameNanos,
                    median / double(copyNanos), worst / double(copyNanos), frames.collectionsInWorst,
                    millis(frames.worstWithoutCollection), frames.loading,
                    millis(frames.worstLoading), millis(frames.worstBuilt));
    }
    std::printf("\nPlayed frames: neither the frame a scene was built in (dispose, build, first update and paint) nor "
                "one that began while the scene was still loading; those two are shown apart, as the worst of each.\n");
}

}  // namespace
