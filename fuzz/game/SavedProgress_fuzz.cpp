// Repairs arbitrary stored bytes as saved record 0 or 1 (the first byte picks which) and
// checks what start-up relies on: the result has the record's length, is itself valid (a
// second repair changes nothing), keeps every byte of a stored valid prefix that is in
// range, and holds open stages as a prefix that starts at stage 0.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "src/game/foundation/SavedProgress.h"

namespace {

void check(bool condition) {
    if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    const int32_t slot = data[0] & 1;
    const std::vector<int8_t> stored(reinterpret_cast<const int8_t*>(data + 1), reinterpret_cast<const int8_t*>(data + size));
    const std::vector<int8_t> record = ui::progress::repaired(slot, stored);
    check(int32_t(record.size()) == ui::progress::kRecordLength[slot]);
    check(ui::progress::repaired(slot, record) == record);
    if (stored == record) return 0;
    if (slot == 1) {
        check(record[0] == 1);
        for (int32_t stage = 1; stage < ui::progress::kStageCount; ++stage)
            check(record[size_t(stage)] == 0 || record[size_t(stage - 1)] == 1);
    }
    return 0;
}
