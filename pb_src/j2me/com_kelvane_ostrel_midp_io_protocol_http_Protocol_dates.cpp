// The http Protocol's date parser: a lenient scanner over the forms dates take in HTTP
// headers and elsewhere. Numbers are classified by the character after them and by the
// fields already known, words by the prefix table; the text either yields every field it
// needs or fails with IllegalArgumentException "Error parsing date". Every number is read
// within 9 digits, so no field can overflow.

#include <climits>
#include <string>

#include "lib_src/vm/VMException.h"
#include "lib_src/vm/VMLiterals.h"
#include "pb_src/j2me/com_kelvane_ostrel_midp_io_protocol_http_Protocol.h"
#include "pb_src/j2me/java_lang_IllegalArgumentException.h"
#include "pb_src/j2me/java_util_Calendar.h"
#include "pb_src/j2me/java_util_TimeZone.h"

namespace com::kelvane::ostrel::midp::io::protocol::http {

using ::java::lang::String;
using ::java::util::Calendar;

namespace {

constexpr int32_t kMaxDigits = 9;
constexpr int32_t kZoneAction = 10000;
constexpr int32_t kMorning = 14;
constexpr int32_t kAfternoon = 1;

int32_t defaultCenturyStart = 0;
bool centuryStartKnown = false;

[[noreturn]] void fail() {
    ::vm::throwNew<::java::lang::IllegalArgumentException>(VMPtr<String>::fromLiteral("Error parsing date"));
}

bool isLetter(char16_t c) { return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z'); }
bool isDigit(char16_t c) { return c >= u'0' && c <= u'9'; }
char16_t lower(char16_t c) { return c >= u'A' && c <= u'Z' ? char16_t(c + 32) : c; }

// The fields found so far; -1 (year: INT_MIN) while unset. A month of 0 before a '/' is
// stored as -1 and so stays unset: the next '/' number is the month, and "0/5/1994" has no
// day.
struct DateFields {
    int32_t year = INT_MIN;
    int32_t month = -1;
    int32_t dayOfMonth = -1;
    int32_t hour = -1;
    int32_t minute = -1;
    int32_t second = -1;
    int32_t zoneOffset = 0;  // minutes west of UTC
    bool zoneKnown = false;
    char16_t previousSeparator = 0;

    // A number n followed by c (its last digit when the text ended there).
    void takeNumber(int32_t n, char16_t c, bool ended) {
        const bool blankAfter = c <= u' ' || c == u',';
        if (previousSeparator == u'+' || (previousSeparator == u'-' && year != INT_MIN)) {
            int32_t offset = n < 24 ? n * 60 : n % 100 + (n / 100) * 60;
            if (previousSeparator == u'+') offset = -offset;
            if (zoneKnown && zoneOffset != 0) fail();
            zoneOffset = offset;
            zoneKnown = true;
        } else if (n >= 70) {
            if (year != INT_MIN || !(ended || blankAfter || c == u'/')) fail();
            year = n;
        } else if (c == u':') {
            if (hour < 0) hour = n;
            else if (minute < 0) minute = n;
            else fail();
        } else if (c == u'/') {
            if (month < 0) month = n - 1;
            else if (dayOfMonth < 0) dayOfMonth = n;
            else fail();
        } else if (!ended && !blankAfter && c != u'-') {
            fail();
        } else if (hour >= 0 && minute < 0) {
            minute = n;
        } else if (minute >= 0 && second < 0) {
            second = n;
        } else if (dayOfMonth < 0) {
            dayOfMonth = n;
        } else if (year == INT_MIN && month >= 0) {
            year = n;
        } else {
            fail();
        }
        previousSeparator = 0;
    }

    void takeWordAction(int32_t action) {
        if (action == kAfternoon) {
            if (hour < 1 || hour > 12) fail();
            if (hour < 12) hour += 12;
        } else if (action == kMorning) {
            if (hour < 1 || hour > 12) fail();
            if (hour == 12) hour = 0;
        } else if (action >= kZoneAction) {
            zoneOffset = action - kZoneAction;
            zoneKnown = true;
        } else if (action >= 2) {
            if (month >= 0) fail();
            month = action - 2;
        }
        previousSeparator = 0;
    }
};

// The action of the last table word that starts with the word, ignoring case.
int32_t wordAction(const char16_t* word, int32_t length) {
    for (int32_t index = Protocol::kDateWordCount - 1; index >= 0; --index) {
        String* entry = Protocol::dateWords->at(index);
        if (entry->length() < length) continue;
        int32_t i = 0;
        while (i < length && lower(word[i]) == entry->chars()[i]) ++i;
        if (i == length) return Protocol::dateWordActions[index];
    }
    fail();
}

// "UTC", the sign ('-' west of UTC), hours and minutes, as TimeZone reads it.
VMPtr<String> zoneId(int32_t minutesWest) {
    const int32_t magnitude = minutesWest < 0 ? -minutesWest : minutesWest;
    std::u16string id = minutesWest > 0 ? u"UTC-" : u"UTC+";
    // At least two digits.
    auto twoDigits = [&](int32_t value) {
        std::u16string digits;
        do {
            digits.insert(digits.begin(), char16_t(u'0' + value % 10));
            value /= 10;
        } while (value > 0);
        if (digits.size() < 2) id += u'0';
        id += digits;
    };
    twoDigits(magnitude / 60);
    id += u':';
    twoDigits(magnitude % 60);
    return String::fromUtf16(id);
}

int64_t toMillis(DateFields& f) {
    if (f.year < 100) {
        f.year += (defaultCenturyStart / 100) * 100;
        if (f.year < defaultCenturyStart) f.year += 100;
    }
    VMPtr<Calendar> calendar = Calendar::getInstance();
    if (f.zoneKnown) calendar->setTimeZone(::java::util::TimeZone::getTimeZone(zoneId(f.zoneOffset)));
    calendar->set(Calendar::YEAR, f.year);
    calendar->set(Calendar::MONTH, f.month);
    calendar->set(Calendar::DAY_OF_MONTH, f.dayOfMonth);
    calendar->set(Calendar::HOUR_OF_DAY, f.hour < 0 ? 0 : f.hour);
    calendar->set(Calendar::MINUTE, f.minute < 0 ? 0 : f.minute);
    calendar->set(Calendar::SECOND, f.second < 0 ? 0 : f.second);
    calendar->set(Calendar::MILLISECOND, 0);
    return calendar->getTimeInMillis();
}

}  // namespace

int64_t Protocol::parseDate(VMPtr<String> text) {
    ::vm::ensureInitialized(_VM_getClass());
    if (!text) fail();
    if (!centuryStartKnown) {
        defaultCenturyStart = Calendar::getInstance()->get(Calendar::YEAR) - 80;
        centuryStartKnown = true;
    }
    const char16_t* s = text->chars();
    const int32_t limit = text->length();
    DateFields fields;
    int32_t i = 0;
    while (i < limit) {
        char16_t c = s[i++];
        if (c <= u' ' || c == u',') continue;
        if (c == u'(') {
            for (int32_t depth = 1; i < limit && depth > 0; ++i) depth += s[i] == u'(' ? 1 : s[i] == u')' ? -1 : 0;
        } else if (isDigit(c)) {
            int32_t n = c - u'0';
            for (int32_t digits = 1; i < limit && isDigit(s[i]); ++i) {
                if (++digits > kMaxDigits) fail();
                n = n * 10 + (s[i] - u'0');
            }
            const bool ended = i >= limit;
            fields.takeNumber(n, ended ? s[i - 1] : s[i], ended);
        } else if (c == u'/' || c == u':' || c == u'+' || c == u'-') {
            fields.previousSeparator = c;
        } else {
            const int32_t start = i - 1;
            while (i < limit && isLetter(s[i])) ++i;
            if (i - start == 1) fail();
            fields.takeWordAction(wordAction(s + start, i - start));
        }
    }
    if (fields.year == INT_MIN || fields.month < 0 || fields.dayOfMonth < 0) fail();
    return toMillis(fields);
}

}  // namespace com::kelvane::ostrel::midp::io::protocol::http
