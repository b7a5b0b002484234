#include "pb_src/j2me/java_util_Date.h"

#include "pb_src/j2me/java_lang_StringBuffer.h"
#include "pb_src/j2me/java_lang_System.h"

namespace java::util {

VM_DEFINE_CLASS(Date, "java.util.Date", "java.lang.Object", VM_NO_CLINIT)

using ::java::lang::String;
using ::java::lang::StringBuffer;

VMPtr<Date> Date::_VM_init() { return _VM_init(::java::lang::System::currentTimeMillis()); }

VMPtr<Date> Date::_VM_init(int64_t t) {
    Object::_VM_init();
    calendar = Calendar::getInstance();
    calendar->setTimeInMillis(t);
    return this;
}

int64_t Date::getTime() { return calendar->getTimeInMillis(); }

void Date::setTime(int64_t t) { calendar->setTimeInMillis(t); }

int32_t Date::hashCode() {
    const uint64_t t = uint64_t(getTime());
    return int32_t(uint32_t(t) ^ uint32_t(t >> 32));
}

bool Date::equals(VMPtr<::java::lang::Object> other) {
    auto* date = dynamic_cast<Date*>(other.get());
    if (date == nullptr) return false;
    VMPtr<Date> that(date);
    return that->getTime() == getTime();
}

namespace {

constexpr const char* kDayNames[7] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
constexpr const char* kMonthNames[12] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                         "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};

void appendTwoDigits(StringBuffer* text, int32_t value) {
    if (value < 10) text->append(u'0');
    text->append(value);
}

}  // namespace

VMPtr<String> Date::toString() {
    // DAY_OF_WEEK first: its get settles the calendar and recomputes every field.
    const int32_t dayOfWeek = calendar->get(Calendar::DAY_OF_WEEK);
    const int32_t month = calendar->get(Calendar::MONTH);
    const int32_t day = calendar->get(Calendar::DATE);
    const int32_t hour = calendar->get(Calendar::HOUR_OF_DAY);
    const int32_t minute = calendar->get(Calendar::MINUTE);
    const int32_t second = calendar->get(Calendar::SECOND);
    const int32_t year = calendar->get(Calendar::YEAR);

    VMPtr<String> id = calendar->zone->getID();
    const int32_t idLength = id ? id->length() : 0;
    VMPtr<String> yearText = String::valueOf(year);
    VMPtr<StringBuffer> text = StringBuffer::_VM_new();
    text->_VM_init(idLength + yearText->length() + 25);

    text->append(kDayNames[dayOfWeek - 1])->append(u' ')->append(kMonthNames[month])->append(u' ');
    appendTwoDigits(text.get(), day);
    text->append(u' ');
    appendTwoDigits(text.get(), hour);
    text->append(u':');
    appendTwoDigits(text.get(), minute);
    text->append(u':');
    appendTwoDigits(text.get(), second);
    text->append(u' ');
    if (idLength > 0) text->append(id)->append(u' ');
    if (year >= 0 && year < 1000) {
        text->append(u'0');
        if (year < 100) text->append(u'0');
        if (year < 10) text->append(u'0');
    }
    text->append(yearText);
    return text->toString();
}

void Date::_VM_mark(uint32_t flags) { vmMarkField(calendar, flags); }

}  // namespace java::util
