#pragma once

// java::util::Calendar: an instant split into calendar fields in a time zone, and back.
//
// Two states: time valid (isTimeSet: time is authoritative and the fields were last
// computed from it) and fields pending (a set changed a field since; the next
// getTimeInMillis computes time from the fields). Nothing is normalised on set: a field
// out of range is carried into the time and reads back as stored until the fields are next
// recomputed, which happens only in setTimeInMillis, setTimeZone and a get of DAY_OF_WEEK,
// AM_PM, HOUR or HOUR_OF_DAY. The subclass supplies the arithmetic (computeFields,
// computeTime); GregorianCalendar is the only one.

#include "lib_src/vm/VMArray.h"
#include "pb_src/j2me/java_util_TimeZone.h"

namespace java::util {

class Date;

class Calendar : public virtual ::java::lang::Object {
    VM_ABSTRACT_CLASS(Calendar, ::java::lang::Object)
    using IntArray = VMArray<int32_t, 1>;
    using BoolArray = VMArray<bool, 1>;

    // Field numbers; 3, 4, 6 and 8 have storage but no meaning.
    static constexpr int32_t ERA = 0;
    static constexpr int32_t YEAR = 1;
    static constexpr int32_t MONTH = 2;
    static constexpr int32_t DATE = 5;
    static constexpr int32_t DAY_OF_MONTH = 5;
    static constexpr int32_t DAY_OF_WEEK = 7;
    static constexpr int32_t AM_PM = 9;
    static constexpr int32_t HOUR = 10;
    static constexpr int32_t HOUR_OF_DAY = 11;
    static constexpr int32_t MINUTE = 12;
    static constexpr int32_t SECOND = 13;
    static constexpr int32_t MILLISECOND = 14;
    static constexpr int32_t kFieldCount = 15;

    // Field values.
    static constexpr int32_t BC = 0, AD = 1;
    static constexpr int32_t JANUARY = 0, FEBRUARY = 1, MARCH = 2, APRIL = 3, MAY = 4, JUNE = 5, JULY = 6,
                             AUGUST = 7, SEPTEMBER = 8, OCTOBER = 9, NOVEMBER = 10, DECEMBER = 11;
    static constexpr int32_t SUNDAY = 1, MONDAY = 2, TUESDAY = 3, WEDNESDAY = 4, THURSDAY = 5, FRIDAY = 6,
                             SATURDAY = 7;
    static constexpr int32_t AM = 0, PM = 1;

    // The current instant in the default zone, every field computed. RuntimeException
    // "Could not find default timezone." when there is no default zone.
    VMPtr<Calendar> _VM_init();

    // A new GregorianCalendar.
    static VMPtr<Calendar> getInstance();

    // Computes time from the fields first when they are pending.
    virtual int64_t getTimeInMillis();
    // Stores t and recomputes every field from it.
    virtual void setTimeInMillis(int64_t t);
    // fields from time, in zone.
    virtual void computeFields() = 0;
    // time from fields, in zone; changes no field except through the resolution of the hour.
    virtual void computeTime() = 0;

    // The field as stored, except that DAY_OF_WEEK, AM_PM, HOUR and HOUR_OF_DAY first
    // settle a pending time and recompute every field. ArrayIndexOutOfBoundsException for a
    // field number outside 0..14.
    int32_t get(int32_t field);
    // Stores the value as it is and marks the field; the time becomes pending.
    // ArrayIndexOutOfBoundsException for a field number outside 0..14.
    void set(int32_t field, int32_t value);
    // Keeps the instant (settling pending fields in the new zone) and re-expresses the
    // fields in z. NullPointerException for null, before anything changes.
    void setTimeZone(VMPtr<TimeZone> z);
    // The one Date of this calendar (made at the first call), set to the current time.
    VMPtr<Date> getTime();
    // Another Calendar with the same time in the same zone object.
    bool equals(VMPtr<::java::lang::Object> other) override;
    void _VM_mark(uint32_t flags) override;

    VMPtr<IntArray> fields{vmField()};
    VMPtr<BoolArray> isSet{vmField()};
    int64_t time = 0;
    bool isTimeSet = false;
    VMPtr<TimeZone> zone{vmField()};
    VMPtr<Date> date{vmField()};

private:
    static void checkField(int32_t field);
};

}  // namespace java::util

// Date holds a Calendar and Calendar a Date: Date is completed here so that every file that
// makes a Calendar also sees the class of its date field.
#include "pb_src/j2me/java_util_Date.h"
