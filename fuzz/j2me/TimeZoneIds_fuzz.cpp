// Asks TimeZone.getTimeZone for arbitrary IDs and checks what every answer must be: a zone,
// never null; the table's own zone for a table ID; for an offset ID, a zone of its own
// whose ID is the canonical "GMT+hh:mm" form with the same prefix and sign, whose offset is
// the one its digits read (one or two digits are hours, three are h and mm, four hh and
// mm; a ':' only before two minute digits), at most 23:59, and which the canonical ID
// gives again; for any other ID the table's "GMT" zone.
//
// Input: byte 0 picks a prefix put before the rest ("GMT", "UTC" or none); the rest is
// the ID, a character per byte.

#include <cstdint>
#include <cstdlib>
#include <string>

#include "lib_src/vm/VMHeap.h"
#include "pb_src/j2me/com_kelvane_ostrel_cldc_util_TimeZonePimpl.h"
#include "pb_src/j2me/java_lang_String.h"
#include "pb_src/j2me/java_lang_Throwable.h"
#include "pb_src/j2me/java_util_TimeZone.h"
#include "fuzz/RuntimeFuzzing.h"
#include "tests/vm/TestRuntime.h"

namespace {

using com::kelvane::ostrel::cldc::util::TimeZonePimpl;
using java::lang::String;
using java::util::TimeZone;

void check(bool condition) {
    if (!condition) std::abort();
}

bool isDigit(char16_t c) { return c >= u'0' && c <= u'9'; }

// The offset in milliseconds that an accepted offset ID's text after its prefix stands for.
int32_t offsetModel(const std::u16string& rest) {
    check(rest.size() >= 2 && (rest[0] == u'+' || rest[0] == u'-'));
    std::u16string digits;
    size_t colons = 0;
    for (size_t i = 1; i < rest.size(); ++i) {
        if (isDigit(rest[i])) {
            digits += rest[i];
        } else {
            check(rest[i] == u':' && ++colons == 1 && (i == 2 || i == 3) && rest.size() - i == 3);
        }
    }
    check(!digits.empty() && digits.size() <= 4 && (colons == 0 || digits.size() >= 3));
    auto number = [&](size_t from, size_t count) {
        int32_t value = 0;
        for (size_t i = from; i < from + count; ++i) value = value * 10 + (digits[i] - u'0');
        return value;
    };
    const size_t hourDigits = digits.size() <= 2 ? digits.size() : digits.size() - 2;
    const int32_t hours = number(0, hourDigits);
    const int32_t minutes = digits.size() <= 2 ? 0 : number(hourDigits, 2);
    check(hours <= 23 && minutes <= 59);
    const int32_t millis = (hours * 60 + minutes) * 60000;
    return rest[0] == u'-' ? -millis : millis;
}

bool isTableId(const std::u16string& id) {
    return id == u"UTC" || id == u"GMT" || id == TimeZone::getDefault()->getID()->toUtf16();
}

void checkZone(const std::u16string& id) {
    VMPtr<TimeZone> zone = TimeZone::getTimeZone(String::fromUtf16(id));
    check(zone && zone->getID() && !zone->useDaylightTime());
    const std::u16string zoneId = zone->getID()->toUtf16();
    const int32_t offset = zone->getRawOffset();
    check(zone->getOffset(1, 2000, 0, 1, 7, 0) == offset);
    if (isTableId(id)) {
        check(zoneId == id);
        return;
    }
    bool utc = false;
    int32_t parsed = 0;
    if (!TimeZonePimpl::parseOffsetID(String::fromUtf16(id), &utc, &parsed)) {
        check(zoneId == u"GMT" && offset == 0 && zone.get() == TimeZone::getTimeZone(String::fromUtf16(u"GMT")).get());
        return;
    }
    check(parsed == offset && utc == (id.compare(0, 3, u"UTC") == 0));
    check(offset == offsetModel(id.substr(3)));
    check(zoneId.size() == 9 && zoneId.compare(0, 3, id, 0, 3) == 0 && zoneId[3] == (offset < 0 ? u'-' : u'+'));
    VMPtr<TimeZone> again = TimeZone::getTimeZone(zone->getID());
    check(again->getRawOffset() == offset && again->getID()->toUtf16() == zoneId);
}

}  // namespace

OSTREL_FUZZ_WITHOUT_PER_INPUT_LEAK_SCAN()

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    testRuntime();
    if (size == 0) return 0;
    static const char16_t* const kPrefixes[] = {u"GMT", u"UTC", u""};
    std::u16string id = kPrefixes[data[0] % 3];
    for (size_t i = 1; i < size; ++i) id += char16_t(data[i]);
    try {
        checkZone(id);
    } catch (java::lang::Throwable* caught) {
        VMPtr<java::lang::Throwable> held(caught);
        std::abort();  // no ID may make the lookup throw
    }
    checkHeapReturnsToItsBaseline();
    return 0;
}
