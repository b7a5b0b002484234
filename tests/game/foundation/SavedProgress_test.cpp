// Saved records loaded at start-up: new records, valid records kept as they are, and short,
// long or out-of-range records repaired field by field.

#include "src/game/foundation/SavedProgress.h"

#include <gtest/gtest.h>

namespace {

using Record = std::vector<int8_t>;
using ui::progress::newRecord;
using ui::progress::repaired;

const Record kNew0 = {0, 0, 0, 2, 2, 2, 2, 2, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
const Record kNew1 = {1, 0, 0, 0, 0, -1, -1, -1, -1, -1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};

TEST(SavedProgress, NewRecordsHoldTheStartingProgress) {
    EXPECT_EQ(newRecord(0), kNew0);
    EXPECT_EQ(newRecord(1), kNew1);
}

TEST(SavedProgress, ValidRecordsAreKeptAsTheyAre) {
    const Record played0 = {99, 1, 0, 0, 1, 2, 0, 1, 2, 1, 0, 1, 0, 1, 99, 4, 1, 99, 59, 59};
    const Record played1 = {1, 1, 1, 1, 0, 3, 2, -1, 0, -1, 99, 0, 1, 0, 0, 59, 0, 2, 0, 0, 59, 0, 3, 0, 0};
    EXPECT_EQ(repaired(0, played0), played0);
    EXPECT_EQ(repaired(1, played1), played1);
}

struct Damage {
    const char* what;
    int32_t slot;
    Record stored;
    Record expected;
};

Record with(Record record, std::initializer_list<std::pair<int, int8_t>> changes) {
    for (auto [at, value] : changes) record[size_t(at)] = value;
    return record;
}

Record longer(Record record) {
    record.insert(record.end(), {7, 7});
    return record;
}

TEST(SavedProgress, DamagedRecordsAreRepairedFieldByField) {
    const Record short0 = {42, 1, 0, 1};
    const std::vector<Damage> cases = {
        {"empty record 0", 0, {}, kNew0},
        {"short record 0 keeps its fields", 0, short0, with(kNew0, {{0, 42}, {1, 1}, {3, 1}})},
        {"long record 0 is cut", 0, longer(kNew0), kNew0},
        {"money above 99", 0, with(kNew0, {{0, 127}}), kNew0},
        {"negative money", 0, with(kNew0, {{0, -5}}), kNew0},
        {"item state 3", 0, with(kNew0, {{4, 3}, {2, -1}}), kNew0},
        {"stage 5 and flags", 0, with(kNew0, {{15, 5}, {13, 2}, {9, 7}}), kNew0},
        {"earned money and clock", 0, with(kNew0, {{14, 100}, {17, -1}, {18, 60}, {19, 77}}), kNew0},
        {"stage 0 closed", 1, with(kNew1, {{0, 0}}), kNew1},
        {"gap in open stages", 1, with(kNew1, {{3, 1}}), with(kNew1, {{1, 1}, {2, 1}, {3, 1}})},
        {"marks out of range", 1, with(kNew1, {{5, 4}, {6, -2}}), kNew1},
        {"best times out of range", 1, with(kNew1, {{10, 100}, {15, 60}, {24, -3}}), kNew1},
        {"short record 1", 1, {1, 1}, with(kNew1, {{1, 1}})},
    };
    for (const Damage& damage : cases) EXPECT_EQ(repaired(damage.slot, damage.stored), damage.expected) << damage.what;
}

}  // namespace
