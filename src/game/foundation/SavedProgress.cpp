#include "src/game/foundation/SavedProgress.h"

#include <span>

namespace ui::progress {

namespace {

struct Field {
    int32_t first, count;
    int8_t min, max, fallback;
};

constexpr Field kRecord0[] = {
    {kMoney, 1, 0, kMaxMoney, 0},    {kTutorialDone, 1, 0, 1, 0},    {kItems, 1, 0, 2, kItemOwned},
    {kItems + 1, 6, 0, 2, kItemLocked}, {kAchievements, kAchievementCount, 0, 1, 0}, {kResult, 1, 0, 1, 0},
    {kEarned, 1, 0, kMaxMoney, 0},   {kStage, 1, 0, kStageCount - 1, 0}, {16, 1, 0, 1, 0},
    {17, 1, 0, 99, 0},               {18, 2, 0, 59, 0},
};

constexpr Field kRecord1[] = {
    {0, 1, 1, 1, 1},  {1, kStageCount - 1, 0, 1, 0}, {kMarks, kStageCount, -1, 3, -1},
    {kBestHours, kStageCount, 0, 99, 0}, {kBestMinutes, kStageCount, 0, 59, 0}, {kBestSeconds, kStageCount, 0, 59, 0},
};

std::span<const Field> layout(int32_t slot) {
    if (slot == 0) return kRecord0;
    return kRecord1;
}

}  // namespace

std::vector<int8_t> newRecord(int32_t slot) { return repaired(slot, {}); }

std::vector<int8_t> repaired(int32_t slot, const std::vector<int8_t>& stored) {
    std::vector<int8_t> record(size_t(kRecordLength[slot == 0 ? 0 : 1]), 0);
    for (const Field& field : layout(slot)) {
        for (int32_t i = field.first; i < field.first + field.count; ++i) {
            const bool present = size_t(i) < stored.size();
            const int8_t value = present ? stored[size_t(i)] : field.fallback;
            record[size_t(i)] = value >= field.min && value <= field.max ? value : field.fallback;
        }
    }
    if (slot != 0) {
        for (int32_t stage = kStageCount - 1; stage > 0; --stage)
            if (record[size_t(stage)] == 1) record[size_t(stage - 1)] = 1;
    }
    return record;
}

}  // namespace ui::progress
