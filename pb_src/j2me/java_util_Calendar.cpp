#include "pb_src/j2me/java_util_Calendar.h"

#include "lib_src/vm/VMMonitor.h"
#include "pb_src/j2me/com_kelvane_ostrel_cldc_util_GregorianCalendar.h"
#include "pb_src/j2me/java_lang_ArrayIndexOutOfBoundsException.h"
#include "pb_src/j2me/java_lang_NullPointerException.h"
#include "pb_src/j2me/java_lang_RuntimeException.h"
#include "pb_src/j2me/java_lang_System.h"

namespace java::util {

VM_DEFINE_ABSTRACT_CLASS(Calendar, "java.util.Calendar", "java.lang.Object", VM_NO_CLINIT)

VMPtr<Calendar> Calendar::_VM_init() {
    Object::_VM_init();
    fields = IntArray::_VM_new(kFieldCount);
    isSet = BoolArray::_VM_new(kFieldCount);
    zone = TimeZone::getDefault();
    if (!zone)
        vm::throwNew<::java::lang::RuntimeException>(::java::lang::String::fromUtf8("Could not find default timezone."));
    setTimeInMillis(::java::lang::System::currentTimeMillis());
    return this;
}

VMPtr<Calendar> Calendar::getInstance() {
    VMPtr<com::kelvane::ostrel::cldc::util::GregorianCalendar> calendar =
        com::kelvane::ostrel::cldc::util::GregorianCalendar::_VM_new();
    return calendar->_VM_init();
}

int64_t Calendar::getTimeInMillis() {
    if (!isTimeSet) {
        computeTime();
        isTimeSet = true;
    }
    return time;
}

void Calendar::setTimeInMillis(int64_t t) {
    isTimeSet = true;
    time = t;
    computeFields();
}

void Calendar::checkField(int32_t field) {
    if (field < 0 || field >= kFieldCount) vm::throwNew<::java::lang::ArrayIndexOutOfBoundsException>();
}

int32_t Calendar::get(int32_t field) {
    checkField(field);
    if (field == DAY_OF_WEEK || field == AM_PM || field == HOUR || field == HOUR_OF_DAY) {
        getTimeInMillis();
        computeFields();
    }
    return fields->elements()[field];
}

void Calendar::set(int32_t field, int32_t value) {
    checkField(field);
    isTimeSet = false;
    isSet->elements()[field] = true;
    fields->elements()[field] = value;
}

void Calendar::setTimeZone(VMPtr<TimeZone> z) {
    if (!z) vm::throwNew<::java::lang::NullPointerException>();
    zone = z;
    getTimeInMillis();
    computeFields();
}

VMPtr<Date> Calendar::getTime() {
    const int64_t t = getTimeInMillis();
    if (!date) {
        VMPtr<Date> created = Date::_VM_new();
        date = created->_VM_init(t);
    } else {
        VM_SYNCHRONIZED(date.get());
        date->setTime(t);
    }
    return date;
}

bool Calendar::equals(VMPtr<::java::lang::Object> other) {
    if (other.get() == this) return true;
    auto* calendar = dynamic_cast<Calendar*>(other.get());
    if (calendar == nullptr) return false;
    VMPtr<Calendar> that(calendar);
    return getTimeInMillis() == that->getTimeInMillis() && zone->equals(that->zone);
}

void Calendar::_VM_mark(uint32_t flags) {
    vmMarkField(fields, flags);
    vmMarkField(isSet, flags);
    vmMarkField(zone, flags);
    vmMarkField(date, flags);
}

}  // namespace java::util
