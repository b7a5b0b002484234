// Figures for the profile's record stores over the platform's crash-safe stores:
// - saving the game's 20-byte and 25-byte progress records in place through
//   RecordStore.setRecord, against the platform call alone (median of many saves);
// - enumerateRecords with a comparator over 1,000 and 2,000 records and the ratio of the
//   two (near 2 for an n log n sort with one platform read per comparison side).
// The database folder is a fresh folder beside this program (a real disk), removed after.

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "bench/BenchRuntime.h"
#include "hal/services/ModulePath.h"
#include "hal/services/RecordStores.h"
#include "pb_src/j2me/javax_microedition_rms_RecordStore.h"

namespace {

using namespace javax::microedition::rms;
using Clock = std::chrono::steady_clock;
using Bytes = VMArray<int8_t, 1>;

double millisSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

double median(std::vector<double> samples) {
    std::sort(samples.begin(), samples.end());
    return samples[samples.size() / 2];
}

VMPtr<Bytes> filled(int32_t length, int8_t value) {
    VMPtr<Bytes> bytes = Bytes::_VM_new(length);
    std::fill(bytes->elements(), bytes->elements() + length, value);
    return bytes;
}

// Orders records by their first four bytes, big-endian.
class KeyOrder : public virtual java::lang::Object, public virtual RecordComparator {
    VM_CLASS(KeyOrder, java::lang::Object)
    int32_t compare(VMPtr<Bytes> a, VMPtr<Bytes> b) override {
        const int c = std::memcmp(a->elements(), b->elements(), 4);
        return c < 0 ? PRECEDES : c > 0 ? FOLLOWS : EQUIVALENT;
    }
};

void progressSaves(int32_t length) {
    VMPtr<RecordStore> store = RecordStore::openRecordStore(java::lang::String::fromUtf8("progress"), true);
    const int32_t id = store->addRecord(filled(length, 0), 0, length);
    std::vector<double> profile, platform;
    for (int i = 0; i < 200; ++i) {
        VMPtr<Bytes> data = filled(length, int8_t(i));
        Clock::time_point start = Clock::now();
        store->setRecord(id, data, 0, length);
        profile.push_back(millisSince(start));
        start = Clock::now();
        if (HAL_setRecord(store->nativeStore, id, data->elements(), length) != 0) std::exit(1);
        platform.push_back(millisSince(start));
    }
    std::printf("save %2d bytes in place: profile %.3f ms, platform %.3f ms (ratio %.2f)\n", length,
                median(profile), median(platform), median(profile) / median(platform));
    store->closeRecordStore();
    RecordStore::deleteRecordStore(java::lang::String::fromUtf8("progress"));
}

double sortedEnumeration(int count) {
    const std::string name = "sorted" + std::to_string(count);
    VMPtr<RecordStore> store = RecordStore::openRecordStore(java::lang::String::fromUtf8(name.c_str()), true);
    uint32_t key = 12345;
    for (int i = 0; i < count; ++i) {
        key = key * 1103515245u + 12345u;
        VMPtr<Bytes> record = filled(8, 0);
        for (int b = 0; b < 4; ++b) record->elements()[b] = int8_t(key >> (24 - 8 * b));
        store->addRecord(record, 0, 8);
    }
    VMPtr<KeyOrder> order = KeyOrder::_VM_new();
    const Clock::time_point start = Clock::now();
    VMPtr<RecordEnumeration> e = store->enumerateRecords(nullptr, order, false);
    const double took = millisSince(start);
    std::printf("enumerateRecords with a comparator over %d records: %.1f ms\n", e->numRecords(), took);
    store->closeRecordStore();
    return took;
}

}  // namespace

VM_DEFINE_CLASS(KeyOrder, "bench.KeyOrder", "java.lang.Object", VM_NO_CLINIT)

int main() {
    const std::filesystem::path folder = std::filesystem::path(HAL_getModuleDirectory()) / "profile-store-bench";
    std::filesystem::remove_all(folder);
    setenv("OSTREL_DATABASE_DIR", folder.c_str(), 1);
    benchRuntime();
    progressSaves(20);
    progressSaves(25);
    const double thousand = sortedEnumeration(1000);
    const double twoThousand = sortedEnumeration(2000);
    std::printf("2,000 against 1,000 records: %.2fx\n", twoThousand / thousand);
    std::filesystem::remove_all(folder);
    return 0;
}
