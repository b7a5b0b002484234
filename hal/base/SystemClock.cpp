#include "hal/base/SystemClock.h"

#include <atomic>
#include <ctime>

namespace {

int64_t readClockMillis(clockid_t clock) {
    timespec now{};
    clock_gettime(clock, &now);
    return int64_t(now.tv_sec) * 1000 + now.tv_nsec / 1000000;
}

bool isLeapYear(int64_t year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

}  // namespace

uint64_t HAL_getTickCount64() { return uint64_t(readClockMillis(CLOCK_MONOTONIC)); }

namespace {
std::atomic<uint32_t (*)()> tickCountSource{nullptr};
}

uint32_t HAL_getTickCount() {
    if (uint32_t (*source)() = tickCountSource.load(std::memory_order_acquire)) return source();
    return static_cast<uint32_t>(HAL_getTickCount64());
}

void HAL_setTickCountSource(uint32_t (*source)()) { tickCountSource.store(source, std::memory_order_release); }

namespace {
std::atomic<int64_t (*)()> timeSource{nullptr};
}

void HAL_setTimeSource(int64_t (*source)()) { timeSource.store(source, std::memory_order_release); }

int64_t HAL_currentTimeMillis() {
    if (int64_t (*source)() = timeSource.load(std::memory_order_acquire)) return source();
    static const int64_t base = readClockMillis(CLOCK_REALTIME) - int64_t(HAL_getTickCount64());
    return base + int64_t(HAL_getTickCount64());
}

int64_t HAL_getLocalTimeMillis() {
    const time_t now = time_t(HAL_currentTimeMillis() / 1000);
    tm local{};
    if (localtime_r(&now, &local) == nullptr) return int64_t(now) * 1000;
    return HAL_fieldsToMillis(int64_t(local.tm_year) + 1900, local.tm_mon + 1, local.tm_mday,
                              local.tm_hour, local.tm_min, local.tm_sec);
}

int32_t HAL_getTimeZoneOffset() {
    const time_t now = time(nullptr);
    tm local{};
    if (localtime_r(&now, &local) == nullptr) return 0;
    return static_cast<int32_t>(local.tm_gmtoff * 1000);
}

int64_t HAL_countLeapYears(int64_t year) { return year / 4 - year / 100 + year / 400; }

int64_t HAL_daysFromEpochToYear(int64_t year) {
    return (year - 1970) * 365 + HAL_countLeapYears(year - 1) - HAL_countLeapYears(1969);
}

int64_t HAL_daysBeforeMonth(int month, int64_t year) {
    int64_t days = 0;
    for (int m = 1; m < month; ++m) {
        if (m == 2) days += isLeapYear(year) ? 29 : 28;
        else if (m == 4 || m == 6 || m == 9 || m == 11 || m > 12) days += 30;
        else days += 31;
    }
    return days;
}

int64_t HAL_fieldsToMillis(int64_t year, int month, int day, int hour, int minute, int second) {
    const int64_t days = HAL_daysFromEpochToYear(year) + HAL_daysBeforeMonth(month, year) + day - 1;
    return (((days * 24 + hour) * 60 + minute) * 60 + second) * 1000;
}
