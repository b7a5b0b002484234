#include "src/kv/util/kv_util_ArrayList.h"

#include "lib_src/vm/VMException.h"
#include "pb_src/j2me/java_lang_IllegalArgumentException.h"
#include "pb_src/j2me/java_lang_IndexOutOfBoundsException.h"
#include "pb_src/j2me/java_lang_StringBuffer.h"
#include "pb_src/j2me/java_lang_System.h"

namespace kv::util {

using java::lang::IllegalArgumentException;
using java::lang::IndexOutOfBoundsException;
using java::lang::String;
using java::lang::StringBuffer;
using java::lang::System;

VM_DEFINE_CLASS(ArrayList, "kv.util.ArrayList", "java.lang.Object", VM_NO_CLINIT)

VMPtr<ArrayList> ArrayList::_VM_init(int32_t initialCapacity, int32_t increment) {
    Object::_VM_init();
    if (initialCapacity < 0)
        vm::throwNew<IllegalArgumentException>(String::withNumber("Illegal Capacity: ", initialCapacity));
    elements = ObjectArray::_VM_new(initialCapacity);
    capacityIncrement = increment;
    return this;
}

void ArrayList::checkIndex(int32_t index) const {
    if (index >= 0 && index < count) return;
    VMPtr<StringBuffer> text = StringBuffer::_VM_new();
    text->_VM_init("Index: ");
    text->append(index)->append(", Size: ")->append(count);
    vm::throwNew<IndexOutOfBoundsException>(text->toString());
}

bool ArrayList::matches(const VMPtr<Object>& o, Object* element) {
    if (!o) return element == nullptr;
    return o->equals(VMPtr<Object>(element));
}

void ArrayList::ensureCapacity(int32_t minCapacity) {
    const int32_t old = elements->length;
    if (minCapacity <= old) return;
    int64_t grown = capacityIncrement > 0 ? int64_t(old) + capacityIncrement : int64_t(old) + (old >> 1);
    if (grown < minCapacity) grown = minCapacity;
    if (grown > INT32_MAX) grown = INT32_MAX;
    VMPtr<ObjectArray> storage = ObjectArray::_VM_new(int32_t(grown));
    System::arraycopy(elements, 0, storage, 0, count);
    elements = storage;
}

// Moves elements index..count-1 up by n (room already ensured) and grows count by n.
void ArrayList::openGap(int32_t index, int32_t n) {
    System::arraycopy(elements, index, elements, index + n, count - index);
    count += n;
}

void ArrayList::insertAll(int32_t index, VMPtr<ObjectArray> items) {
    checkIndex(index);
    const int32_t n = items->length;
    ensureCapacity(count + n);
    openGap(index, n);
    System::arraycopy(items, 0, elements, index, n);
}

void ArrayList::insertAll(int32_t index, VMPtr<ArrayList> other) {
    checkIndex(index);
    const int32_t n = other->size();
    ensureCapacity(count + n);
    openGap(index, n);
    System::arraycopy(other->elements, 0, elements, index, n);
}

int32_t ArrayList::indexOf(VMPtr<Object> o, int32_t from) {
    for (int32_t i = from < 0 ? 0 : from; i < count; ++i)
        if (matches(o, elements->elements()[i])) return i;
    return -1;
}

int32_t ArrayList::indexOf(VMPtr<Object> o) { return indexOf(o, 0); }

void ArrayList::resize(int32_t n) {
    if (n > count) ensureCapacity(n);
    count = n;
}

bool ArrayList::removeAll(VMPtr<ArrayList> other) {
    bool removed = false;
    for (int32_t i = count - 1; i >= 0; --i) {
        if (other->contains(get(i))) {
            remove(i);
            removed = true;
        }
    }
    return removed;
}

void ArrayList::addAll(VMPtr<ObjectArray> items) {
    const int32_t n = items->length;
    ensureCapacity(count + n);
    System::arraycopy(items, 0, elements, count, n);
    count += n;
}

void ArrayList::addAll(VMPtr<ArrayList> other) {
    const int32_t n = other->size();
    ensureCapacity(count + n);
    System::arraycopy(other->elements, 0, elements, count, n);
    count += n;
}

VMPtr<ArrayList> ArrayList::subList(int32_t from, int32_t to) { return subList(from, to, capacityIncrement); }

VMPtr<ArrayList> ArrayList::subList(int32_t from, int32_t to, int32_t increment) {
    if (from < 0) vm::throwNew<IndexOutOfBoundsException>(String::withNumber("fromIndex = ", from));
    if (to > count) vm::throwNew<IndexOutOfBoundsException>(String::withNumber("toIndex = ", to));
    if (from > to) {
        VMPtr<StringBuffer> text = StringBuffer::_VM_new();
        text->_VM_init("fromIndex(");
        text->append(from)->append(") > toIndex(")->append(to)->append(")");
        vm::throwNew<IllegalArgumentException>(text->toString());
    }
    VMPtr<ArrayList> list = ArrayList::_VM_new();
    list->_VM_init(to - from, increment);
    System::arraycopy(elements, from, list->elements, 0, to - from);
    list->count = to - from;
    return list;
}

void ArrayList::fastRemove(int32_t index) {
    const int32_t moved = count - index - 1;
    if (moved > 0) System::arraycopy(elements, index + 1, elements, index, moved);
    elements->elements()[--count] = nullptr;
}

bool ArrayList::remove(VMPtr<Object> o) {
    const int32_t i = indexOf(o);
    if (i < 0) return false;
    fastRemove(i);
    return true;
}

VMPtr<java::lang::Object> ArrayList::remove(int32_t index) {
    checkIndex(index);
    VMPtr<Object> removed(elements->elements()[index]);
    fastRemove(index);
    return removed;
}

bool ArrayList::containsAll(VMPtr<ArrayList> other) {
    for (int32_t i = other->size() - 1; i >= 0; --i)
        if (!contains(other->get(i))) return false;
    return true;
}

VMPtr<ArrayList::ObjectArray> ArrayList::toArray(VMPtr<ObjectArray> a) {
    if (!a || a->length < count) a = ObjectArray::_VM_new(count);
    System::arraycopy(elements, 0, a, 0, count);
    return a;
}

// A size made negative by resize or setSize has no slot to append at: the checked store
// throws ArrayIndexOutOfBoundsException and the list stays as it was.
void ArrayList::add(VMPtr<Object> o) {
    ensureCapacity(count + 1);
    elements->checkIndex(count);
    elements->elements()[count++] = o.get();
}

int32_t ArrayList::lastIndexOf(VMPtr<Object> o) { return lastIndexOf(o, count - 1); }

int32_t ArrayList::lastIndexOf(VMPtr<Object> o, int32_t from) {
    checkIndex(from);
    for (int32_t i = from; i >= 0; --i)
        if (matches(o, elements->elements()[i])) return i;
    return -1;
}

int32_t ArrayList::capacity() { return elements->length; }

VMPtr<java::lang::Object> ArrayList::get(int32_t index) {
    checkIndex(index);
    return VMPtr<Object>(elements->elements()[index]);
}

void ArrayList::trimToSize() {
    if (count < elements->length) elements = toArray(nullptr);
}

int32_t ArrayList::size() { return count; }

bool ArrayList::contains(VMPtr<Object> o) { return indexOf(o, 0) >= 0; }

VMPtr<java::lang::Object> ArrayList::set(int32_t index, VMPtr<Object> o) {
    checkIndex(index);
    VMPtr<Object> previous(elements->elements()[index]);
    elements->elements()[index] = o.get();
    return previous;
}

VMPtr<ArrayList> ArrayList::copy() { return subList(0, count); }

void ArrayList::clear() {
    for (int32_t i = 0; i < count; ++i) elements->elements()[i] = nullptr;
    count = 0;
}

bool ArrayList::isEmpty() { return count == 0; }

void ArrayList::setSize(int32_t n) {
    if (n <= count) {
        for (int32_t i = n < 0 ? 0 : n; i < count; ++i) elements->elements()[i] = nullptr;
    } else {
        ensureCapacity(n);
    }
    count = n;
}

void ArrayList::insert(int32_t index, VMPtr<Object> o) {
    checkIndex(index);
    ensureCapacity(count + 1);
    openGap(index, 1);
    elements->elements()[index] = o.get();
}

}  // namespace kv::util
