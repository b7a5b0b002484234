#pragma once

// kv::util::IntHashtable: a chained hash table from int keys to object references. A key's
// bucket is (key & 0x7FFFFFFF) mod the bucket count; new entries go to the head of their
// chain; the table grows to 2n + 1 buckets when a new key arrives at the threshold (3/4 of
// the buckets). Iteration runs from the last bucket to the first, each chain head first.

#include "lib_src/vm/VMArray.h"
#include "src/kv/util/kv_util_IntHashtable_KVC_Entry.h"

namespace kv::util {

class IntHashtable : public virtual ::java::lang::Object {
    VM_CLASS(IntHashtable, ::java::lang::Object)
    using Object = ::java::lang::Object;
    using Entry = IntHashtable_KVC_Entry;
    using EntryArray = VMArray<Entry*, 1>;
    using IntArray = VMArray<int32_t, 1>;
    using ObjectArray = VMArray<Object*, 1>;

    // At least one bucket.
    VMPtr<IntHashtable> _VM_init(int32_t capacity);

    // keys and values write in iteration order from index 0; an array shorter than the count
    // throws ArrayIndexOutOfBoundsException before anything is written.
    virtual void keys(VMPtr<IntArray> out);
    virtual bool containsKey(int32_t key);
    virtual void clear();
    virtual VMPtr<Object> remove(int32_t key);
    virtual void values(VMPtr<ObjectArray> out);
    // Copies the chains; keys and values are shared.
    virtual VMPtr<Object> clone();
    virtual bool isEmpty();
    virtual VMPtr<Object> get(int32_t key);
    // The previous value of the key, or null for a new key.
    virtual VMPtr<Object> put(int32_t key, VMPtr<Object> value);
    virtual int32_t size();

    void _VM_mark(uint32_t flags) override { vmMarkField(table, flags); }

    int32_t count = 0;
    VMPtr<EntryArray> table{vmField()};
    int32_t threshold = 0;

private:
    int32_t bucketOf(int32_t key) const { return int32_t(uint32_t(key & 0x7FFFFFFF) % uint32_t(table->length)); }
    Entry* find(int32_t key);
    void rehash();
    void checkRoom(int32_t length) const;
};

}  // namespace kv::util
