#include "lib_src/vm/VMEvents.h"
#include "pb_src/j2me/com_kelvane_ostrel_cldc_util_TimeZonePimpl.h"
#include "pb_src/j2me/java_util_Calendar.h"
#include "tests/j2me/ClassLibrary.h"

namespace {

using com::kelvane::ostrel::cldc::util::TimeZonePimpl;
using java::lang::String;
using java::util::TimeZone;

using classlib::bootInZone;

VMPtr<TimeZone> zone(const char* id) { return TimeZone::getTimeZone(String::fromUtf8(id)); }
std::string idOf(const VMPtr<TimeZone>& z) { return z->getID()->toUtf8(); }

TEST(TimeZone, NamedZonesAreTableObjectsAndUnknownIdsFallBackToGmt) {
    bootInZone("UTC0");
    VMPtr<TimeZone> gmt = zone("GMT");
    VMPtr<TimeZone> utc = zone("UTC");
    EXPECT_EQ(idOf(gmt), "GMT");
    EXPECT_EQ(idOf(utc), "UTC");
    EXPECT_EQ(gmt.get(), zone("GMT").get());
    EXPECT_EQ(utc.get(), zone("UTC").get());
    EXPECT_FALSE(gmt->equals(utc)) << "zones are equal only when they are the same object";
    // Names are compared exactly (OpenJDK also answers GMT for unknown IDs, but knows
    // region names such as Europe/Paris).
    for (const char* unknown : {"gmt", "Utc", "Europe/Paris", "", "GMT ", "XYZ+01:00"})
        EXPECT_EQ(zone(unknown).get(), gmt.get()) << unknown;
    for (const char* id : {"GMT", "UTC", "GMT+05:30", "UTC-12"}) {
        VMPtr<TimeZone> z = zone(id);
        EXPECT_EQ(z->getOffset(1, 2024, 6, 15, 1, 43200000), z->getRawOffset()) << id;
        EXPECT_EQ(z->getOffset(0, 44, 2, 15, 3, -1), z->getRawOffset()) << id;
        EXPECT_FALSE(z->useDaylightTime()) << id;
    }
    EXPECT_EQ(classlib::messageOf<java::lang::NullPointerException>([] { TimeZone::getTimeZone(nullptr); }), "<none>");
    EXPECT_EQ(TimeZone::_VM_getClass()->count, 0) << "the class monitor is released";
}

TEST(TimeZone, OffsetIdsMakeNewZonesWithCanonicalIds) {
    bootInZone("UTC0");
    struct Case {
        const char* id;
        int32_t offset;
        const char* canonical;
    };
    const Case cases[] = {
        {"GMT+5:30", 19800000, "GMT+05:30"}, {"UTC-8", -28800000, "UTC-08:00"},
        {"UTC+0130", 5400000, "UTC+01:30"},  {"GMT+530", 19800000, "GMT+05:30"},
        {"GMT-0", 0, "GMT+00:00"},           {"GMT+09", 32400000, "GMT+09:00"},
        {"GMT+19", 68400000, "GMT+19:00"},   {"GMT+23", 82800000, "GMT+23:00"},
        {"GMT-23:59", -86340000, "GMT-23:59"}, {"GMT+2359", 86340000, "GMT+23:59"},
        {"GMT+1959", 71940000, "GMT+19:59"}, {"GMT+2:30", 9000000, "GMT+02:30"},
        {"GMT+059", 3540000, "GMT+00:59"},   {"GMT+945", 35100000, "GMT+09:45"},
        // Three digits after a leading 1 or 2 are h and mm where the automaton reaches its
        // final state (OpenJDK reads every three digits as h and mm).
        {"GMT+159", 7140000, "GMT+01:59"},   {"GMT+245", 9900000, "GMT+02:45"},
        {"GMT+239", 9540000, "GMT+02:39"},   {"UTC+126", 5160000, "UTC+01:26"},
    };
    for (const Case& c : cases) {
        VMPtr<TimeZone> z = zone(c.id);
        EXPECT_EQ(z->getRawOffset(), c.offset) << c.id;
        EXPECT_EQ(idOf(z), c.canonical) << c.id;
        EXPECT_NE(z.get(), zone(c.id).get()) << "every lookup makes a new zone: " << c.id;
    }
    bool utc = true;
    int32_t offset = 1;
    EXPECT_FALSE(TimeZonePimpl::parseOffsetID(String::fromUtf8("GMT+24"), &utc, &offset));
    EXPECT_FALSE(utc);
    EXPECT_EQ(offset, 0);
    EXPECT_EQ(TimeZonePimpl::formatOffsetID(true, -3600000)->toUtf8(), "UTC-01:00");
    EXPECT_EQ(TimeZonePimpl::formatOffsetID(true, 0)->toUtf8(), "UTC+00:00");
    EXPECT_EQ(TimeZonePimpl::formatOffsetID(false, 3600000 + 59999)->toUtf8(), "GMT+01:00") << "seconds dropped";
}

TEST(TimeZone, IdsTheAutomatonRejectsFallBackToGmt) {
    bootInZone("UTC0");
    VMPtr<TimeZone> gmt = zone("GMT");
    // GMT+130 and GMT+230: 13 and 23 have been read as hours, and two minute digits must
    // follow (OpenJDK reads 01:30 and 02:30). GMT+24, GMT+2400: hours above 23; GMT+1:60,
    // GMT+960: minutes above 59.
    for (const char* id : {"GMT+24", "GMT+1:60", "GMT+", "GMT+12345", "GMT+130", "GMT+230", "GMT+2400",
                           "GMT+1:5", "GMT+1:", "GMT+:30", "GMT+19:60", "GMT+960", "GMT+195", "GMT+000",
                           "GMT5", "GMT+-1", "GMT++1", "GMT+ 1", "GMT+1 ", "GMT+1:30:00", "GMT+01:3a",
                           "UTC1", "GMTX1", "GMT-", "gmt+1"})
        EXPECT_EQ(zone(id).get(), gmt.get()) << id;
}

TEST(TimeZone, DeviceZoneFollowsThePlatformOffset) {
    bootInZone("NPT-05:45");
    VMPtr<TimeZone> device = TimeZone::getDefault();
    EXPECT_EQ(device->getRawOffset(), 20700000);
    EXPECT_EQ(idOf(device), "UTC+05:45");
    EXPECT_EQ(device.get(), TimeZone::getDefault().get());
    EXPECT_EQ(zone("UTC+05:45").get(), device.get()) << "the device zone's own ID names the table zone";
    EXPECT_NE(zone("UTC+5:45").get(), device.get()) << "IDs are compared as written";

    VMPtr<TimeZone::StringArray> ids = TimeZone::getAvailableIDs();
    ASSERT_EQ(ids->length, 3);
    EXPECT_EQ(ids->at(0)->toUtf8() + " " + ids->at(1)->toUtf8() + " " + ids->at(2)->toUtf8(), "UTC+05:45 UTC GMT");
}

TEST(TimeZone, ZoneChangeEventRenewsOnlyTheDeviceZone) {
    bootInZone("CET-1");
    VMPtr<TimeZone> before = TimeZone::getDefault();
    VMPtr<java::util::Calendar> calendar = java::util::Calendar::getInstance();
    VMPtr<TimeZone> gmt = zone("GMT");
    EXPECT_EQ(idOf(before), "UTC+01:00");

    setenv("TZ", "EST5", 1);
    tzset();
    HAL_dispatchEvent(kEventPause, 0, nullptr);
    TimeZonePimpl::createDeviceZone(kEventResume, 0, nullptr);
    EXPECT_EQ(TimeZone::getDefault().get(), before.get()) << "other events change nothing";

    HAL_dispatchEvent(kEventTimeZoneChanged, 0, nullptr);
    VMPtr<TimeZone> after = TimeZone::getDefault();
    EXPECT_NE(after.get(), before.get());
    EXPECT_EQ(after->getRawOffset(), -18000000);
    EXPECT_EQ(idOf(after), "UTC-05:00");
    EXPECT_EQ(before->getRawOffset(), 3600000) << "zones obtained earlier keep their offset";
    EXPECT_EQ(calendar->zone.get(), before.get());
    EXPECT_EQ(zone("GMT").get(), gmt.get());
    EXPECT_NE(zone("UTC+01:00").get(), before.get()) << "the old device ID is an ordinary offset ID now";
}

// The device zone's ID and offset come from one reading of the platform offset, so they
// agree even when the offset changes between two readings.
int32_t readings = 0;
int32_t changingOffset() { return ++readings * 3600000; }

TEST(TimeZone, DeviceZoneIdAndOffsetComeFromOneReading) {
    testRuntime();
    TimeZonePimpl::platformOffset = &changingOffset;
    VMPtr<TimeZone> device = TimeZone::getDefault();
    EXPECT_EQ(readings, 1);
    EXPECT_EQ(device->getRawOffset(), 3600000);
    EXPECT_EQ(idOf(device), "UTC+01:00");

    HAL_dispatchEvent(kEventTimeZoneChanged, 0, nullptr);
    device = TimeZone::getDefault();
    EXPECT_EQ(readings, 2);
    EXPECT_EQ(device->getRawOffset(), 7200000);
    EXPECT_EQ(idOf(device), "UTC+02:00");
}

}  // namespace
