// The http handler's date parser: the header forms, the number and word rules, zones,
// two-digit years, comments, am and pm, and the texts it must refuse.

#include <cstdlib>
#include <ctime>

#include "pb_src/j2me/com_kelvane_ostrel_midp_io_protocol_http_Protocol.h"
#include "tests/j2me/ClassLibrary.h"

namespace httpdatetest {

using com::kelvane::ostrel::midp::io::protocol::http::Protocol;
using java::lang::String;

constexpr int64_t kHour = 3600000;
constexpr int64_t kFailed = INT64_MIN;

// Milliseconds since 1970 of a UTC date and time.
int64_t utc(int year, int month, int day, int hour = 0, int minute = 0, int second = 0) {
    std::tm fields{};
    fields.tm_year = year - 1900;
    fields.tm_mon = month - 1;
    fields.tm_mday = day;
    fields.tm_hour = hour;
    fields.tm_min = minute;
    fields.tm_sec = second;
    return int64_t(timegm(&fields)) * 1000;
}

int64_t parse(const char* text) {
    try {
        return Protocol::parseDate(text ? String::fromUtf8(text) : nullptr);
    } catch (java::lang::IllegalArgumentException* caught) {
        VMPtr<java::lang::IllegalArgumentException> held(caught);
        EXPECT_EQ(caught->getMessage()->toUtf8(), "Error parsing date");
        return kFailed;
    }
}

class HttpDateTest : public testing::Test {
protected:
    void SetUp() override {
        setenv("TZ", "UTC0", 1);
        testRuntime();
    }
};

TEST_F(HttpDateTest, ParsesOrRefusesEachForm) {
    const int64_t nov6 = utc(1994, 11, 6, 8, 49, 37);
    const struct {
        const char* text;
        int64_t millis;
    } rows[] = {
        {"Sun, 06 Nov 1994 08:49:37 GMT", nov6},
        {"Sunday, 06-Nov-94 08:49:37 GMT", nov6},
        {"Sun Nov  6 08:49:37 1994", nov6},
        {"06 Nov 1994 08:49:37 -0500", nov6 + 5 * kHour},
        {"06 Nov 1994 08:49:37 EST", nov6 + 5 * kHour},
        {"06 Nov 1994 08:49:37 EST PDT", nov6 + 7 * kHour},
        {"06 Nov 1994 08:49:37 GMT+0100", nov6 - kHour},
        {"06 Nov 1994 08:49:37 +0130", nov6 - 90 * 60000},
        {"06 Nov 1994 08:49:37 +5", nov6 - 5 * kHour},
        {"6/11/1994", utc(1994, 6, 11)},
        {"(comment (nested)) Nov 6 1994", utc(1994, 11, 6)},
        {"Nov 6 1994 12:30 am", utc(1994, 11, 6, 0, 30)},
        {"Nov 6 1994 1:05 PM", utc(1994, 11, 6, 13, 5)},
        {"mar 1 2000", utc(2000, 3, 1)},
        {"ma 1 2000", utc(2000, 5, 1)},
        {"ju 1 2000 ut", utc(2000, 7, 1)},
        {"Nov 6 45", utc(2045, 11, 6)},
        {"0/5/7/1994", utc(1994, 5, 7)},  // a month of 0 leaves the month unset
        {"Nov 6 1994 12:05 PM", utc(1994, 11, 6, 12, 5)},
        {"0/5/1994", kFailed},
        {"Nov 6 1994 13:05 PM", kFailed},
        {"Nov 6 1994 0:05 am", kFailed},
        {nullptr, kFailed},
        {"1994", kFailed},
        {"Nov 6", kFailed},
        {"3 pm", kFailed},
        {"Nov 6 1994 12 am", kFailed},
        {"06 Nov 1994 08:49:37 Z", kFailed},
        {"06 Nov 1994 08:49:37 XYZ", kFailed},
        {"06 Nov 1994 08:49:37 EST +0100", kFailed},
        {"Nov Dec 6 1994", kFailed},
        {"1:2:3: Nov 6 1994", kFailed},
        {"Nov 6 1994x", kFailed},
        {"Nov 6 0000000001994", kFailed},
        {"Nov 6 1994 4294967297:00", kFailed},
    };
    for (const auto& row : rows) EXPECT_EQ(parse(row.text), row.millis) << (row.text ? row.text : "null");
}

}  // namespace httpdatetest
