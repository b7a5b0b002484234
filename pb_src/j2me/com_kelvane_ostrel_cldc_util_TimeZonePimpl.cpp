#include "pb_src/j2me/com_kelvane_ostrel_cldc_util_TimeZonePimpl.h"

#include <cstdlib>

#include "hal/base/SystemClock.h"
#include "lib_src/vm/VMEvents.h"
#include "lib_src/vm/VMLiterals.h"
#include "pb_src/j2me/com_kelvane_ostrel_cldc_util_TimeZoneUTC.h"

namespace com::kelvane::ostrel::cldc::util {

using ::java::util::TimeZone;

VM_DEFINE_CLASS(TimeZonePimpl, "com.kelvane.ostrel.cldc.util.TimeZonePimpl", "java.lang.Object",
                &TimeZonePimpl::_VM_clinit)

VMPtr<TimeZonePimpl::ZoneArray> TimeZonePimpl::zones{VMStaticScope::instance()};
VMPtr<::java::lang::String> TimeZonePimpl::defaultID{VMStaticScope::instance()};
int32_t (*TimeZonePimpl::platformOffset)() = &HAL_getTimeZoneOffset;

namespace {

VMPtr<TimeZone> newZone(int32_t rawOffset, VMPtr<::java::lang::String> id) {
    VMPtr<TimeZoneUTC> zone = TimeZoneUTC::_VM_new();
    return zone->_VM_init(rawOffset, id);
}

// The offset-ID automaton, run over the characters after the three-letter prefix. States
// 1 to 9, 1 the start, 0 rejects; the end of the text accepts in states 3, 4, 5, 6 and 9.
// Reading digits: 3 has seen a 0 or 1 (an hour, or the start of two hour digits); 4 a 2
// (hour 2, or 20 to 23, or 2 before minutes 40 to 59); 5 an hour after which only minutes
// may follow; 6 two digits (an hour, or an hour and the tens of minutes); 7 a colon; 8
// one minute digit still to come; 9 a complete offset. The digits kept decide the reading:
// one or two are hours, three are h and mm, four are hh and mm. So 159, 245 and 239 read
// as 1:59, 2:45 and 2:39, while 130 and 230 are refused: 13 and 23 have been read as hours
// and two minute digits must follow.
enum CharClass { kZeroOne, kTwo, kThreeToFive, kSixToNine, kSign, kColon, kOther };

CharClass classify(char16_t c) {
    if (c == u'0' || c == u'1') return kZeroOne;
    if (c == u'2') return kTwo;
    if (c >= u'3' && c <= u'5') return kThreeToFive;
    if (c >= u'6' && c <= u'9') return kSixToNine;
    if (c == u'+' || c == u'-') return kSign;
    if (c == u':') return kColon;
    return kOther;
}

constexpr int kTransitions[10][6] = {
    //  0-1 2  3-5 6-9 +/- :
    {0, 0, 0, 0, 0, 0},  // (reject)
    {0, 0, 0, 0, 2, 0},  // 1
    {3, 4, 5, 5, 0, 0},  // 2
    {6, 6, 6, 5, 0, 7},  // 3
    {6, 6, 8, 0, 0, 7},  // 4 ("3" goes to 6, see step())
    {8, 8, 8, 0, 0, 7},  // 5
    {8, 8, 8, 9, 0, 7},  // 6
    {8, 8, 8, 0, 0, 0},  // 7
    {9, 9, 9, 9, 0, 0},  // 8
    {0, 0, 0, 0, 0, 0},  // 9
};

int step(int state, char16_t c) {
    const CharClass kind = classify(c);
    if (kind == kOther) return 0;
    if (state == 4 && c == u'3') return 6;
    return kTransitions[state][kind];
}

bool acceptsAtEnd(int state) { return state == 3 || state == 4 || state == 5 || state == 6 || state == 9; }

bool hasPrefix(const char16_t* text, const char16_t* prefix) {
    return text[0] == prefix[0] && text[1] == prefix[1] && text[2] == prefix[2];
}

}  // namespace

VMPtr<TimeZone> TimeZonePimpl::findZone(VMPtr<String> id) {
    if (!id) id = defaultID;
    for (int32_t i = 0; i < zones->length; ++i) {
        VMPtr<TimeZone> zone = zones->at(i);
        VMPtr<String> zoneId = zone->getID();
        if (zoneId && zoneId->equals(id)) return zone;
    }
    return nullptr;
}

VMPtr<TimeZone> TimeZonePimpl::getTimeZone(VMPtr<String> id) {
    bool utc = false;
    int32_t offset = 0;
    if (!parseOffsetID(id, &utc, &offset)) return nullptr;
    return newZone(offset, formatOffsetID(utc, offset));
}

bool TimeZonePimpl::parseOffsetID(VMPtr<String> id, bool* utc, int32_t* offset) {
    *utc = false;
    *offset = 0;
    if (!id || id->length() < 5) return false;
    const char16_t* text = id->chars();
    const bool isUtc = hasPrefix(text, u"UTC");
    if (!isUtc && !hasPrefix(text, u"GMT")) return false;

    int digits[4] = {};
    int digitCount = 0;
    bool negative = false;
    int state = 1;
    for (int32_t i = 3; i < id->length(); ++i) {
        const char16_t c = text[i];
        state = step(state, c);
        if (state == 0) return false;
        if (c >= u'0' && c <= u'9') {
            if (digitCount < 4) digits[digitCount] = c - u'0';
            ++digitCount;
        } else if (c == u'-') {
            negative = true;
        }
    }
    if (!acceptsAtEnd(state)) return false;

    int hours = 0;
    int minutes = 0;
    switch (digitCount) {
    case 1: hours = digits[0]; break;
    case 2: hours = digits[0] * 10 + digits[1]; break;
    case 3:
        hours = digits[0];
        minutes = digits[1] * 10 + digits[2];
        break;
    default:
        hours = digits[0] * 10 + digits[1];
        minutes = digits[2] * 10 + digits[3];
        break;
    }
    const int32_t millis = (hours * 60 + minutes) * 60000;
    *utc = isUtc;
    *offset = negative ? -millis : millis;
    return true;
}

VMPtr<::java::lang::String> TimeZonePimpl::formatOffsetID(bool utc, int32_t offset) {
    const int64_t minutes = std::llabs(int64_t(offset)) / 60000;
    const int64_t h = minutes / 60;
    const int64_t mm = minutes % 60;
    const char16_t text[9] = {
        utc ? u'U' : u'G', utc ? u'T' : u'M', utc ? u'C' : u'T', offset < 0 ? u'-' : u'+',
        char16_t(u'0' + h / 10 % 10), char16_t(u'0' + h % 10), u':',
        char16_t(u'0' + mm / 10), char16_t(u'0' + mm % 10),
    };
    VMPtr<String> id = String::_VM_new();
    return id->_VM_init(text, 9);
}

void TimeZonePimpl::installDeviceZone() {
    const int32_t offset = platformOffset();
    VMPtr<String> id = formatOffsetID(true, offset);
    VMPtr<TimeZone> zone = newZone(offset, id);
    defaultID = id;
    zones->set(kDeviceZone, zone);
}

int TimeZonePimpl::createDeviceZone(int event, int a, void* b) {
    if (event == kEventTimeZoneChanged) installDeviceZone();
    return 0;
}

void TimeZonePimpl::_VM_clinit() {
    zones = ZoneArray::_VM_new(3);
    installDeviceZone();
    zones->set(kUtcZone, newZone(0, VMPtr<java::lang::String>::fromLiteral("UTC")));
    zones->set(kGmtZone, newZone(0, VMPtr<java::lang::String>::fromLiteral("GMT")));
    HAL_addEventListener(&createDeviceZone, 1u << kEventTimeZoneChanged, 1);
}

}  // namespace com::kelvane::ostrel::cldc::util
