#include <iomanip>
#include <sstream>

#include "pb_src/j2me/com_kelvane_ostrel_cldc_util_TimeZoneUTC.h"
#include "pb_src/j2me/java_util_Date.h"
#include "tests/j2me/reference/CalendarReference.inc"
#include "tests/j2me/ClassLibrary.h"

namespace {

using com::kelvane::ostrel::cldc::util::TimeZoneUTC;
using java::lang::String;
using java::util::Calendar;
using java::util::Date;
using java::util::TimeZone;

using classlib::bootInZone;

VMPtr<Date> dateAt(int64_t time) {
    VMPtr<Date> date = Date::_VM_new();
    return date->_VM_init(time);
}

VMPtr<Date> dateIn(int64_t time, const VMPtr<TimeZone>& zone) {
    VMPtr<Date> date = dateAt(time);
    date->calendar->setTimeZone(zone);
    return date;
}

VMPtr<TimeZone> namedZone(int32_t offset, const char* id) {
    VMPtr<TimeZoneUTC> zone = TimeZoneUTC::_VM_new();
    return zone->_VM_init(offset, id ? String::fromUtf8(id) : nullptr);
}

// OpenJDK prints years below 1000 as they are ("GMT 99"); this Date pads them to four
// digits ("GMT 0099").
std::string withFourDigitYear(const std::string& text) {
    const size_t space = text.rfind(' ');
    std::ostringstream padded;
    padded << text.substr(0, space + 1) << std::setfill('0') << std::setw(4) << text.substr(space + 1);
    return padded.str();
}

TEST(Date, TextMatchesTheReferenceInGmt) {
    bootInZone("UTC0");
    VMPtr<TimeZone> gmt = TimeZone::getTimeZone(VMPtr<java::lang::String>::fromLiteral("GMT"));
    for (const calendar_reference::DateText& row : calendar_reference::kDateTexts)
        EXPECT_EQ(dateIn(row.time, gmt)->toString()->toUtf8(), withFourDigitYear(row.text)) << row.time;
}

TEST(Date, TextShowsTheCalendarZoneIdOnlyWhenItHasOne) {
    bootInZone("UTC0");
    const std::pair<VMPtr<TimeZone>, const char*> cases[] = {
        {TimeZone::getDefault(), "Thu Jan 01 00:00:00 UTC+00:00 1970"},  // the device zone
        {namedZone(0, ""), "Thu Jan 01 00:00:00 1970"}, {namedZone(0, nullptr), "Thu Jan 01 00:00:00 1970"},
        {namedZone(-1, "Z"), "Wed Dec 31 23:59:59 Z 1969"},
    };
    for (const auto& [zone, text] : cases) EXPECT_EQ(dateIn(0, zone)->toString()->toUtf8(), text);
    EXPECT_EQ(dateIn(1709251199999LL, TimeZone::getTimeZone(VMPtr<java::lang::String>::fromLiteral("GMT+05:30")))->toString()->toUtf8(),
              "Fri Mar 01 05:29:59 GMT+05:30 2024");
    // The buffer is sized once for the zone ID and the year: 3 + 4 + 25 characters, and the
    // String shares its array.
    VMPtr<String> text = dateIn(0, TimeZone::getTimeZone(VMPtr<java::lang::String>::fromLiteral("GMT")))->toString();
    EXPECT_EQ(text->length(), 28);
    EXPECT_EQ(text->value->length, 32);
    // Pending fields of the calendar are settled first: 1970 month 12 day 31 is 31 January 1971.
    VMPtr<Date> date = dateIn(0, TimeZone::getTimeZone(VMPtr<java::lang::String>::fromLiteral("UTC")));
    date->calendar->set(Calendar::MONTH, 12);
    date->calendar->set(Calendar::DATE, 31);
    EXPECT_EQ(date->toString()->toUtf8(), "Sun Jan 31 00:00:00 UTC 1971");
}

TEST(Date, DefaultZoneIsTheDeviceZone) {
    bootInZone("NPT-05:45");
    VMPtr<Date> date = dateAt(0);
    EXPECT_EQ(date->calendar->zone.get(), TimeZone::getDefault().get());
    EXPECT_EQ(date->toString()->toUtf8(), "Thu Jan 01 05:45:00 UTC+05:45 1970");
    EXPECT_NE(dateAt(0)->calendar.get(), date->calendar.get()) << "each Date owns its calendar";
}

TEST(Date, TimeIsKeptByTheCalendar) {
    bootInZone("UTC0");
    const int64_t before = java::lang::System::currentTimeMillis();
    VMPtr<Date> now = Date::_VM_new();
    now->_VM_init();
    const int64_t after = java::lang::System::currentTimeMillis();
    EXPECT_GE(now->getTime(), before);
    EXPECT_LE(now->getTime(), after);

    now->setTime(-12219292800001LL);
    EXPECT_EQ(now->getTime(), -12219292800001LL);
    EXPECT_EQ(now->calendar->get(Calendar::DATE), 4) << "setTime recomputes the calendar's fields";
    VMPtr<java::lang::Object> made = Date::_VM_getClass()->newInstance();
    EXPECT_GE(dynamic_cast<Date&>(*made).getTime(), before);
}

TEST(Date, EqualityAndHashFollowTheTimeOnly) {
    bootInZone("UTC0");
    VMPtr<Date> a = dateIn(1000, TimeZone::getTimeZone(VMPtr<java::lang::String>::fromLiteral("GMT+09:00")));
    VMPtr<Date> b = dateIn(1000, TimeZone::getTimeZone(VMPtr<java::lang::String>::fromLiteral("UTC-3")));
    EXPECT_TRUE(a->equals(b));
    EXPECT_TRUE(b->equals(a));
    EXPECT_EQ(a->hashCode(), b->hashCode());
    EXPECT_EQ(a->hashCode(), 1000);
    EXPECT_FALSE(a->equals(a->calendar)) << "a calendar is no Date";
    b->setTime(1001);
    EXPECT_FALSE(a->equals(b));
    for (auto [time, hash] : {std::pair{0x123456789ABCDEF0LL, int32_t(0x9ABCDEF0u ^ 0x12345678u)}, std::pair{-1LL, 0},
                              std::pair{-2LL, 1}, std::pair{0x100000000LL, 1}})
        EXPECT_EQ(dateAt(time)->hashCode(), hash) << time;
}

}  // namespace
