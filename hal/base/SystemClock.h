#pragma once

#include <cstdint>

// Clocks. Milliseconds since 1970-01-01 00:00:00 are 64-bit everywhere.

// The system tick count in milliseconds: 32 bits, wraps after about 49.7 days.
uint32_t HAL_getTickCount();
// Replaces where the 32-bit tick count comes from (tests of timed input: key repeat and
// pointer duplicates read it); null restores the system clock. The 64-bit count and the
// wall clock always keep the system clock, so waits and shutdown bounds are unaffected.
void HAL_setTickCountSource(uint32_t (*source)());
// The same monotonic clock as a 64-bit count that never wraps.
uint64_t HAL_getTickCount64();

// UTC milliseconds since 1970: a base fixed at the first call plus the 64-bit monotonic
// count, so the value never jumps when the wall clock is set or the tick count wraps.
int64_t HAL_currentTimeMillis();
// Replaces where the UTC time comes from (tests of dates and timers); null restores the
// system clock. The local time follows it (UTC plus the zone offset).
void HAL_setTimeSource(int64_t (*source)());

// The local wall clock as milliseconds since 1970 counted on the local clock (no zone
// conversion); whole seconds.
int64_t HAL_getLocalTimeMillis();
// The local zone's offset from UTC in milliseconds (daylight saving included); 0 when the
// zone cannot be read.
int32_t HAL_getTimeZoneOffset();

int64_t HAL_countLeapYears(int64_t year);
int64_t HAL_daysFromEpochToYear(int64_t year);
int64_t HAL_daysBeforeMonth(int month, int64_t year);
// Milliseconds since 1970 for calendar fields (month 1-12, day 1-31), no zone conversion.
int64_t HAL_fieldsToMillis(int64_t year, int month, int day, int hour, int minute, int second);
