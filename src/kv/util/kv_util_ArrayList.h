#pragma once

// kv::util::ArrayList: an unsynchronised growable list of object references. Growth adds
// capacityIncrement, or half the capacity when that is 0 or less, and never less than asked
// for. Index checks throw IndexOutOfBoundsException "Index: i, Size: n" and leave the list
// unchanged; slots at and after size hold null after removals and clears.

#include "lib_src/vm/VMArray.h"
#include "pb_src/j2me/java_lang_String.h"

namespace kv::util {

class ArrayList : public virtual ::java::lang::Object {
    VM_CLASS(ArrayList, ::java::lang::Object)
    using Object = ::java::lang::Object;
    using ObjectArray = VMArray<Object*, 1>;

    VMPtr<ArrayList> _VM_init() { return _VM_init(8, 0); }
    // IllegalArgumentException "Illegal Capacity: <n>" for a negative capacity.
    VMPtr<ArrayList> _VM_init(int32_t initialCapacity, int32_t capacityIncrement);

    virtual void insertAll(int32_t index, VMPtr<ObjectArray> items);
    virtual void insertAll(int32_t index, VMPtr<ArrayList> other);
    // A negative start counts as 0.
    virtual int32_t indexOf(VMPtr<Object> o, int32_t from);
    virtual int32_t indexOf(VMPtr<Object> o);
    virtual void ensureCapacity(int32_t minCapacity);
    virtual void resize(int32_t n);
    virtual bool removeAll(VMPtr<ArrayList> other);
    virtual void addAll(VMPtr<ObjectArray> items);
    virtual void addAll(VMPtr<ArrayList> other);
    virtual VMPtr<ArrayList> subList(int32_t from, int32_t to);
    virtual VMPtr<ArrayList> subList(int32_t from, int32_t to, int32_t increment);
    virtual bool remove(VMPtr<Object> o);
    virtual VMPtr<Object> remove(int32_t index);
    virtual bool containsAll(VMPtr<ArrayList> other);
    // A null or too short array is replaced by a new one of exactly size elements.
    virtual VMPtr<ObjectArray> toArray(VMPtr<ObjectArray> a);
    virtual void add(VMPtr<Object> o);
    virtual int32_t lastIndexOf(VMPtr<Object> o);
    virtual int32_t lastIndexOf(VMPtr<Object> o, int32_t from);
    virtual int32_t capacity();
    virtual VMPtr<Object> get(int32_t index);
    virtual void trimToSize();
    virtual int32_t size();
    virtual bool contains(VMPtr<Object> o);
    virtual VMPtr<Object> set(int32_t index, VMPtr<Object> o);
    virtual VMPtr<ArrayList> copy();
    virtual void clear();
    virtual bool isEmpty();
    virtual void setSize(int32_t n);
    virtual void insert(int32_t index, VMPtr<Object> o);

    void _VM_mark(uint32_t flags) override { vmMarkField(elements, flags); }

    VMPtr<ObjectArray> elements{vmField()};
    int32_t capacityIncrement = 0;
    // The number of elements in use (the list's size).
    int32_t count = 0;

private:
    void checkIndex(int32_t index) const;
    void fastRemove(int32_t index);
    void openGap(int32_t index, int32_t n);
    static bool matches(const VMPtr<Object>& o, Object* element);
};

}  // namespace kv::util
