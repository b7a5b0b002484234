#pragma once

// The two saved progress records and the check that every record loaded at start-up goes
// through: each field has a range and a default, and a record that is short, long or out
// of range is repaired field by field (fields beyond a short record's end take their
// defaults). Record 1's open stages are kept a prefix: every stage before an open one is
// open too, and stage 0 always is.
//
// Record 0 (20 bytes): 0 money 0..99, 1 tutorial done 0/1, 2..8 the seven items (0 owned,
// 1 for sale, 2 locked), 9..12 the achievements 0/1, then the result block: 13 hurt 0/1,
// 14 money earned 0..99, 15 stage 0..4, 16 cleared 0/1, 17 hours 0..99, 18 minutes and
// 19 seconds 0..59. New: item 0 owned, the others locked, the rest 0.
// Record 1 (25 bytes): 0..4 stage open 0/1, 5..9 stage marks -1..3, best times: 10..14
// hours 0..99, 15..19 minutes and 20..24 seconds 0..59. New: stage 0 open, marks -1.
// The pending win (slot 2, 46 bytes while a win is pending): byte 0 is 1, then the settled
// images of records 0 and 1. Any other content (none, a single 0 once cleared) means no win
// is pending.

#include <cstdint>
#include <vector>

namespace ui::progress {

constexpr int32_t kRecordLength[2] = {20, 25};
constexpr int32_t kMoney = 0, kTutorialDone = 1, kItems = 2, kItemCount = 7, kAchievements = 9,
                  kAchievementCount = 4, kResult = 13, kEarned = 14, kStage = 15;
constexpr int32_t kStageCount = 5, kMarks = 5, kBestHours = 10, kBestMinutes = 15, kBestSeconds = 20;
constexpr int32_t kMaxMoney = 99;
constexpr int32_t kPendingWinSlot = 2, kPendingWinLength = 1 + kRecordLength[0] + kRecordLength[1];
constexpr int8_t kItemOwned = 0, kItemForSale = 1, kItemLocked = 2;

std::vector<int8_t> newRecord(int32_t slot);
// The stored bytes, repaired; equal to them when they were valid.
std::vector<int8_t> repaired(int32_t slot, const std::vector<int8_t>& stored);

}  // namespace ui::progress
