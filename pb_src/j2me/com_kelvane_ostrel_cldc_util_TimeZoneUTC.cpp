#include "pb_src/j2me/com_kelvane_ostrel_cldc_util_TimeZoneUTC.h"

namespace com::kelvane::ostrel::cldc::util {

VM_DEFINE_CLASS(TimeZoneUTC, "com.kelvane.ostrel.cldc.util.TimeZoneUTC", "java.util.TimeZone", VM_NO_CLINIT)

VMPtr<TimeZoneUTC> TimeZoneUTC::_VM_init(int32_t rawOffset, VMPtr<String> id) {
    TimeZone::_VM_init();
    this->id = id;
    this->rawOffset = rawOffset;
    return this;
}

void TimeZoneUTC::_VM_mark(uint32_t flags) {
    TimeZone::_VM_mark(flags);
    vmMarkField(id, flags);
}

}  // namespace com::kelvane::ostrel::cldc::util
