#pragma once

// java::util::Vector: a growable array of object references. The storage grows by
// capacityIncrement, or doubles when that is 0 or less; every operation that reads or
// changes more than one field holds the vector's monitor. Slots at and above elementCount
// always hold null, so the vector never keeps an object it no longer contains.

#include "lib_src/vm/VMArray.h"
#include "pb_src/j2me/java_lang_String.h"
#include "pb_src/j2me/java_util_Enumeration.h"

namespace java::util {

class Vector : public virtual ::java::lang::Object {
    VM_CLASS(Vector, ::java::lang::Object)
    using String = ::java::lang::String;
    using ObjectArray = VMArray<Object*, 1>;

    static constexpr int32_t kDefaultCapacity = 10;

    VMPtr<Vector> _VM_init() { return _VM_init(kDefaultCapacity, 0); }
    VMPtr<Vector> _VM_init(int32_t initialCapacity) { return _VM_init(initialCapacity, 0); }
    // IllegalArgumentException "Negative initialCapacity" for a negative capacity; a
    // capacityIncrement of 0 or less means doubling.
    VMPtr<Vector> _VM_init(int32_t initialCapacity, int32_t capacityIncrement);

    // Copies the elements into anArray at the same indexes, from the last down to the first.
    // Any array of references is accepted (a String[] as well as an Object[]); an element the
    // array cannot hold throws ArrayStoreException with the later elements already copied.
    // NullPointerException for null, ArrayStoreException for a primitive array,
    // ArrayIndexOutOfBoundsException "destination array too small" for a short one.
    virtual void copyInto(VMPtr<VMArray_Base> anArray);
    virtual void trimToSize();
    virtual void ensureCapacity(int32_t minCapacity);
    // ArrayIndexOutOfBoundsException "new size is negative" below 0; new slots read null.
    virtual void setSize(int32_t newSize);
    virtual int32_t capacity();
    virtual int32_t size();
    virtual bool isEmpty();
    // A live enumerator: it sees the elements as they are when nextElement runs.
    virtual VMPtr<Enumeration> elements();
    virtual bool contains(VMPtr<Object> elem);
    // The first index at or after `index` whose element matches elem (null matches null,
    // anything else by elem.equals), or -1. ArrayIndexOutOfBoundsException for index < 0.
    virtual int32_t indexOf(VMPtr<Object> elem, int32_t index);
    virtual int32_t indexOf(VMPtr<Object> elem);
    // The last matching index at or before `index`, or -1 (also for a negative index, which
    // leaves nothing to search). IndexOutOfBoundsException when index >= elementCount.
    virtual int32_t lastIndexOf(VMPtr<Object> elem, int32_t index);
    virtual int32_t lastIndexOf(VMPtr<Object> elem);
    // Index checks: ArrayIndexOutOfBoundsException "index >= elementCount" above the
    // elements, and one naming the index below 0.
    virtual VMPtr<Object> elementAt(int32_t index);
    // NoSuchElementException when empty.
    virtual VMPtr<Object> firstElement();
    virtual VMPtr<Object> lastElement();
    virtual void setElementAt(VMPtr<Object> obj, int32_t index);
    virtual void removeElementAt(int32_t index);
    // index may equal elementCount (an append).
    virtual void insertElementAt(VMPtr<Object> obj, int32_t index);
    virtual void addElement(VMPtr<Object> obj);
    virtual bool removeElement(VMPtr<Object> obj);
    virtual void removeAllElements();
    // "[a, b]": the elements' text (null as "null") between brackets; the vector itself,
    // held as an element, is written "(this Collection)".
    VMPtr<String> toString() override;
    void _VM_mark(uint32_t flags) override { vmMarkField(elementData, flags); }

    VMPtr<ObjectArray> elementData{vmField()};
    int32_t elementCount = 0;
    int32_t capacityIncrement = 0;

private:
    // Replaces the storage by a larger one (the monitor is held).
    void ensureCapacityHelper(int32_t minCapacity);
    // Throws unless 0 <= index < elementCount.
    void checkElementIndex(int32_t index) const;
};

}  // namespace java::util
