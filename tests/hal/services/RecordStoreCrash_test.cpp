// Saved data survives the process dying at any instant. A child process saves records in a
// loop (adds, replacements and deletes of records from 0 to 5000 bytes) and reports over a
// pipe each change it starts and each one the store acknowledged; it is killed either at a
// chosen file step (a fault hook ends it there: every write, flush, rename and removal in
// turn) or with SIGKILL at moments of its work drawn from a fixed seed. After each death the
// parent opens the store and checks that it is consistent (count, listing, size, next id and
// the metadata file agree; no temporary file is left) and that every acknowledged record
// reads back whole with its last acknowledged bytes; the one change in flight may have
// happened or not, but never in part.

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <optional>
#include <random>
#include <set>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

#include "hal/services/RecordStoreFaults.h"
#include "hal/services/RecordStores.h"
#include "hal/services/StoreMetadata.h"
#include "tests/support/TemporaryFolder.h"

namespace {

constexpr char16_t kStoreName[] = u"progress";
constexpr int32_t kStoreNameLength = 8;

enum class Operation : uint8_t { kAdd, kSet, kDelete };

struct Report {
    enum Kind : uint8_t { kBegin, kAcknowledged, kKilledAtStep, kFinished } kind = kBegin;
    Operation operation{};
    int32_t id = 0;
    uint32_t generation = 0;  // the bytes written: contentOf(generation, length)
    int32_t length = 0;
    int32_t step = 0;
};

// Bytes that differ for every generation and position, so a torn or mixed record shows.
std::string contentOf(uint32_t generation, int32_t length) {
    std::string bytes(size_t(length), '\0');
    uint32_t state = generation * 2654435761u + 1;
    for (char& byte : bytes) {
        state = state * 1664525u + 1013904223u;
        byte = char(state >> 24);
    }
    return bytes;
}

// --- The child ---

int reportPipe = -1;
int stepsBeforeDeath = 0;

void send(const Report& report) {
    if (::write(reportPipe, &report, sizeof report) != ssize_t(sizeof report)) _exit(5);
}

int dieAtChosenStep(RecordStoreStep step, const char*) {
    if (--stepsBeforeDeath == 0) {
        send({Report::kKilledAtStep, Operation::kAdd, 0, 0, 0, int32_t(step)});
        _exit(0);
    }
    return 0;
}

// Saves records until the operations are done (or the process is killed).
[[noreturn]] void saveRecordsInALoop(uint32_t firstGeneration, int operations) {
    HALRecordStore* store = nullptr;
    if (HAL_openRecordStore(&store, kStoreName, kStoreNameLength, 1) != 0) _exit(3);
    std::mt19937 random(firstGeneration);
    for (int i = 0; i < operations; ++i) {
        Report report{Report::kBegin, Operation::kAdd, 0, firstGeneration + uint32_t(i), 0, 0};
        int32_t count = 0;
        HAL_getNumRecords(store, &count);
        const unsigned choice = random() % 10;
        if (count >= 2 && choice >= 4) {
            report.operation = choice < 8 ? Operation::kSet : Operation::kDelete;
            HAL_getNthRecordID(store, 1 + int32_t(random() % unsigned(count)), &report.id);
        }
        report.length = random() % 2 == 0 ? 25 : int32_t(random() % 5000);
        const std::string bytes = contentOf(report.generation, report.length);
        send(report);
        int result = 0;
        switch (report.operation) {
        case Operation::kAdd: result = HAL_addRecord(store, &report.id, bytes.data(), report.length); break;
        case Operation::kSet: result = HAL_setRecord(store, report.id, bytes.data(), report.length); break;
        case Operation::kDelete: result = HAL_deleteRecord(store, report.id); break;
        }
        if (result != 0) _exit(4);
        report.kind = Report::kAcknowledged;
        send(report);
    }
    HAL_closeRecordStore(store);
    send({Report::kFinished, Operation::kAdd, 0, 0, 0, 0});
    _exit(0);
}

// --- The parent ---

struct Version {
    uint32_t generation;
    int32_t length;
    bool operator==(const Version&) const = default;
};

class CrashingSaver : public testing::Test {
protected:
    void SetUp() override { setenv("OSTREL_DATABASE_DIR", (folder.path() + "/database").c_str(), 1); }

    // A moment in the child's own work, whatever the machine's speed: once it has
    // acknowledged `saves` changes, `fraction` of its mean change's time later.
    struct KillMoment {
        int saves;
        double fraction;
    };

    // Runs one child to its death; returns its reports. killAtStep > 0 ends it at that file
    // step; a kill moment ends it there with SIGKILL.
    std::vector<Report> runChild(int killAtStep, int operations, std::optional<KillMoment> kill = std::nullopt) {
        int ends[2];
        if (::pipe(ends) != 0) ADD_FAILURE() << "no pipe";
        const uint32_t firstGeneration = nextGeneration_;
        nextGeneration_ += uint32_t(operations);
        const pid_t child = ::fork();
        if (child == 0) {
            ::close(ends[0]);
            reportPipe = ends[1];
            stepsBeforeDeath = killAtStep;
            if (killAtStep > 0) HAL_setRecordStoreFaultHook(&dieAtChosenStep);
            saveRecordsInALoop(firstGeneration, operations);
        }
        ::close(ends[1]);
        std::vector<Report> reports;
        const auto readReport = [&] {
            Report report;
            if (::read(ends[0], &report, sizeof report) != ssize_t(sizeof report)) return false;
            reports.push_back(report);
            return true;
        };
        if (kill) killWhenDue(*kill, child, reports, readReport);
        while (readReport()) {
        }
        ::close(ends[0]);
        int status = 0;
        ::waitpid(child, &status, 0);
        const bool expectedEnd = (WIFEXITED(status) && WEXITSTATUS(status) == 0) || (WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL);
        EXPECT_TRUE(expectedEnd) << "the child failed on its own: status " << status;
        return reports;
    }

    // Reads the child's reports up to its chosen acknowledgement, waits the fraction of its
    // mean change's time (counted from its first report), and kills it.
    template <typename ReadReport>
    static void killWhenDue(const KillMoment& moment, pid_t child, const std::vector<Report>& reports, ReadReport readReport) {
        std::chrono::steady_clock::time_point firstReport;
        int acknowledged = 0;
        while (acknowledged < moment.saves && readReport()) {
            if (reports.size() == 1) firstReport = std::chrono::steady_clock::now();
            acknowledged += reports.back().kind == Report::kAcknowledged;
        }
        const auto meanChange = (std::chrono::steady_clock::now() - firstReport) / std::max(acknowledged, 1);
        std::this_thread::sleep_for(std::chrono::duration_cast<std::chrono::microseconds>(meanChange * moment.fraction));
        ::kill(child, SIGKILL);
    }

    // Takes the acknowledged changes into the model and checks the store against it.
    void checkStoreAfter(const std::vector<Report>& reports) {
        const Report* inFlight = nullptr;  // the change begun and not acknowledged, if any
        for (const Report& report : reports) {
            if (report.kind == Report::kBegin) inFlight = &report;
            if (report.kind != Report::kAcknowledged) continue;
            inFlight = nullptr;
            apply(report);
            ++acknowledged_;
        }
        HALRecordStore* store = nullptr;
        ASSERT_EQ(HAL_openRecordStore(&store, kStoreName, kStoreNameLength, 1), 0);
        const std::map<int32_t, std::string> found = checkConsistency(store);
        checkAgainstModel(found, inFlight);
        HAL_closeRecordStore(store);  // before the next child: it must read the files afresh
    }

    int acknowledged_ = 0;

private:
    void apply(const Report& report) {
        if (report.operation == Operation::kDelete) records_.erase(report.id);
        else records_[report.id] = Version{report.generation, report.length};
        if (report.operation == Operation::kAdd) {
            EXPECT_GT(report.id, highestId_) << "an id given twice";
            highestId_ = std::max(highestId_, report.id);
        }
    }

    // The records of the store with their bytes, checked against the counters and files.
    std::map<int32_t, std::string> checkConsistency(HALRecordStore* store) {
        int32_t count = -1, size = -1, nextId = -1, id = 0;
        EXPECT_EQ(HAL_getNumRecords(store, &count), 0);
        EXPECT_EQ(HAL_getRecordStoreSize(store, &size), 0);
        EXPECT_EQ(HAL_getNextRecordID(store, &nextId), 0);
        std::map<int32_t, std::string> found;
        int64_t total = 0;
        for (int32_t n = 1; n <= count; ++n) {
            EXPECT_EQ(HAL_getNthRecordID(store, n, &id), 0);
            EXPECT_TRUE(found.empty() || id > found.rbegin()->first) << "ids listed once, ascending";
            std::string bytes(5000, '\0');
            int32_t length = int32_t(bytes.size());
            EXPECT_EQ(HAL_getRecord(store, id, bytes.data(), &length), 0);
            bytes.resize(size_t(length));
            total += length;
            found[id] = std::move(bytes);
        }
        EXPECT_EQ(HAL_getNthRecordID(store, count + 1, &id), 4);
        EXPECT_EQ(total, size);
        EXPECT_GT(nextId, highestId_) << "ids are never given twice";
        if (!found.empty()) {
            EXPECT_GT(nextId, found.rbegin()->first);
        }

        const std::string storeFolder = folder.path() + "/database/store-progress";
        for (const auto& entry : std::filesystem::directory_iterator(storeFolder))
            EXPECT_NE(entry.path().filename().string().rfind(".tmp-", 0), 0u) << "a temporary file was left";
        std::ifstream file(storeFolder + "/metadata.info", std::ios::binary);
        const std::string bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
        StoreMetadata saved;
        EXPECT_TRUE(saved.decode(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size()));
        EXPECT_EQ(saved.recordCount, count);
        EXPECT_EQ(int64_t(saved.size), total);
        EXPECT_EQ(saved.nextRecordId, nextId);
        return found;
    }

    // Every acknowledged record holds its acknowledged bytes, whole; only the change in
    // flight may have happened as well. The model then becomes what was found.
    void checkAgainstModel(const std::map<int32_t, std::string>& found, const Report* inFlight) {
        const auto inFlightIs = [&](Operation operation) { return inFlight && inFlight->operation == operation; };
        const Version pending = inFlight ? Version{inFlight->generation, inFlight->length} : Version{};
        const auto holds = [](const std::string& bytes, const Version& version) {
            return bytes == contentOf(version.generation, version.length);
        };
        std::map<int32_t, Version> now;
        for (const auto& [id, bytes] : found) {
            const auto acknowledged = records_.find(id);
            if (acknowledged != records_.end() && holds(bytes, acknowledged->second)) {
                now[id] = acknowledged->second;
            } else if (inFlight && holds(bytes, pending) &&
                       ((inFlightIs(Operation::kSet) && inFlight->id == id && acknowledged != records_.end()) ||
                        (inFlightIs(Operation::kAdd) && acknowledged == records_.end() && id > highestId_))) {
                now[id] = pending;
            } else {
                ADD_FAILURE() << "record " << id << " of " << bytes.size()
                              << " bytes holds neither its acknowledged bytes nor the change in flight";
            }
        }
        for (const auto& [id, version] : records_) {
            if (!found.count(id)) {
                EXPECT_TRUE(inFlightIs(Operation::kDelete) && inFlight->id == id) << "acknowledged record " << id << " was lost";
            }
        }
        records_ = now;
        for (const auto& entry : now) highestId_ = std::max(highestId_, entry.first);
    }

    TemporaryFolder folder;
    std::map<int32_t, Version> records_;
    int32_t highestId_ = 0;
    uint32_t nextGeneration_ = 1;
};

TEST_F(CrashingSaver, KilledAtEveryFileStepInTurn) {
    constexpr int kOperations = 10;
    std::set<int32_t> stepsKilledAt;
    bool finished = false;
    for (int killAt = 1; !finished && killAt < 400; ++killAt) {
        const std::vector<Report> reports = runChild(killAt, kOperations);
        ASSERT_FALSE(reports.empty());
        if (reports.back().kind == Report::kKilledAtStep) stepsKilledAt.insert(reports.back().step);
        finished = reports.back().kind == Report::kFinished;
        checkStoreAfter(reports);
        if (HasFatalFailure() || HasNonfatalFailure()) FAIL() << "after the death at step " << killAt;
    }
    EXPECT_TRUE(finished) << "a child got through all its saves";
    for (const RecordStoreStep step : {RecordStoreStep::kMakeFolder, RecordStoreStep::kWriteFile, RecordStoreStep::kFlushFile,
                                       RecordStoreStep::kRenameFile, RecordStoreStep::kRemoveFile, RecordStoreStep::kFlushFolder})
        EXPECT_TRUE(stepsKilledAt.count(int32_t(step))) << "never killed at step kind " << int(step);
    EXPECT_GT(acknowledged_, kOperations);
}

TEST_F(CrashingSaver, KilledWithSigkillAtSeededMoments) {
    // Each moment lies in the child's own work, so that a slower disk or a busy machine moves
    // it along: after the first 1 to 20 acknowledged changes, within about one more change.
    checkStoreAfter(runChild(0, 10));
    std::mt19937 moments(20240611);
    int killedInFlight = 0;
    constexpr int kRuns = 60;  // every run fsyncs: keep the test well inside its time limit on a busy disk
    for (int run = 0; run < kRuns; ++run) {
        const KillMoment moment{1 + int(moments() % 20), double(moments() % 1000) / 1000};
        const std::vector<Report> reports = runChild(0, 100000, moment);
        if (!reports.empty() && reports.back().kind == Report::kBegin) ++killedInFlight;
        checkStoreAfter(reports);
        if (HasFatalFailure() || HasNonfatalFailure())
            FAIL() << "after run " << run << ", killed " << moment.fraction << " of a change after change " << moment.saves;
    }
    EXPECT_GT(acknowledged_, kRuns) << "the children saved before they died";
    EXPECT_GT(killedInFlight, kRuns / 2) << "most deaths come in the middle of a save";
}

}  // namespace
