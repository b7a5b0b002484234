#include "pb_src/j2me/java_util_TimeZone.h"

#include "lib_src/vm/VMMonitor.h"
#include "pb_src/j2me/com_kelvane_ostrel_cldc_util_TimeZonePimpl.h"
#include "pb_src/j2me/java_lang_Class.h"
#include "pb_src/j2me/java_lang_NullPointerException.h"

namespace java::util {

VM_DEFINE_ABSTRACT_CLASS(TimeZone, "java.util.TimeZone", "java.lang.Object", VM_NO_CLINIT)

namespace {
using com::kelvane::ostrel::cldc::util::TimeZonePimpl;

void ensureTable() { vm::ensureInitialized(TimeZonePimpl::_VM_getClass()); }
}  // namespace

VMPtr<TimeZone> TimeZone::getTimeZone(VMPtr<String> id) {
    VM_SYNCHRONIZED(_VM_getClass());
    ensureTable();
    if (!id) vm::throwNew<::java::lang::NullPointerException>();
    if (VMPtr<TimeZone> known = TimeZonePimpl::findZone(id)) return known;
    if (VMPtr<TimeZone> offsetZone = TimeZonePimpl::getTimeZone(id)) return offsetZone;
    return TimeZonePimpl::zones->at(TimeZonePimpl::kGmtZone);
}

VMPtr<TimeZone> TimeZone::getDefault() {
    VM_SYNCHRONIZED(_VM_getClass());
    ensureTable();
    return TimeZonePimpl::findZone(nullptr);
}

VMPtr<TimeZone::StringArray> TimeZone::getAvailableIDs() {
    VM_SYNCHRONIZED(_VM_getClass());
    ensureTable();
    const int32_t count = TimeZonePimpl::zones->length;
    VMPtr<StringArray> ids = StringArray::_VM_new(count);
    for (int32_t i = 0; i < count; ++i) ids->set(i, TimeZonePimpl::zones->at(i)->getID());
    return ids;
}

}  // namespace java::util
