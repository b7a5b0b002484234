#pragma once

// A zone with a fixed offset from UTC and no daylight saving: the only kind of zone the
// system has.

#include "pb_src/j2me/java_util_TimeZone.h"

namespace com::kelvane::ostrel::cldc::util {

class TimeZoneUTC : public ::java::util::TimeZone {
    VM_CLASS(TimeZoneUTC, ::java::util::TimeZone)
    using String = ::java::lang::String;

    VMPtr<TimeZoneUTC> _VM_init(int32_t rawOffset, VMPtr<String> id);

    // The raw offset whatever the date.
    int32_t getOffset(int32_t era, int32_t year, int32_t month, int32_t day, int32_t dayOfWeek,
                      int32_t millis) override {
        return rawOffset;
    }
    int32_t getRawOffset() override { return rawOffset; }
    bool useDaylightTime() override { return false; }
    VMPtr<String> getID() override { return id; }
    void _VM_mark(uint32_t flags) override;

    VMPtr<String> id{vmField()};
    // Milliseconds to add to UTC to get local time.
    int32_t rawOffset = 0;
};

}  // namespace com::kelvane::ostrel::cldc::util
