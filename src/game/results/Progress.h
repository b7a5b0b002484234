#pragma once

// The saved-progress changes of a won stage and of a purchase, made on copies of records 0
// and 1 so that each is saved whole: a stage's settlement writes record 0 and then record 1
// between the writing and the clearing of the pending win's mark (so a start after a kill
// finishes it), a purchase writes record 0 once. The rules are the scene manager's record
// operations (unlock, open, mark, best time, money) applied in the settlement's order.

#include <cstdint>
#include <span>

#include "lib_src/vm/VMArray.h"

namespace ui {
class SceneManager;
}

namespace results {

using ByteArray = VMArray<int8_t, 1>;

// What a settlement changed, for the result screen's unlock list.
struct Settlement {
    int32_t mark = 0;
    bool stageOpened = false;
    bool itemUnlocked = false;
    bool achievementUnlocked = false;
};

// The stage mark for a stage time, from its whole minutes: over 5 gives 0, 5 gives 1, 4
// gives 2, 3 or less gives 3 (the best).
int32_t markForTime(int32_t hours, int32_t minutes);

// Settles the stage that record 0's result block describes into both records. A stage byte
// outside 0..4 raises an error naming it before anything is changed.
Settlement settle(std::span<int8_t> record0, std::span<int8_t> record1);

// A won fight's result, stored so that its settlement survives a kill at any instant: first
// the mark of the pending win with both records as the settlement will leave them, then the
// result in record 0 as storeResult writes it. The result screen's settlement completes it.
void storeWin(ui::SceneManager& manager, int32_t hurt, int32_t earned, int32_t stage, int64_t time, int32_t hours,
              int32_t minutes, int32_t seconds);

// Buys the item when it is for sale and money covers its price: money drops by the price
// into record 0, the item becomes owned and, with all seven owned, achievement 3 unlocks.
bool buy(std::span<int8_t> record0, int32_t item, int32_t& money);

// The shop price of an item.
int32_t priceOf(int32_t item);

// Called before (written false) and after (written true) each record write of a settlement
// or a purchase; tests use it to stop the game at a chosen write.
using RecordWriteHook = void (*)(int32_t slot, bool written);
inline RecordWriteHook recordWriteHook = nullptr;

// Saved record `slot`, as a new array.
VMPtr<ByteArray> loadRecord(ui::SceneManager& manager, int32_t slot);
// Writes the record in one save, telling the hook.
void saveRecord(ui::SceneManager& manager, int32_t slot, const VMPtr<ByteArray>& record);

inline std::span<int8_t> bytes(const VMPtr<ByteArray>& a) { return {a->elements(), size_t(a->length)}; }

}  // namespace results
