#include "pb_src/j2me/java_util_Vector.h"

#include "lib_src/vm/VMException.h"
#include "lib_src/vm/VMLiterals.h"
#include "lib_src/vm/VMMonitor.h"
#include "pb_src/j2me/java_lang_ArrayIndexOutOfBoundsException.h"
#include "pb_src/j2me/java_lang_ArrayStoreException.h"
#include "pb_src/j2me/java_lang_IllegalArgumentException.h"
#include "pb_src/j2me/java_lang_IndexOutOfBoundsException.h"
#include "pb_src/j2me/java_lang_NullPointerException.h"
#include "pb_src/j2me/java_lang_StringBuffer.h"
#include "pb_src/j2me/java_lang_System.h"
#include "pb_src/j2me/java_util_NoSuchElementException.h"
#include "pb_src/j2me/java_util_VectorEnumerator.h"

namespace java::util {

using java::lang::ArrayIndexOutOfBoundsException;
using java::lang::Object;
using java::lang::String;
using java::lang::StringBuffer;
using java::lang::System;

VM_DEFINE_CLASS(Vector, "java.util.Vector", "java.lang.Object", VM_NO_CLINIT)

namespace {

[[noreturn]] void throwBeyondCount() {
    vm::throwNew<ArrayIndexOutOfBoundsException>(VMPtr<java::lang::String>::fromLiteral("index >= elementCount"));
}

}  // namespace

VMPtr<Vector> Vector::_VM_init(int32_t initialCapacity, int32_t increment) {
    Object::_VM_init();
    if (initialCapacity < 0) vm::throwNew<java::lang::IllegalArgumentException>(VMPtr<java::lang::String>::fromLiteral("Negative initialCapacity"));
    elementCount = 0;
    elementData = ObjectArray::_VM_new(initialCapacity);
    capacityIncrement = increment;
    return this;
}

void Vector::checkElementIndex(int32_t index) const {
    if (index >= elementCount) throwBeyondCount();
    if (index < 0) vm::throwNew<ArrayIndexOutOfBoundsException>(index);
}

void Vector::ensureCapacityHelper(int32_t minCapacity) {
    VMPtr<ObjectArray> old = elementData;
    const int32_t oldCapacity = old->length;
    // Wrapping 32-bit arithmetic: a capacity past 2^31 - 1 turns negative and gives way to
    // minCapacity, so growth never asks for less than is needed.
    int32_t newCapacity = capacityIncrement > 0 ? int32_t(uint32_t(oldCapacity) + uint32_t(capacityIncrement))
                                                : int32_t(uint32_t(oldCapacity) << 1);
    if (newCapacity < minCapacity) newCapacity = minCapacity;
    // The new storage replaces the old only once it exists: a failed allocation leaves the
    // vector as it was.
    VMPtr<ObjectArray> grown = ObjectArray::_VM_new(newCapacity);
    System::arraycopy(old, 0, grown, 0, elementCount);
    elementData = grown;
}

void Vector::copyInto(VMPtr<VMArray_Base> anArray) {
    VM_SYNCHRONIZED_SELF();
    if (!anArray) vm::throwNew<java::lang::NullPointerException>();
    if (anArray->type != kArrayOfReferences) vm::throwNew<java::lang::ArrayStoreException>();
    if (anArray->length < elementCount)
        vm::throwNew<ArrayIndexOutOfBoundsException>(VMPtr<java::lang::String>::fromLiteral("destination array too small"));
    // The array's own checked store: an element it cannot hold throws ArrayStoreException.
    for (int32_t i = elementCount - 1; i >= 0; --i) anArray->set(i, elementData->elements()[i]);
}

void Vector::trimToSize() {
    VM_SYNCHRONIZED_SELF();
    if (elementCount >= elementData->length) return;
    VMPtr<ObjectArray> trimmed = ObjectArray::_VM_new(elementCount);
    System::arraycopy(elementData, 0, trimmed, 0, elementCount);
    elementData = trimmed;
}

void Vector::ensureCapacity(int32_t minCapacity) {
    VM_SYNCHRONIZED_SELF();
    if (minCapacity > elementData->length) ensureCapacityHelper(minCapacity);
}

void Vector::setSize(int32_t newSize) {
    VM_SYNCHRONIZED_SELF();
    if (newSize < 0) vm::throwNew<ArrayIndexOutOfBoundsException>(VMPtr<java::lang::String>::fromLiteral("new size is negative"));
    if (newSize > elementCount && newSize > elementData->length) ensureCapacityHelper(newSize);
    Object** slots = elementData->elements();
    for (int32_t i = newSize; i < elementCount; ++i) slots[i] = nullptr;
    elementCount = newSize;
}

int32_t Vector::capacity() { return elementData->length; }

int32_t Vector::size() { return elementCount; }

bool Vector::isEmpty() { return elementCount == 0; }

VMPtr<Enumeration> Vector::elements() {
    VM_SYNCHRONIZED_SELF();
    VMPtr<VectorEnumerator> enumerator = VectorEnumerator::_VM_new();
    return enumerator->_VM_init(this);
}

bool Vector::contains(VMPtr<Object> elem) { return indexOf(elem, 0) >= 0; }

int32_t Vector::indexOf(VMPtr<Object> elem, int32_t index) {
    VM_SYNCHRONIZED_SELF();
    if (index < 0) vm::throwNew<ArrayIndexOutOfBoundsException>(index);
    // The storage and the count are read afresh at every step: an equals that changes the
    // vector cannot send the scan outside it.
    for (int32_t i = index; i < elementCount; ++i) {
        Object* element = elementData->elements()[i];
        if (!elem ? element == nullptr : elem->equals(element)) return i;
    }
    return -1;
}

int32_t Vector::indexOf(VMPtr<Object> elem) { return indexOf(elem, 0); }

int32_t Vector::lastIndexOf(VMPtr<Object> elem, int32_t index) {
    VM_SYNCHRONIZED_SELF();
    if (index >= elementCount)
        vm::throwNew<java::lang::IndexOutOfBoundsException>(VMPtr<java::lang::String>::fromLiteral("index >= elementCount"));
    // A negative index leaves nothing to scan (lastIndexOf of an empty vector starts at -1).
    for (int32_t i = index; i >= 0; --i) {
        if (i >= elementCount) continue;  // an equals removed elements meanwhile
        Object* element = elementData->elements()[i];
        if (!elem ? element == nullptr : elem->equals(element)) return i;
    }
    return -1;
}

int32_t Vector::lastIndexOf(VMPtr<Object> elem) { return lastIndexOf(elem, elementCount - 1); }

VMPtr<Object> Vector::elementAt(int32_t index) {
    VM_SYNCHRONIZED_SELF();
    checkElementIndex(index);
    return elementData->elements()[index];
}

VMPtr<Object> Vector::firstElement() {
    VM_SYNCHRONIZED_SELF();
    if (elementCount == 0) vm::throwNew<NoSuchElementException>();
    return elementData->elements()[0];
}

VMPtr<Object> Vector::lastElement() {
    VM_SYNCHRONIZED_SELF();
    if (elementCount == 0) vm::throwNew<NoSuchElementException>();
    return elementData->elements()[elementCount - 1];
}

void Vector::setElementAt(VMPtr<Object> obj, int32_t index) {
    VM_SYNCHRONIZED_SELF();
    checkElementIndex(index);
    elementData->elements()[index] = obj.get();
}

void Vector::removeElementAt(int32_t index) {
    VM_SYNCHRONIZED_SELF();
    checkElementIndex(index);
    const int32_t moved = elementCount - index - 1;
    if (moved > 0) System::arraycopy(elementData, index + 1, elementData, index, moved);
    --elementCount;
    elementData->elements()[elementCount] = nullptr;
}

void Vector::insertElementAt(VMPtr<Object> obj, int32_t index) {
    VM_SYNCHRONIZED_SELF();
    if (index >= elementCount + 1) throwBeyondCount();
    if (index < 0) vm::throwNew<ArrayIndexOutOfBoundsException>(index);
    if (elementCount + 1 > elementData->length) ensureCapacityHelper(elementCount + 1);
    System::arraycopy(elementData, index, elementData, index + 1, elementCount - index);
    elementData->elements()[index] = obj.get();
    ++elementCount;
}

void Vector::addElement(VMPtr<Object> obj) {
    VM_SYNCHRONIZED_SELF();
    if (elementCount + 1 > elementData->length) ensureCapacityHelper(elementCount + 1);
    elementData->elements()[elementCount] = obj.get();
    ++elementCount;
}

bool Vector::removeElement(VMPtr<Object> obj) {
    VM_SYNCHRONIZED_SELF();
    const int32_t i = indexOf(obj);
    if (i < 0) return false;
    removeElementAt(i);
    return true;
}

void Vector::removeAllElements() {
    VM_SYNCHRONIZED_SELF();
    Object** slots = elementData->elements();
    for (int32_t i = 0; i < elementCount; ++i) slots[i] = nullptr;
    elementCount = 0;
}

VMPtr<String> Vector::toString() {
    VM_SYNCHRONIZED_SELF();
    VMPtr<StringBuffer> text = StringBuffer::_VM_new();
    text->_VM_init();
    text->append("[");
    Object* self = this;
    // Count and storage are read afresh at every step, as an element's toString may change
    // the vector.
    for (int32_t i = 0; i < elementCount; ++i) {
        Object* element = elementData->elements()[i];
        // The vector inside itself would print itself without end.
        if (element == self) text->append("(this Collection)");
        else text->append(VMPtr<Object>(element));
        if (i < elementCount - 1) text->append(", ");
    }
    text->append("]");
    return text->toString();
}

}  // namespace java::util
