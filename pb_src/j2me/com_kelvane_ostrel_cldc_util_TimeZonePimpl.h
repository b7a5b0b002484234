#pragma once

// The class behind TimeZone's static operations (no instances): the zone table (the device
// zone, "UTC" and "GMT"), the grammar of offset IDs such as GMT+05:30 or UTC-8, and the
// device zone's renewal on the time-zone change event (kEventTimeZoneChanged), which the
// platform layer itself never posts.

#include "pb_src/j2me/java_util_TimeZone.h"

namespace com::kelvane::ostrel::cldc::util {

class TimeZonePimpl : public virtual ::java::lang::Object {
    VM_CLASS(TimeZonePimpl, ::java::lang::Object)
    using String = ::java::lang::String;
    using TimeZone = ::java::util::TimeZone;
    using ZoneArray = VMArray<TimeZone*, 1>;

    VMPtr<TimeZonePimpl> _VM_init() = delete;

    static constexpr int32_t kDeviceZone = 0;
    static constexpr int32_t kUtcZone = 1;
    static constexpr int32_t kGmtZone = 2;

    // The first table zone whose ID equals id (the device zone's ID for null), else null.
    static VMPtr<TimeZone> findZone(VMPtr<String> id);
    // A new zone (not added to the table) for an offset ID, with the canonical ID; else null.
    static VMPtr<TimeZone> getTimeZone(VMPtr<String> id);
    // Whether id is an offset ID: "GMT" or "UTC", a sign, then hours and minutes in one of
    // the forms the grammar in the .cpp accepts. On success, utc tells the prefix and offset
    // is the signed offset in milliseconds; on failure both are false and 0.
    static bool parseOffsetID(VMPtr<String> id, bool* utc, int32_t* offset);
    // The canonical nine-character ID: "UTC" or "GMT", "-" for a negative offset else "+",
    // then hh:mm of the offset's whole minutes.
    static VMPtr<String> formatOffsetID(bool utc, int32_t offset);
    // The listener for the time-zone change event: builds a new device zone from the
    // current platform offset (zones obtained before keep theirs). Other events: nothing.
    static int createDeviceZone(int event, int a, void* b);

    // Builds the zone table and registers createDeviceZone.
    static void _VM_clinit();

    static VMPtr<ZoneArray> zones;
    static VMPtr<String> defaultID;
    // Where the device zone's offset comes from: the platform's reading, replaceable so that
    // a change of the device's zone can be played in tests.
    static int32_t (*platformOffset)();

private:
    // Reads the platform offset once and makes the device zone and its ID from that one
    // value, so that the ID always names the zone's own offset.
    static void installDeviceZone();
};

}  // namespace com::kelvane::ostrel::cldc::util
