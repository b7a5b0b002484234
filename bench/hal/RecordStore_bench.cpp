// Figures for the record stores, every change written crash-safely (temporary file, flush,
// rename, folder flush) on the file system of the database folder:
// - add, get and set rates for 25-byte records and for 4096-byte records (the framework's
//   largest chunk);
// - the time to save a 25-byte progress record in place (p50, p99), alone and with the open
//   and close around it;
// - the time to open (and reconcile) a store of 2000 records.
// The database folder is OSTREL_DATABASE_DIR when set, else a fresh folder beside this
// program (so the figures are those of a real disk, not of a memory file system), removed
// afterwards.

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "hal/services/ModulePath.h"
#include "hal/services/RecordStores.h"

namespace {

using Clock = std::chrono::steady_clock;

double secondsSince(Clock::time_point start) { return std::chrono::duration<double>(Clock::now() - start).count(); }

double percentile(std::vector<double> samples, double fraction) {
    std::sort(samples.begin(), samples.end());
    return samples[size_t(fraction * double(samples.size() - 1))];
}

void fail(const char* what) {
    std::fprintf(stderr, "%s failed\n", what);
    std::exit(1);
}

HALRecordStore* openStore(const std::u16string& name) {
    HALRecordStore* store = nullptr;
    if (HAL_openRecordStore(&store, name.data(), int32_t(name.size()), 1) != 0) fail("open");
    return store;
}

void rates(const char* label, const std::u16string& name, int32_t recordSize, int count) {
    HALRecordStore* store = openStore(name);
    const std::string bytes(size_t(recordSize), 'r');
    std::vector<int32_t> ids(static_cast<size_t>(count));
    Clock::time_point start = Clock::now();
    for (int32_t& id : ids)
        if (HAL_addRecord(store, &id, bytes.data(), recordSize) != 0) fail("add");
    const double addRate = count / secondsSince(start);

    std::string buffer(size_t(recordSize), '\0');
    constexpr int kReadRounds = 10;
    start = Clock::now();
    for (int round = 0; round < kReadRounds; ++round)
        for (const int32_t id : ids) {
            int32_t length = recordSize;
            if (HAL_getRecord(store, id, buffer.data(), &length) != 0) fail("get");
        }
    const double getRate = kReadRounds * count / secondsSince(start);

    std::mt19937 random(7);
    start = Clock::now();
    for (int i = 0; i < count; ++i)
        if (HAL_setRecord(store, ids[random() % ids.size()], bytes.data(), recordSize) != 0) fail("set");
    const double setRate = count / secondsSince(start);
    std::printf("%-18s add %9.0f /s   get %9.0f /s   set %9.0f /s\n", label, addRate, getRate, setRate);
    HAL_closeRecordStore(store);
}

void report(const char* name, const std::vector<double>& microseconds) {
    std::printf("%-34s p50 %8.1f us   p99 %8.1f us\n", name, percentile(microseconds, 0.5), percentile(microseconds, 0.99));
}

void progressSave() {
    constexpr int kSaves = 1000;
    const std::u16string name = u"progress";
    const std::string progress(25, 'p');
    HALRecordStore* store = openStore(name);
    int32_t id = 0;
    if (HAL_addRecord(store, &id, progress.data(), 25) != 0) fail("add");
    std::vector<double> inPlace, withOpen;
    for (int i = 0; i < kSaves; ++i) {
        const Clock::time_point start = Clock::now();
        if (HAL_setRecord(store, id, progress.data(), 25) != 0) fail("set");
        inPlace.push_back(secondsSince(start) * 1e6);
    }
    HAL_closeRecordStore(store);
    for (int i = 0; i < kSaves; ++i) {
        const Clock::time_point start = Clock::now();
        HALRecordStore* again = openStore(name);
        if (HAL_setRecord(again, id, progress.data(), 25) != 0) fail("set");
        HAL_closeRecordStore(again);
        withOpen.push_back(secondsSince(start) * 1e6);
    }
    report("save 25-byte progress record", inPlace);
    report("open, save 25 bytes, close", withOpen);
}

void reconcilingOpen() {
    const std::u16string name = u"small 25";  // 2000 records from the rates above
    std::vector<double> samples;
    for (int i = 0; i < 50; ++i) {
        const Clock::time_point start = Clock::now();
        HAL_closeRecordStore(openStore(name));
        samples.push_back(secondsSince(start) * 1e6);
    }
    report("open a store of 2000 records", samples);
}

}  // namespace

int main() {
    std::string folder;
    const bool given = std::getenv("OSTREL_DATABASE_DIR") && *std::getenv("OSTREL_DATABASE_DIR");
    if (given) {
        folder = std::getenv("OSTREL_DATABASE_DIR");
    } else {
        std::string pattern = std::string(HAL_getModuleDirectory()) + "/record_bench_XXXXXX";
        if (mkdtemp(pattern.data()) == nullptr) fail("mkdtemp");
        folder = pattern;
        setenv("OSTREL_DATABASE_DIR", folder.c_str(), 1);
    }
    std::printf("database folder: %s\n", folder.c_str());
    rates("25-byte records", u"small 25", 25, 2000);
    rates("4096-byte records", u"large 4096", 4096, 500);
    progressSave();
    reconcilingOpen();
    if (!given) {
        std::error_code ignored;
        std::filesystem::remove_all(folder, ignored);
    }
    return 0;
}
