#include "src/kv/util/kv_util_IntHashtable_KVC_Entry.h"

namespace kv::util {

VM_DEFINE_CLASS(IntHashtable_KVC_Entry, "kv.util.IntHashtable$Entry", "java.lang.Object", VM_NO_CLINIT)

VMPtr<IntHashtable_KVC_Entry> IntHashtable_KVC_Entry::clone() {
    VMPtr<IntHashtable_KVC_Entry> copy = _VM_new();
    copy->_VM_init();
    copy->key = key;
    copy->value = value;
    if (next) copy->next = next->clone();
    return copy;
}

}  // namespace kv::util
