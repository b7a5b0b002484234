#include "pb_src/j2me/com_kelvane_ostrel_cldc_util_GregorianCalendar.h"

#include <limits>

namespace com::kelvane::ostrel::cldc::util {

VM_DEFINE_CLASS(GregorianCalendar, "com.kelvane.ostrel.cldc.util.GregorianCalendar", "java.util.Calendar",
                VM_NO_CLINIT)

namespace {

// Days before each month in a normal and in a leap year.
constexpr int32_t kDaysBefore[12] = {0, 31, 59, 90, 120, 151, 181, 212, 243, 273, 304, 334};
constexpr int32_t kLeapDaysBefore[12] = {0, 31, 60, 91, 121, 152, 182, 213, 244, 274, 305, 335};

// Days from 1 January of year 1 to 1 January 1970: in the proleptic Gregorian calendar, and
// in the Julian calendar (whose year 1 starts two days earlier).
constexpr int64_t kGregorianDaysTo1970 = 719162;
constexpr int64_t kJulianDaysTo1970 = 719164;
// The Julian day number of the day before 1 January of year 1 in the Julian calendar.
constexpr int64_t kJulianDayBeforeYear1 = 1721423;

// Division rounding towards minus infinity, and its non-negative remainder (d > 0). The
// remainder is formed with wrap-around, so it is right also where the product of the
// quotient and d leaves the 64-bit range.
int64_t floorDiv(int64_t n, int64_t d) { return n >= 0 ? n / d : (n + 1) / d - 1; }
int64_t floorMod(int64_t n, int64_t d) { return int64_t(uint64_t(n) - uint64_t(floorDiv(n, d)) * uint64_t(d)); }

// Java's wrap-around arithmetic.
int64_t wrapAdd(int64_t a, int64_t b) { return int64_t(uint64_t(a) + uint64_t(b)); }
int64_t wrapSub(int64_t a, int64_t b) { return int64_t(uint64_t(a) - uint64_t(b)); }
int64_t wrapMul(int64_t a, int64_t b) { return int64_t(uint64_t(a) * uint64_t(b)); }
int32_t wrapAdd32(int32_t a, int32_t b) { return int32_t(uint32_t(a) + uint32_t(b)); }
int32_t wrapSub32(int32_t a, int32_t b) { return int32_t(uint32_t(a) - uint32_t(b)); }
int32_t wrapMul32(int32_t a, int32_t b) { return int32_t(uint32_t(a) * uint32_t(b)); }

// a + b, held at the largest or smallest 64-bit value where the sum would wrap past it.
int64_t pinnedSum(int64_t a, int64_t b) {
    const int64_t sum = wrapAdd(a, b);
    if (a > 0 && b > 0 && sum < 0) return std::numeric_limits<int64_t>::max();
    if (a < 0 && b < 0 && sum > 0) return std::numeric_limits<int64_t>::min();
    return sum;
}

}  // namespace

void GregorianCalendar::timeToFields(int64_t t) {
    int32_t rawYear;
    int64_t dayOfYear;  // 0-based
    int64_t dayOfWeek;  // 0 Sunday to 6 Saturday, or -6 to -1 counted back (-1 Saturday)
    bool leap;
    if (t >= kCutover) {
        // Day 0 is Monday 1 January of year 1. Split into 400-, 100-, 4- and 1-year cycles;
        // a fourth 100-year or 1-year step is the last day of the longer leap cycle.
        const int64_t day = floorDiv(t, kMillisPerDay) + kGregorianDaysTo1970;
        int64_t rest = day;
        const int64_t cycles400 = floorDiv(rest, 146097);
        rest = floorMod(rest, 146097);
        const int64_t cycles100 = floorDiv(rest, 36524);
        rest = floorMod(rest, 36524);
        const int64_t cycles4 = floorDiv(rest, 1461);
        rest = floorMod(rest, 1461);
        const int64_t years = floorDiv(rest, 365);
        rest = floorMod(rest, 365);
        rawYear = int32_t(400 * cycles400 + 100 * cycles100 + 4 * cycles4 + years);
        dayOfYear = rest;
        if (cycles100 == 4 || years == 4) dayOfYear = 365;
        else ++rawYear;
        leap = rawYear % 4 == 0 && (rawYear % 100 != 0 || rawYear % 400 == 0);
        dayOfWeek = (day + 1) % 7;
    } else {
        // Day 0 is 1 January of year 1 in the Julian calendar, a Saturday.
        const int64_t jday = floorDiv(t, kMillisPerDay) + kJulianDaysTo1970;
        rawYear = int32_t(floorDiv(4 * jday + 1464, 1461));
        dayOfYear = jday - (365 * (int64_t(rawYear) - 1) + floorDiv(int64_t(rawYear) - 1, 4));
        leap = rawYear % 4 == 0;
        dayOfWeek = (jday - 1) % 7;
    }

    const int64_t march1 = leap ? 60 : 59;
    const int64_t correction = dayOfYear < march1 ? 0 : leap ? 1 : 2;
    const int32_t month = int32_t((12 * (dayOfYear + correction) + 6) / 367);
    const int32_t date = int32_t(dayOfYear - (leap ? kLeapDaysBefore : kDaysBefore)[month] + 1);
    dayOfWeek = dayOfWeek < 0 ? dayOfWeek + 8 : dayOfWeek + 1;

    int32_t* f = fields->elements();
    if (rawYear < 1) {
        f[ERA] = BC;
        f[YEAR] = 1 - rawYear;
    } else {
        f[ERA] = AD;
        f[YEAR] = rawYear;
    }
    f[MONTH] = month;
    f[DATE] = date;
    f[DAY_OF_WEEK] = int32_t(dayOfWeek);
}

void GregorianCalendar::computeFields() {
    const int32_t raw = zone->getRawOffset();
    const int64_t local = pinnedSum(time, raw);
    timeToFields(local);
    int32_t millisInDay = int32_t(floorMod(local, kMillisPerDay));

    int32_t* f = fields->elements();
    const int32_t dst =
        wrapSub32(zone->getOffset(f[ERA], f[YEAR], f[MONTH], f[DATE], f[DAY_OF_WEEK], millisInDay), raw);
    millisInDay = wrapAdd32(millisInDay, dst);
    if (millisInDay >= kMillisPerDay) {
        // Daylight saving moved the local time into the next day.
        millisInDay -= kMillisPerDay;
        timeToFields(pinnedSum(local, dst));
    }

    f[MILLISECOND] = millisInDay % 1000;
    const int32_t seconds = millisInDay / 1000;
    f[SECOND] = seconds % 60;
    const int32_t minutes = seconds / 60;
    f[MINUTE] = minutes % 60;
    const int32_t hours = minutes / 60;
    f[HOUR_OF_DAY] = hours;
    f[AM_PM] = hours / 12;
    f[HOUR] = hours % 12;
}

int64_t GregorianCalendar::julianDay(bool gregorian, int32_t year) {
    const int32_t* f = fields->elements();
    int32_t month = f[MONTH];
    if (month < 0 || month > 11) {
        year = wrapAdd32(year, int32_t(floorDiv(month, 12)));
        month = int32_t(floorMod(month, 12));
    }
    bool leap = year % 4 == 0;
    const int32_t y = wrapSub32(year, 1);
    int64_t jd = 365 * int64_t(y) + floorDiv(y, 4) + kJulianDayBeforeYear1;
    if (gregorian) {
        leap = leap && (year % 100 != 0 || year % 400 == 0);
        jd += floorDiv(y, 400) - floorDiv(y, 100) + 2;
    }
    return jd + (leap ? kLeapDaysBefore : kDaysBefore)[month] + int64_t(f[DATE]);
}

// A set HOUR_OF_DAY wins and fixes AM_PM (leaving the marks of AM_PM and HOUR). Otherwise
// an AM_PM outside 0 and 1 follows HOUR_OF_DAY, and a set HOUR gives the hour with AM_PM;
// HOUR beyond 12 counts as an afternoon hour.
void GregorianCalendar::resolveHour() {
    int32_t* f = fields->elements();
    bool* marked = isSet->elements();
    if (marked[HOUR_OF_DAY]) {
        f[HOUR_OF_DAY] %= 24;
        f[AM_PM] = f[HOUR_OF_DAY] < 12 ? AM : PM;
        marked[HOUR_OF_DAY] = false;
        return;
    }
    if (marked[AM_PM]) {
        if (f[AM_PM] != AM && f[AM_PM] != PM) f[AM_PM] = f[HOUR_OF_DAY] >= 12 ? PM : AM;
        marked[AM_PM] = false;
    }
    if (marked[HOUR]) {
        if (f[HOUR] > 12) {
            f[HOUR] %= 12;
            f[HOUR_OF_DAY] = f[HOUR] + 12;
            f[AM_PM] = PM;
        } else {
            f[HOUR_OF_DAY] = f[AM_PM] == PM ? f[HOUR] + 12 : f[HOUR];
        }
        marked[HOUR] = false;
    }
}

void GregorianCalendar::computeTime() {
    resolveHour();
    const int32_t* f = fields->elements();

    // The date in the calendar of its year; days that fall on the other side of the
    // cutover (5 to 14 October 1582, and month overflow across it) are read in the other
    // calendar.
    const int32_t year = f[YEAR];
    const bool gregorian = year >= kCutoverYear;
    int64_t jd = julianDay(gregorian, year);
    int64_t millis = wrapMul(jd - kEpochJulianDay, kMillisPerDay);
    if (gregorian != (millis >= kCutover)) {
        jd = julianDay(!gregorian, year);
        millis = wrapMul(jd - kEpochJulianDay, kMillisPerDay);
    }

    const int32_t raw = zone->getRawOffset();
    const int32_t timeOfDay = wrapAdd32(
        wrapMul32(wrapAdd32(wrapMul32(wrapAdd32(wrapMul32(f[HOUR_OF_DAY], 60), f[MINUTE]), 60), f[SECOND]), 1000),
        f[MILLISECOND]);
    millis = wrapAdd(millis, timeOfDay);

    const int64_t weekRest = (jd + 1) % 7;
    const int32_t dayOfWeek = int32_t(weekRest) + 1 + (weekRest < 0 ? 7 : 0);
    const int32_t inDay = int32_t(floorMod(millis, kMillisPerDay));
    const int32_t dst = wrapSub32(zone->getOffset(f[ERA], f[YEAR], f[MONTH], f[DATE], dayOfWeek, inDay), raw);
    time = wrapSub(wrapSub(millis, dst), raw);
}

}  // namespace com::kelvane::ostrel::cldc::util
