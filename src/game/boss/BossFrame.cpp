#include "src/game/boss/BossFrame.h"

namespace boss {

StageTime totalTime(int64_t fightMillis, int32_t storedHours, int32_t storedMinutes, int32_t storedSeconds) {
    const int32_t stored = storedHours * 3600 + storedMinutes * 60 + storedSeconds;
    const int64_t totalSeconds = (fightMillis + int64_t(stored * 1000)) / 1000;
    return {int32_t(std::min<int64_t>(totalSeconds / 3600, 99)), int32_t(totalSeconds % 3600 / 60),
            int32_t(totalSeconds % 60)};
}

}  // namespace boss
