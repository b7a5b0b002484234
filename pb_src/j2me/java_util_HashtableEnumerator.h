#pragma once

// java::util::HashtableEnumerator: walks the keys or the values of a Hashtable, buckets from
// the highest index down, each chain from its head. It keeps the bucket array it was given
// and takes no lock, so it never fails when the table changes; after a rehash it follows
// the entries' new links from the old buckets.

#include "lib_src/vm/VMArray.h"
#include "pb_src/j2me/java_util_Enumeration.h"
#include "pb_src/j2me/java_util_HashtableEntry.h"

namespace java::util {

class HashtableEnumerator : public virtual ::java::lang::Object, public virtual Enumeration {
    VM_CLASS(HashtableEnumerator, ::java::lang::Object)
    using EntryArray = VMArray<HashtableEntry*, 1>;

    // Enumerates keys when keys is true, else values. NullPointerException for a null table.
    VMPtr<HashtableEnumerator> _VM_init(VMPtr<EntryArray> table, bool keys);

    bool hasMoreElements() override;
    // NoSuchElementException "HashtableEnumerator" once every bucket is walked.
    VMPtr<::java::lang::Object> nextElement() override;
    void _VM_mark(uint32_t flags) override {
        vmMarkField(table, flags);
        vmMarkField(entry, flags);
    }

    bool keys = false;
    // The next bucket to look at, counting down.
    int32_t index = 0;
    VMPtr<EntryArray> table{vmField()};
    // The next entry to hand out; null when a bucket must be searched.
    VMPtr<HashtableEntry> entry{vmField()};

private:
    // Moves to the next non-empty bucket while no entry is pending; false when none is left.
    bool findEntry();
};

}  // namespace java::util
