#pragma once

// java::util::TimeZone: the offset of local time from UTC for the calendar. Every zone of
// the system is a fixed-offset zone (com::kelvane::ostrel::cldc::util::TimeZoneUTC); the
// zone table, the offset-ID grammar and the device zone live in TimeZonePimpl. Zones are
// equal only when they are the same object (Object's identity forms).

#include "lib_src/vm/VMArray.h"
#include "pb_src/j2me/java_lang_String.h"

namespace java::util {

class TimeZone : public virtual ::java::lang::Object {
    VM_ABSTRACT_CLASS(TimeZone, ::java::lang::Object)
    using String = ::java::lang::String;
    using StringArray = VMArray<String*, 1>;

    VMPtr<TimeZone> _VM_init() { return this; }

    // Milliseconds to add to UTC to get local time at the given local date and time.
    virtual int32_t getOffset(int32_t era, int32_t year, int32_t month, int32_t day, int32_t dayOfWeek,
                              int32_t millis) = 0;
    virtual int32_t getRawOffset() = 0;
    virtual bool useDaylightTime() = 0;
    virtual VMPtr<String> getID() { return nullptr; }

    // The static operations hold the monitor of the TimeZone class object and initialise
    // the zone table first.
    //
    // The table zone with this ID; else a new zone for an offset ID (GMT+hh:mm, UTC-h and
    // the other forms of TimeZonePimpl::parseOffsetID); else the table's "GMT" zone, never
    // null. NullPointerException for a null id.
    static VMPtr<TimeZone> getTimeZone(VMPtr<String> id);
    // The device zone (null only when the table has no zone with the device zone's ID).
    static VMPtr<TimeZone> getDefault();
    // The IDs of the table zones, in table order: the device zone's, "UTC", "GMT".
    static VMPtr<StringArray> getAvailableIDs();
};

}  // namespace java::util
