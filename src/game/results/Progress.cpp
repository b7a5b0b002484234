#include "src/game/results/Progress.h"

#include <algorithm>
#include <string>

#include "pb_src/j2me/java_lang_IllegalArgumentException.h"
#include "pb_src/j2me/java_lang_String.h"
#include "src/game/foundation/SavedProgress.h"
#include "src/game/foundation/global_WeaponConfig.h"
#include "src/game/foundation/ui_SceneManager.h"

namespace results {

namespace progress = ui::progress;

namespace {

constexpr int32_t kLastStage = progress::kStageCount - 1;
constexpr int32_t kHurt = progress::kResult, kHours = 17, kMinutes = 18, kSeconds = 19;
constexpr int32_t kAllGreat = 0, kAllPerfect = 1, kUntouched = 2, kArsenal = 3;

bool unlockItem(std::span<int8_t> record0, int32_t item) {
    int8_t& state = record0[size_t(progress::kItems + item)];
    if (state != progress::kItemLocked) return false;
    state = progress::kItemForSale;
    return true;
}

bool unlockAchievement(std::span<int8_t> record0, int32_t achievement) {
    int8_t& flag = record0[size_t(progress::kAchievements + achievement)];
    const bool first = flag == 0;
    flag = 1;
    return first;
}

bool allMarks(std::span<const int8_t> record1, int32_t lowest) {
    const auto marks = record1.subspan(progress::kMarks, progress::kStageCount);
    return std::all_of(marks.begin(), marks.end(), [lowest](int8_t m) { return m >= lowest && m <= 3; });
}

// Items 1 and 2 after stage 0 (2 only when 1 was locked), item stage + 2 after the others.
bool unlockStageItems(std::span<int8_t> record0, int32_t stage) {
    if (stage == 0) return unlockItem(record0, 1) && unlockItem(record0, 2);
    return unlockItem(record0, stage + 2);
}

void storeBestTime(std::span<int8_t> record1, int32_t stage, int32_t h, int32_t m, int32_t s) {
    int8_t& bh = record1[size_t(progress::kBestHours + stage)];
    int8_t& bm = record1[size_t(progress::kBestMinutes + stage)];
    int8_t& bs = record1[size_t(progress::kBestSeconds + stage)];
    const bool none = bh == 0 && bm == 0 && bs == 0;
    if (!none && h * 3600 + m * 60 + s >= bh * 3600 + bm * 60 + bs) return;
    bh = int8_t(h);
    bm = int8_t(m);
    bs = int8_t(s);
}

}  // namespace

int32_t markForTime(int32_t hours, int32_t minutes) {
    const int32_t total = hours * 60 + minutes;
    if (total > 5) return 0;
    if (total == 5) return 1;
    if (total == 4) return 2;
    return 3;
}

Settlement settle(std::span<int8_t> record0, std::span<int8_t> record1) {
    Settlement done;
    const int32_t stage = record0[progress::kStage];
    if (stage < 0 || stage > kLastStage) {
        const std::string message = "no saved progress for stage " + std::to_string(stage);
        vm::throwNew<java::lang::IllegalArgumentException>(java::lang::String::fromUtf8(message.c_str()));
    }
    done.mark = markForTime(record0[kHours], record0[kMinutes]);
    done.itemUnlocked = unlockStageItems(record0, stage);
    if (stage != kLastStage) {
        int8_t& open = record1[size_t(stage + 1)];
        done.stageOpened = open == 0;
        open = 1;
    }
    const bool untouched = record0[kHurt] == 0 && unlockAchievement(record0, kUntouched);
    const bool greatBefore = allMarks(record1, 2), perfectBefore = allMarks(record1, 3);
    int8_t& mark = record1[size_t(progress::kMarks + stage)];
    if (mark < done.mark) mark = int8_t(done.mark);
    const bool great = allMarks(record1, 2) != greatBefore && unlockAchievement(record0, kAllGreat);
    const bool perfect = allMarks(record1, 3) != perfectBefore && unlockAchievement(record0, kAllPerfect);
    done.achievementUnlocked = great || perfect || untouched;
    storeBestTime(record1, stage, record0[kHours], record0[kMinutes], record0[kSeconds]);
    record0[progress::kMoney] = int8_t(std::min(progress::kMaxMoney, record0[progress::kMoney] + record0[progress::kEarned]));
    return done;
}

void storeWin(ui::SceneManager& manager, int32_t hurt, int32_t earned, int32_t stage, int64_t time, int32_t hours,
              int32_t minutes, int32_t seconds) {
    VMPtr<ByteArray> record0 = manager.resultRecord(hurt, earned, stage, 1, hours, minutes, seconds);
    VMPtr<ByteArray> record1 = loadRecord(manager, 1);
    settle(bytes(record0), bytes(record1));
    manager.storePendingWin(record0, record1);
    manager.storeResult(hurt, earned, stage, time, 1, hours, minutes, seconds);
}

int32_t priceOf(int32_t item) {
    vm::ensureInitialized(global::WeaponConfig::_VM_getClass());
    return global::WeaponConfig::WEAPONS->at(item)->at(global::WeaponConfig::PRICE);
}

bool buy(std::span<int8_t> record0, int32_t item, int32_t& money) {
    if (item < 0 || item >= progress::kItemCount) return false;
    int8_t& state = record0[size_t(progress::kItems + item)];
    const int32_t price = priceOf(item);
    if (state != progress::kItemForSale || money < price) return false;
    money -= price;
    record0[progress::kMoney] = int8_t(std::clamp(money, 0, progress::kMaxMoney));
    state = progress::kItemOwned;
    const auto items = record0.subspan(progress::kItems, progress::kItemCount);
    if (std::all_of(items.begin(), items.end(), [](int8_t s) { return s == progress::kItemOwned; }))
        record0[size_t(progress::kAchievements + kArsenal)] = 1;
    return true;
}

VMPtr<ByteArray> loadRecord(ui::SceneManager& manager, int32_t slot) {
    VMPtr<ByteArray> stored = manager.loadRecord(slot);
    const int32_t length = progress::kRecordLength[slot];
    if (stored && stored->length >= length) return stored;
    // A missing or short record reads as its new form with what it holds.
    std::vector<int8_t> have;
    if (stored) have.assign(stored->elements(), stored->elements() + stored->length);
    const std::vector<int8_t> valid = progress::repaired(slot, have);
    VMPtr<ByteArray> record = ByteArray::_VM_new(length);
    std::copy(valid.begin(), valid.end(), record->elements());
    return record;
}

void saveRecord(ui::SceneManager& manager, int32_t slot, const VMPtr<ByteArray>& record) {
    if (recordWriteHook) recordWriteHook(slot, false);
    manager.saveRecord(slot, record);
    if (recordWriteHook) recordWriteHook(slot, true);
}

}  // namespace results
