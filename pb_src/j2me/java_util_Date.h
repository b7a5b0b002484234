#pragma once

// java::util::Date: an instant in milliseconds since 1970-01-01 00:00 UTC. A Date keeps no
// time of its own: it owns a Calendar in the default zone that holds the instant, which
// also gives toString its fields and zone ID.

#include "pb_src/j2me/java_util_Calendar.h"

namespace java::util {

class Date : public virtual ::java::lang::Object {
    VM_CLASS(Date, ::java::lang::Object)

    // The current time.
    VMPtr<Date> _VM_init();
    VMPtr<Date> _VM_init(int64_t t);

    virtual int64_t getTime();
    virtual void setTime(int64_t t);

    // The low 32 bits of the time XOR the high 32 bits.
    int32_t hashCode() override;
    // Another Date with the same time, whatever the zones of the calendars.
    bool equals(VMPtr<::java::lang::Object> other) override;
    // "Thu Jan 01 00:00:00 GMT 1970": day, month, day of month, time, the zone ID (left out
    // with its space when empty or null), the year in at least four digits.
    VMPtr<::java::lang::String> toString() override;
    void _VM_mark(uint32_t flags) override;

    VMPtr<Calendar> calendar{vmField()};
};

}  // namespace java::util
