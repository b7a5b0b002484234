#include <limits>

#include "pb_src/j2me/com_kelvane_ostrel_cldc_util_GregorianCalendar.h"
#include "pb_src/j2me/com_kelvane_ostrel_cldc_util_TimeZonePimpl.h"
#include "tests/j2me/reference/CalendarReference.inc"
#include "tests/j2me/ClassLibrary.h"

namespace {

using com::kelvane::ostrel::cldc::util::TimeZonePimpl;
using java::util::Calendar;
using java::util::Date;
using java::util::TimeZone;

// The field order of the reference tables.
constexpr int32_t kReferenceFields[11] = {
    Calendar::ERA,         Calendar::YEAR,   Calendar::MONTH,  Calendar::DATE,
    Calendar::DAY_OF_WEEK, Calendar::AM_PM,  Calendar::HOUR,   Calendar::HOUR_OF_DAY,
    Calendar::MINUTE,      Calendar::SECOND, Calendar::MILLISECOND,
};
constexpr int64_t kHour = 3600000;
constexpr int64_t kDay = 86400000;

void bootInUtc() { classlib::bootInZone("UTC0"); }

VMPtr<TimeZone> zoneOfOffset(int32_t offset) {
    if (offset == 0) return TimeZone::getTimeZone(VMPtr<java::lang::String>::fromLiteral("GMT"));
    return TimeZone::getTimeZone(TimeZonePimpl::formatOffsetID(false, offset));
}

VMPtr<Calendar> calendarIn(const VMPtr<TimeZone>& zone) {
    VMPtr<Calendar> calendar = Calendar::getInstance();
    calendar->setTimeZone(zone);
    return calendar;
}

VMPtr<Calendar> calendarAt(int64_t time, int32_t offset = 0) {
    VMPtr<Calendar> calendar = calendarIn(zoneOfOffset(offset));
    calendar->setTimeInMillis(time);
    return calendar;
}

std::string fieldsOf(const VMPtr<Calendar>& calendar) {
    std::string text;
    for (int32_t field : kReferenceFields) text += std::to_string(calendar->get(field)) + " ";
    return text;
}

std::string fieldsOf(const int32_t (&fields)[11]) {
    std::string text;
    for (int32_t value : fields) text += std::to_string(value) + " ";
    return text;
}

void setDay(const VMPtr<Calendar>& calendar, int32_t year, int32_t month, int32_t date) {
    calendar->set(Calendar::YEAR, year);
    calendar->set(Calendar::MONTH, month);
    calendar->set(Calendar::DATE, date);
}

void setTimeOfDay(const VMPtr<Calendar>& calendar, int32_t hourOfDay, int32_t minute, int32_t second, int32_t millis) {
    calendar->set(Calendar::HOUR_OF_DAY, hourOfDay);
    calendar->set(Calendar::MINUTE, minute);
    calendar->set(Calendar::SECOND, second);
    calendar->set(Calendar::MILLISECOND, millis);
}

TEST(Calendar, ReferenceInstantsToFieldsAndBack) {
    bootInUtc();
    for (const calendar_reference::Instant& row : calendar_reference::kInstants) {
        VMPtr<Calendar> calendar = calendarAt(row.time, row.offset);
        EXPECT_EQ(fieldsOf(calendar), fieldsOf(row.fields)) << "time " << row.time << " offset " << row.offset;

        VMPtr<Calendar> back = calendarIn(calendar->zone);
        setDay(back, row.fields[1], row.fields[2], row.fields[3]);
        setTimeOfDay(back, row.fields[7], row.fields[8], row.fields[9], row.fields[10]);
        // ERA is not consulted: a BC year comes back as the same year counted AD (OpenJDK
        // keeps the era). The reference sets ERA AD, so it shows the time of that AD year.
        back->set(Calendar::ERA, Calendar::BC);
        EXPECT_EQ(back->getTimeInMillis(), row.timeFromFields) << "time " << row.time << " offset " << row.offset;
        if (row.fields[0] == Calendar::AD) {
            EXPECT_EQ(row.timeFromFields, row.time);
        }
    }
}

TEST(Calendar, ReferenceFieldSetsCarryOutOfRangeValuesIntoTheTime) {
    bootInUtc();
    for (const calendar_reference::FieldSet& row : calendar_reference::kFieldSets) {
        const std::string label = row.label;
        VMPtr<Calendar> calendar = calendarIn(zoneOfOffset(row.offset));
        setDay(calendar, row.year, row.month, row.date);
        setTimeOfDay(calendar, row.hourOfDay, row.minute, row.second, row.millisecond);
        int64_t expected = row.time;
        // Deliberate differences from OpenJDK's lenient calendar:
        if (label == "hour 24") expected = 946598400000LL;  // HOUR_OF_DAY is taken modulo 24: 1999-12-31 00:00, not 2000-01-01
        if (label == "hour 25") expected = 946602000000LL;  // 1999-12-31 01:00, not 2000-01-01 01:00
        if (label == "minute 40000") expected = -1894967296LL;  // the time of day is summed in 32 bits: 2400000000 wraps
        EXPECT_EQ(calendar->getTimeInMillis(), expected) << label;
        EXPECT_EQ(calendar->get(Calendar::MONTH), row.month) << label << ": stored as set until recomputed";
        calendar->get(Calendar::DAY_OF_WEEK);
        const std::string expectedFields =
            expected == row.time ? fieldsOf(row.fields) : fieldsOf(calendarAt(expected, row.offset));
        EXPECT_EQ(fieldsOf(calendar), expectedFields) << label;
    }
}

TEST(Calendar, SumsBeyondTheLongRange) {
    bootInUtc();
    constexpr int64_t kMax = std::numeric_limits<int64_t>::max();
    constexpr int64_t kMin = std::numeric_limits<int64_t>::min();
    // Local time is pinned at the largest or smallest long (OpenJDK shows the fields one
    // offset further, beyond the range); without overflow nothing is pinned.
    const std::tuple<int64_t, int32_t, const char*> cases[] = {
        {kMax, 3600000, "1 292278994 7 17 1 0 7 7 12 55 807 "}, {kMax - 1000, 86340000, "1 292278994 7 17 1 0 7 7 12 55 807 "},
        {kMax, -3600000, "1 292278994 7 17 1 0 6 6 12 55 807 "}, {kMin, -18000000, "0 292269055 11 2 1 1 4 16 47 4 192 "}};
    for (const auto& [time, offset, fields] : cases) EXPECT_EQ(fieldsOf(calendarAt(time, offset)), fields) << time;

    // Field values wrap like Java integers: December of the largest year plus one month is
    // January of the smallest, and 2^32 ms of time of day count nothing.
    VMPtr<Calendar> calendar = calendarAt(0);
    setDay(calendar, std::numeric_limits<int32_t>::max(), 12, 1);
    setTimeOfDay(calendar, 0, 0, 0, 0);
    const int64_t wrapped = calendar->getTimeInMillis();
    setDay(calendar, std::numeric_limits<int32_t>::min(), 0, 1);
    EXPECT_EQ(calendar->getTimeInMillis(), wrapped);
    setDay(calendar, 1970, 0, 1);
    setTimeOfDay(calendar, 0, 0, 4294967, 296);
    EXPECT_EQ(calendar->getTimeInMillis(), 0);
}

TEST(Calendar, SetKeepsValuesUntilTheFieldsAreRecomputedAndFieldsOutsideTheTableAreRejected) {
    bootInUtc();
    VMPtr<Calendar> calendar = calendarAt(0);
    setDay(calendar, 1970, 13, 1);
    EXPECT_FALSE(calendar->isTimeSet);
    EXPECT_EQ(calendar->getTimeInMillis(), 34214400000LL);  // 1 February 1971
    EXPECT_TRUE(calendar->isTimeSet);
    EXPECT_EQ(calendar->get(Calendar::MONTH), 13) << "getTimeInMillis does not recompute the fields";
    EXPECT_EQ(calendar->get(Calendar::DAY_OF_WEEK), Calendar::MONDAY);
    EXPECT_EQ(calendar->get(Calendar::MONTH), 1);
    EXPECT_EQ(calendar->get(Calendar::YEAR), 1971);
    // AM_PM, HOUR and HOUR_OF_DAY settle the pending time too; other fields, also the
    // meaningless numbers 3, 4, 6 and 8, are answered as stored.
    calendar->set(Calendar::DATE, 32);
    calendar->get(Calendar::HOUR);
    EXPECT_EQ(calendar->get(Calendar::DATE), 4);
    calendar->set(4, 77);
    EXPECT_EQ(calendar->get(4), 77);
    calendar->getTimeInMillis();
    for (int32_t field : {-1, 15, std::numeric_limits<int32_t>::min()}) {
        EXPECT_THROW(calendar->get(field), java::lang::ArrayIndexOutOfBoundsException*) << field;
        EXPECT_THROW(calendar->set(field, 1), java::lang::ArrayIndexOutOfBoundsException*) << field;
    }
    EXPECT_TRUE(calendar->isTimeSet) << "a rejected set changes nothing";
}

TEST(Calendar, HourResolution) {
    bootInUtc();
    const int64_t day = 946684800000LL;  // 2000-01-01 00:00 UTC
    auto timeAfter = [&](int64_t start, std::initializer_list<std::pair<int32_t, int32_t>> sets) {
        VMPtr<Calendar> c = calendarAt(start);
        for (auto [field, value] : sets) c->set(field, value);
        return c->getTimeInMillis() - day;
    };
    using C = Calendar;
    EXPECT_EQ(timeAfter(day, {{C::HOUR, 3}, {C::AM_PM, C::PM}}), 15 * kHour);
    EXPECT_EQ(timeAfter(day, {{C::HOUR, 12}, {C::AM_PM, C::AM}}), 12 * kHour) << "noon";
    EXPECT_EQ(timeAfter(day, {{C::HOUR, 12}, {C::AM_PM, C::PM}}), kDay) << "the next day's midnight";
    // HOUR beyond 12 is an afternoon hour whatever AM_PM says (OpenJDK: HOUR 25 AM is
    // the next day's 01:00).
    EXPECT_EQ(timeAfter(day, {{C::HOUR, 25}, {C::AM_PM, C::AM}}), 13 * kHour);
    // AM_PM alone does not move the hour (OpenJDK moves 03:00 to 15:00); one other than 0
    // or 1 follows HOUR_OF_DAY.
    EXPECT_EQ(timeAfter(day + 3 * kHour, {{C::AM_PM, C::PM}}), 3 * kHour);
    EXPECT_EQ(timeAfter(day + 20 * kHour, {{C::AM_PM, 7}, {C::HOUR, 2}}), 14 * kHour);
    // HOUR_OF_DAY wins, taken modulo 24 (truncating).
    EXPECT_EQ(timeAfter(day, {{C::HOUR, 9}, {C::HOUR_OF_DAY, 39}}), 15 * kHour);
    EXPECT_EQ(timeAfter(day, {{C::HOUR_OF_DAY, -25}}), -kHour);

}

TEST(Calendar, BcYearsAndTheCutoverGap) {
    bootInUtc();
    VMPtr<Calendar> calendar = calendarAt(0);
    setDay(calendar, 0, 0, 1);  // year 0 is 1 BC; -43 is 44 BC
    EXPECT_EQ(calendar->getTimeInMillis(), -62167392000000LL);
    calendar->set(Calendar::YEAR, -43);
    calendar->get(Calendar::DAY_OF_WEEK);
    EXPECT_EQ(calendar->get(Calendar::ERA), Calendar::BC);
    EXPECT_EQ(calendar->get(Calendar::YEAR), 44);
    // A day missing at the cutover is read in the Julian calendar: 10 October is 20 October.
    setDay(calendar, 1582, Calendar::OCTOBER, 10);
    EXPECT_EQ(calendar->get(Calendar::DAY_OF_WEEK), Calendar::WEDNESDAY);
    EXPECT_EQ(calendar->get(Calendar::DATE), 20);
}

TEST(Calendar, SetTimeZoneKeepsTheInstantOrReadsPendingFieldsInTheNewZone) {
    bootInUtc();
    VMPtr<Calendar> calendar = calendarAt(946684799999LL);  // 1999-12-31 23:59:59.999 GMT
    calendar->setTimeZone(zoneOfOffset(19800000));
    EXPECT_EQ(calendar->getTimeInMillis(), 946684799999LL);
    EXPECT_EQ(fieldsOf(calendar), "1 2000 0 1 7 0 5 5 29 59 999 ");
    calendar->setTimeZone(zoneOfOffset(-18000000));
    EXPECT_EQ(fieldsOf(calendar), "1 1999 11 31 6 1 6 18 59 59 999 ");

    setDay(calendar, 2000, Calendar::JANUARY, 1);
    setTimeOfDay(calendar, 0, 0, 0, 0);
    calendar->setTimeZone(zoneOfOffset(3600000));
    EXPECT_EQ(calendar->getTimeInMillis(), 946684800000LL - kHour) << "midnight at +01:00";

    VMPtr<TimeZone> before = calendar->zone;
    EXPECT_EQ(classlib::messageOf<java::lang::NullPointerException>([&] { calendar->setTimeZone(nullptr); }), "<none>");
    EXPECT_EQ(calendar->zone.get(), before.get());
}

TEST(Calendar, GetTimeEqualsAndCollections) {
    bootInUtc();
    VMPtr<Calendar> a = calendarAt(1000, 19800000);
    VMPtr<Date> first = a->getTime();
    a->set(Calendar::SECOND, 30);
    EXPECT_EQ(a->getTime().get(), first.get()) << "one Date, updated in place";
    EXPECT_EQ(first->getTime(), 30000);
    EXPECT_EQ(first->count, 0) << "the Date's monitor is released";
    VMPtr<Calendar> b = calendarIn(a->zone);
    b->setTimeInMillis(30000);
    EXPECT_TRUE(a->equals(b));
    EXPECT_FALSE(a->equals(first));
    b->set(Calendar::MILLISECOND, 1);
    EXPECT_FALSE(a->equals(b)) << "pending fields are settled for the comparison";
    b->setTimeInMillis(30000);
    b->setTimeZone(zoneOfOffset(19800000));
    EXPECT_FALSE(a->equals(b)) << "another zone object, though of the same offset";
    testRuntime()->collect();
    EXPECT_EQ(fieldsOf(a), "1 1970 0 1 5 0 5 5 30 30 0 ");
    EXPECT_EQ(a->zone->getID()->toUtf8(), "GMT+05:30");
    EXPECT_EQ(a->date->getTime(), 30000);
}

TEST(Calendar, NewCalendarHoldsTheCurrentInstantInTheDefaultZone) {
    classlib::bootInZone("IST-05:30");
    const int64_t before = java::lang::System::currentTimeMillis();
    VMPtr<Calendar> calendar = Calendar::getInstance();
    const int64_t after = java::lang::System::currentTimeMillis();
    EXPECT_EQ(calendar->zone.get(), TimeZone::getDefault().get());
    EXPECT_TRUE(calendar->isTimeSet);
    EXPECT_GE(calendar->getTimeInMillis(), before);
    EXPECT_LE(calendar->getTimeInMillis(), after);
    const int64_t local = calendar->getTimeInMillis() + 19800000;
    EXPECT_EQ(calendar->get(Calendar::MILLISECOND), local % 1000);
    EXPECT_EQ(calendar->get(Calendar::HOUR_OF_DAY), local % kDay / kHour);
}

TEST(Calendar, WithoutADefaultZoneConstructionFails) {
    bootInUtc();
    TimeZone::getDefault();
    TimeZonePimpl::defaultID = VMPtr<java::lang::String>::fromLiteral("nowhere");
    EXPECT_EQ(TimeZone::getDefault().get(), nullptr);
    EXPECT_EQ(classlib::messageOf<java::lang::RuntimeException>([] { Calendar::getInstance(); }),
              "Could not find default timezone.");
}

}  // namespace
