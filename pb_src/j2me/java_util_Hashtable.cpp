#include "pb_src/j2me/java_util_Hashtable.h"

#include <cstdint>

#include "lib_src/vm/VMException.h"
#include "lib_src/vm/VMMonitor.h"
#include "pb_src/j2me/java_lang_IllegalArgumentException.h"
#include "pb_src/j2me/java_lang_Integer.h"
#include "pb_src/j2me/java_lang_NullPointerException.h"
#include "pb_src/j2me/java_lang_StringBuffer.h"
#include "pb_src/j2me/java_util_HashtableEnumerator.h"

namespace java::util {

using java::lang::NullPointerException;
using java::lang::Object;
using java::lang::String;
using java::lang::StringBuffer;

VM_DEFINE_CLASS(Hashtable, "java.util.Hashtable", "java.lang.Object", VM_NO_CLINIT)

VMPtr<Hashtable> Hashtable::_VM_init(int32_t initialCapacity) {
    Object::_VM_init();
    if (initialCapacity < 0) vm::throwNew<java::lang::IllegalArgumentException>();
    if (initialCapacity == 0) initialCapacity = 1;
    table = EntryArray::_VM_new(initialCapacity);
    threshold = thresholdFor(initialCapacity);
    count = 0;
    return this;
}

int32_t Hashtable::size() { return count; }

bool Hashtable::isEmpty() { return count == 0; }

VMPtr<Enumeration> Hashtable::keys() {
    VM_SYNCHRONIZED_SELF();
    VMPtr<HashtableEnumerator> enumerator = HashtableEnumerator::_VM_new();
    return enumerator->_VM_init(table, true);
}

VMPtr<Enumeration> Hashtable::elements() {
    VM_SYNCHRONIZED_SELF();
    VMPtr<HashtableEnumerator> enumerator = HashtableEnumerator::_VM_new();
    return enumerator->_VM_init(table, false);
}

bool Hashtable::contains(VMPtr<Object> value) {
    VM_SYNCHRONIZED_SELF();
    if (!value) vm::throwNew<NullPointerException>();
    // The bucket array and the entries are held by handles: an equals that changes the table
    // cannot free what the search still walks.
    VMPtr<EntryArray> buckets = table;
    for (int32_t i = buckets->length - 1; i >= 0; --i) {
        for (VMPtr<HashtableEntry> e = buckets->elements()[i]; e; e = e->next) {
            if (e->value->equals(value)) return true;
        }
    }
    return false;
}

int32_t Hashtable::hashOf(const VMPtr<Object>& key) {
    if (!key) vm::throwNew<NullPointerException>();
    return key->hashCode();
}

// A stored key of class Integer or String (final classes whose equals neither allocates nor
// changes anything) is compared in place, and the chain is walked without handles; a key of
// any other class is asked through its equals, with its entry held, as that equals may
// change the table or collect.
VMPtr<HashtableEntry> Hashtable::findEntry(const VMPtr<Object>& key, int32_t hash) {
    java::lang::Class* const integerClass = java::lang::Integer::_VM_getClass();
    java::lang::Class* const stringClass = String::_VM_getClass();
    HashtableEntry* e = table->elements()[bucketOf(hash, table->length)];
    while (e != nullptr) {
        if (e->hash == hash) {
            Object* stored = e->key.get();
            java::lang::Class* storedClass = stored->getClass();
            if (storedClass == integerClass) {
                auto* number = static_cast<java::lang::Integer*>(dynamic_cast<void*>(stored));
                if (java::lang::Integer::holds(number->value, key.get())) return e;
            } else if (storedClass == stringClass) {
                if (static_cast<String*>(dynamic_cast<void*>(stored))->equalsObject(key.get())) return e;
            } else {
                VMPtr<HashtableEntry> held(e);
                if (held->key->equals(key)) return held;
                e = held->next.get();
                continue;
            }
        }
        e = e->next.get();
    }
    return nullptr;
}

bool Hashtable::containsKey(VMPtr<Object> key) {
    VM_SYNCHRONIZED_SELF();
    return bool(findEntry(key, hashOf(key)));
}

VMPtr<Object> Hashtable::get(VMPtr<Object> key) {
    VM_SYNCHRONIZED_SELF();
    VMPtr<HashtableEntry> e = findEntry(key, hashOf(key));
    return e ? e->value : VMPtr<Object>();
}

VMPtr<Object> Hashtable::put(VMPtr<Object> key, VMPtr<Object> value) {
    VM_SYNCHRONIZED_SELF();
    if (!value) vm::throwNew<NullPointerException>();
    const int32_t hash = hashOf(key);
    if (VMPtr<HashtableEntry> existing = findEntry(key, hash)) {
        VMPtr<Object> old = existing->value;
        existing->value = value;
        return old;
    }
    if (count >= threshold) {
        rehash();
        return put(key, value);
    }
    VMPtr<HashtableEntry> entry = HashtableEntry::_VM_new();
    entry->_VM_init();
    entry->hash = hash;
    entry->key = key;
    entry->value = value;
    const int32_t index = bucketOf(hash, table->length);
    entry->next = table->elements()[index];
    table->elements()[index] = entry.get();
    ++count;
    return nullptr;
}

VMPtr<Object> Hashtable::remove(VMPtr<Object> key) {
    VM_SYNCHRONIZED_SELF();
    const int32_t hash = hashOf(key);
    const int32_t index = bucketOf(hash, table->length);
    VMPtr<HashtableEntry> previous;
    for (VMPtr<HashtableEntry> e = table->elements()[index]; e; previous = e, e = e->next) {
        if (e->hash != hash || !e->key->equals(key)) continue;
        if (previous) previous->next = e->next;
        else table->elements()[index] = e->next.get();
        --count;
        return e->value;
    }
    return nullptr;
}

void Hashtable::clear() {
    VM_SYNCHRONIZED_SELF();
    HashtableEntry** buckets = table->elements();
    for (int32_t i = table->length - 1; i >= 0; --i) buckets[i] = nullptr;
    count = 0;
}

void Hashtable::rehash() {
    VMPtr<EntryArray> oldTable = table;
    const int32_t oldCapacity = oldTable->length;
    // Past 2^31 - 1 buckets the request is the largest array, which the heap refuses.
    const int64_t wanted = int64_t(oldCapacity) * 2 + 1;
    const int32_t newCapacity = wanted > INT32_MAX ? INT32_MAX : int32_t(wanted);
    VMPtr<EntryArray> newTable = EntryArray::_VM_new(newCapacity);
    threshold = thresholdFor(newCapacity);
    table = newTable;
    // Entries move, not copy: each is pushed onto the head of its new chain. Nothing here
    // allocates, so raw pointers are safe.
    HashtableEntry** from = oldTable->elements();
    HashtableEntry** to = newTable->elements();
    for (int32_t i = oldCapacity - 1; i >= 0; --i) {
        for (HashtableEntry* e = from[i]; e != nullptr;) {
            HashtableEntry* following = e->next.get();
            const int32_t index = bucketOf(e->hash, newCapacity);
            e->next = to[index];
            to[index] = e;
            e = following;
        }
    }
}

void Hashtable::appendItem(StringBuffer* text, Object* item) {
    // The table inside itself would print itself without end.
    if (item == static_cast<Object*>(this)) text->append("(this Map)");
    else text->append(item->toString());
}

VMPtr<String> Hashtable::toString() {
    VM_SYNCHRONIZED_SELF();
    const int32_t max = size() - 1;
    VMPtr<StringBuffer> text = StringBuffer::_VM_new();
    text->_VM_init();
    VMPtr<Enumeration> k = keys();
    VMPtr<Enumeration> e = elements();
    text->append("{");
    for (int32_t i = 0; i <= max; ++i) {
        VMPtr<Object> key = k->nextElement();
        VMPtr<Object> value = e->nextElement();
        appendItem(text.get(), key.get());
        text->append("=");
        appendItem(text.get(), value.get());
        if (i < max) text->append(", ");
    }
    text->append("}");
    return text->toString();
}

}  // namespace java::util
