#include "src/kv/util/kv_util_IntHashtable.h"

#include "lib_src/vm/VMException.h"
#include "pb_src/j2me/java_lang_ArrayIndexOutOfBoundsException.h"

namespace kv::util {

VM_DEFINE_CLASS(IntHashtable, "kv.util.IntHashtable", "java.lang.Object", VM_NO_CLINIT)

VMPtr<IntHashtable> IntHashtable::_VM_init(int32_t capacity) {
    Object::_VM_init();
    const int32_t buckets = capacity < 2 ? 1 : capacity;
    table = EntryArray::_VM_new(buckets);
    threshold = int32_t((int64_t(buckets) * 3) >> 2);
    count = 0;
    return this;
}

IntHashtable_KVC_Entry* IntHashtable::find(int32_t key) {
    for (Entry* e = table->elements()[bucketOf(key)]; e != nullptr; e = e->next.get())
        if (e->key == key) return e;
    return nullptr;
}

void IntHashtable::checkRoom(int32_t length) const {
    if (length < count) vm::throwNew<java::lang::ArrayIndexOutOfBoundsException>(length);
}

void IntHashtable::keys(VMPtr<IntArray> out) {
    checkRoom(out->length);
    int32_t next = 0;
    for (int32_t b = table->length - 1; b >= 0; --b)
        for (Entry* e = table->elements()[b]; e != nullptr; e = e->next.get()) out->elements()[next++] = e->key;
}

void IntHashtable::values(VMPtr<ObjectArray> out) {
    checkRoom(out->length);
    int32_t next = 0;
    for (int32_t b = table->length - 1; b >= 0; --b)
        for (Entry* e = table->elements()[b]; e != nullptr; e = e->next.get()) out->set(next++, e->value);
}

bool IntHashtable::containsKey(int32_t key) { return find(key) != nullptr; }

void IntHashtable::clear() {
    if (count == 0) return;
    count = 0;
    for (int32_t b = table->length - 1; b >= 0; --b) table->elements()[b] = nullptr;
}

VMPtr<java::lang::Object> IntHashtable::remove(int32_t key) {
    const int32_t b = bucketOf(key);
    Entry* previous = nullptr;
    for (Entry* e = table->elements()[b]; e != nullptr; previous = e, e = e->next.get()) {
        if (e->key != key) continue;
        VMPtr<Entry> removed(e);
        if (previous) previous->next = removed->next;
        else table->elements()[b] = removed->next.get();
        --count;
        return removed->value;
    }
    return nullptr;
}

VMPtr<java::lang::Object> IntHashtable::clone() {
    VMPtr<IntHashtable> copy = _VM_new();
    copy->_VM_init(table->length);
    copy->threshold = threshold;
    copy->count = count;
    for (int32_t b = 0; b < table->length; ++b) {
        VMPtr<Entry> head(table->elements()[b]);
        if (head) copy->table->set(b, head->clone());
    }
    return copy;
}

bool IntHashtable::isEmpty() { return count == 0; }

VMPtr<java::lang::Object> IntHashtable::get(int32_t key) {
    Entry* e = find(key);
    return e ? e->value : VMPtr<Object>();
}

VMPtr<java::lang::Object> IntHashtable::put(int32_t key, VMPtr<Object> value) {
    if (Entry* e = find(key)) {
        VMPtr<Object> old = e->value;
        e->value = value;
        return old;
    }
    if (count >= threshold) {
        rehash();
        return put(key, value);
    }
    VMPtr<Entry> entry = Entry::_VM_new();
    entry->_VM_init();
    entry->key = key;
    entry->value = value;
    const int32_t b = bucketOf(key);
    entry->next = VMPtr<Entry>(table->elements()[b]);
    table->elements()[b] = entry.get();
    ++count;
    return nullptr;
}

void IntHashtable::rehash() {
    VMPtr<EntryArray> old = table;
    const int32_t buckets = int32_t(int64_t(old->length) * 2 + 1);
    table = EntryArray::_VM_new(buckets);
    threshold = int32_t((int64_t(buckets) * 3) >> 2);
    for (int32_t b = old->length - 1; b >= 0; --b) {
        VMPtr<Entry> e(old->elements()[b]);
        while (e) {
            VMPtr<Entry> following = e->next;
            const int32_t target = bucketOf(e->key);
            e->next = VMPtr<Entry>(table->elements()[target]);
            table->elements()[target] = e.get();
            e = following;
        }
    }
}

int32_t IntHashtable::size() { return count; }

}  // namespace kv::util
