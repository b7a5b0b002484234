#pragma once

// The calendar of the system: the hybrid Julian/Gregorian calendar, Gregorian from Friday
// 15 October 1582 (the day after Julian Thursday 4 October 1582). Zone offsets come from the
// calendar's TimeZone; the arithmetic is fixed to the millisecond, in 64 bits, with the
// wrap-around of Java integers where a sum leaves its range.

#include "pb_src/j2me/java_util_Calendar.h"

namespace com::kelvane::ostrel::cldc::util {

class GregorianCalendar : public ::java::util::Calendar {
    VM_CLASS(GregorianCalendar, ::java::util::Calendar)

    // 15 October 1582 00:00 UTC, the first Gregorian day.
    static constexpr int64_t kCutover = -12219292800000LL;
    static constexpr int32_t kCutoverYear = 1582;
    static constexpr int64_t kEpochJulianDay = 2440588;
    static constexpr int32_t kMillisPerDay = 86400000;

    VMPtr<GregorianCalendar> _VM_init() {
        Calendar::_VM_init();
        return this;
    }

    // ERA to MILLISECOND from time in the zone's local time.
    void computeFields() override;
    // time from YEAR (ERA is not consulted), MONTH, DATE and the time of day, after the
    // resolution of HOUR_OF_DAY, AM_PM and HOUR.
    void computeTime() override;

private:
    // ERA, YEAR, MONTH, DATE and DAY_OF_WEEK of local milliseconds t.
    void timeToFields(int64_t t);
    // The Julian day number of year, MONTH and DATE in the Gregorian or the Julian
    // calendar; MONTH outside 0..11 moves the year.
    int64_t julianDay(bool gregorian, int32_t year);
    void resolveHour();
};

}  // namespace com::kelvane::ostrel::cldc::util
