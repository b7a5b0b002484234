#pragma once

// java::util::Hashtable: maps keys to values by the keys' hashCode and equals, in chained
// buckets. A key lands in bucket (hash & 0x7FFFFFFF) % capacity, new entries go to the head
// of their chain, and the table rehashes to 2 * capacity + 1 buckets when an insertion
// finds count at the threshold (75% of the capacity), relinking the entries it has. Neither
// keys nor values may be null. Every operation but size and isEmpty holds the table's
// monitor.

#include "lib_src/vm/VMArray.h"
#include "pb_src/j2me/java_lang_String.h"
#include "pb_src/j2me/java_util_Enumeration.h"
#include "pb_src/j2me/java_util_HashtableEntry.h"

namespace java::util {

class Hashtable : public virtual ::java::lang::Object {
    VM_CLASS(Hashtable, ::java::lang::Object)
    using String = ::java::lang::String;
    using EntryArray = VMArray<HashtableEntry*, 1>;

    static constexpr int32_t kDefaultCapacity = 11;
    static constexpr int32_t kLoadPercent = 75;

    VMPtr<Hashtable> _VM_init() { return _VM_init(kDefaultCapacity); }
    // IllegalArgumentException for a negative capacity; 0 means 1.
    VMPtr<Hashtable> _VM_init(int32_t initialCapacity);

    virtual int32_t size();
    virtual bool isEmpty();
    // Enumerators over the current bucket array (HashtableEnumerator).
    virtual VMPtr<Enumeration> keys();
    virtual VMPtr<Enumeration> elements();
    // Whether some entry's value equals value; NullPointerException for null.
    virtual bool contains(VMPtr<Object> value);
    // NullPointerException for a null key in containsKey, get, put and remove.
    virtual bool containsKey(VMPtr<Object> key);
    virtual VMPtr<Object> get(VMPtr<Object> key);
    // The previous value, or null; an existing entry keeps its first key object.
    // NullPointerException for a null value.
    virtual VMPtr<Object> put(VMPtr<Object> key, VMPtr<Object> value);
    virtual VMPtr<Object> remove(VMPtr<Object> key);
    virtual void clear();
    // Doubles the bucket array plus one, relinking every entry; called by put, under its lock.
    virtual void rehash();
    // "{k=v, ...}" in enumeration order; the table itself, held as a key or value, is
    // written "(this Map)".
    VMPtr<String> toString() override;
    void _VM_mark(uint32_t flags) override { vmMarkField(table, flags); }

    VMPtr<EntryArray> table{vmField()};
    int32_t count = 0;
    // The count at which the next new key first rehashes.
    int32_t threshold = 0;

    static int32_t bucketOf(int32_t hash, int32_t capacity) { return (hash & 0x7FFFFFFF) % capacity; }
    // capacity * 75 / 100, without overflow for any capacity.
    static int32_t thresholdFor(int32_t capacity) { return int32_t(int64_t(capacity) * kLoadPercent / 100); }

private:
    // The key's hash code; NullPointerException for a null key.
    static int32_t hashOf(const VMPtr<Object>& key);
    // The entry of key in its bucket, comparing hashes before calling equals, or null. The
    // monitor is held.
    VMPtr<HashtableEntry> findEntry(const VMPtr<Object>& key, int32_t hash);
    void appendItem(::java::lang::StringBuffer* text, Object* item);
};

}  // namespace java::util
