#include "pb_src/j2me/java_util_HashtableEnumerator.h"

#include "lib_src/vm/VMException.h"
#include "lib_src/vm/VMLiterals.h"
#include "pb_src/j2me/java_lang_NullPointerException.h"
#include "pb_src/j2me/java_util_NoSuchElementException.h"

namespace java::util {

using java::lang::Object;

// Compiled with Hashtable, whose enumerator it is.
VM_DEFINE_CLASS_IN(HashtableEnumerator, "java.util.HashtableEnumerator", "java.lang.Object", VM_NO_CLINIT,
                   "java_util_Hashtable")
VM_IMPLEMENTS(HashtableEnumerator, "java.util.Enumeration")

VMPtr<HashtableEnumerator> HashtableEnumerator::_VM_init(VMPtr<EntryArray> buckets, bool enumerateKeys) {
    Object::_VM_init();
    if (!buckets) vm::throwNew<java::lang::NullPointerException>();
    table = buckets;
    keys = enumerateKeys;
    index = buckets->length;
    entry = nullptr;
    return this;
}

bool HashtableEnumerator::findEntry() {
    while (!entry) {
        if (index <= 0) return false;
        --index;
        entry = table->elements()[index];
    }
    return true;
}

bool HashtableEnumerator::hasMoreElements() { return findEntry(); }

VMPtr<Object> HashtableEnumerator::nextElement() {
    if (!findEntry()) vm::throwNew<NoSuchElementException>(VMPtr<java::lang::String>::fromLiteral("HashtableEnumerator"));
    VMPtr<HashtableEntry> found = entry;
    entry = found->next;
    return keys ? found->key : found->value;
}

}  // namespace java::util
