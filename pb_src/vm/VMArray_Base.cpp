#include "lib_src/vm/VMArray.h"

#include "lib_src/vm/VMCString.h"
#include "pb_src/j2me/java_lang_ArrayIndexOutOfBoundsException.h"
#include "pb_src/j2me/java_lang_ArrayStoreException.h"
#include "pb_src/j2me/java_lang_Class.h"
#include "pb_src/j2me/java_lang_NegativeArraySizeException.h"

using java::lang::Class;
using java::lang::Object;

namespace vm {

void throwArrayStore() { throwNew<java::lang::ArrayStoreException>(); }

}  // namespace vm

int32_t VMArray_Base::elementSizeFor(int32_t type) {
    switch (type) {
    case kArrayOfReferences: return int32_t(sizeof(void*));
    case kArrayOfBoolean: case kArrayOfByte: return 1;
    case kArrayOfChar: case kArrayOfShort: return 2;
    case kArrayOfFloat: case kArrayOfInt: return 4;
    case kArrayOfDouble: case kArrayOfLong: return 8;
    default: return 0;
    }
}

VMArray_Base::VMArray_Base(int32_t type, int32_t dimensions, int32_t length)
    : type(dimensions > 1 ? int32_t(kArrayOfReferences) : type), elementClass(nullptr), length(length), elementSize(0) {
    if (length < 0) vm::throwNew<java::lang::NegativeArraySizeException>();
    setElementSize();
    allocateStorage();
}

VMArray_Base::VMArray_Base(Class* elementClass, int32_t length)
    : type(kArrayOfReferences), elementClass(elementClass), length(length), elementSize(0) {
    if (length < 0) vm::throwNew<java::lang::NegativeArraySizeException>();
    setElementSize();
    allocateStorage();
}

VMArray_Base::VMArray_Base(int32_t type, int32_t length, void* storage)
    : type(type), elementClass(nullptr), length(length), elementSize(0) {
    if (length < 0) vm::throwNew<java::lang::NegativeArraySizeException>();
    setElementSize();
    useStorage(storage);
}

VMArray_Base::VMArray_Base(Class* elementClass, int32_t length, void* storage)
    : type(kArrayOfReferences), elementClass(elementClass), length(length), elementSize(0) {
    if (length < 0) vm::throwNew<java::lang::NegativeArraySizeException>();
    setElementSize();
    useStorage(storage);
}

void VMArray_Base::useStorage(void* storage) {
    std::memset(storage, 0, size_t(length) * size_t(elementSize));
    data = storage;
    inlineStorage = true;
}

void VMArray_Base::allocateStorage() {
    // 64-bit size: a length the heap cannot hold is OutOfMemoryError, never a wrapped size.
    const uint64_t bytes = uint64_t(uint32_t(length)) * uint64_t(uint32_t(elementSize));
    void* storage = _VM_allocate(bytes, true);
    std::memset(storage, 0, bytes);
    data = storage;
}

VMArray_Base::~VMArray_Base() {
    if (!inlineStorage) _VM_free(data);
    data = nullptr;
}

Object* VMArray_Base::get(int32_t index) {
    checkIndex(index);
    return nullptr;
}

void VMArray_Base::set(int32_t index, Object* value) {
    checkIndex(index);
    // Objects cannot be stored into a primitive array.
    if (value != nullptr) vm::throwArrayStore();
}

void VMArray_Base::throwIndexOutOfBounds(int32_t index) {
    vm::throwNew<java::lang::ArrayIndexOutOfBoundsException>(index);
}

void VMArray_Base::copyElements(VMArray_Base* source, int32_t sourcePosition, int32_t destinationPosition,
                                int32_t count) {
    if (count <= 0) return;
    const size_t size = size_t(elementSize);
    std::memmove(static_cast<char*>(data) + size * size_t(destinationPosition),
                 static_cast<const char*>(source->data) + size * size_t(sourcePosition), size * size_t(count));
}

void VMArray_Base::_VM_mark(uint32_t flags) {
    // Storage may not exist yet when a collection runs during construction.
    if (elementClass == nullptr || data == nullptr || length <= 0) return;
    // Reaching an element's Object part reads the element, so elements a little further on
    // are fetched while this one is marked.
    constexpr int32_t kAhead = 8;
    void* const* raw = static_cast<void* const*>(data);
    for (int32_t i = 0; i < length; ++i) {
        if (i + kAhead < length && raw[i + kAhead] != nullptr) __builtin_prefetch(raw[i + kAhead]);
        if (Object* element = get(i)) Object::_VM_mark(element, flags);
    }
}

Class* VMArray_Base::createArrayClass(const char* name, int32_t dimensions, int32_t type, Class* elementClass) {
    return Class::create(name, "java.lang.Object", "lib_src\\vm\\VMArray", nullptr, nullptr, false, false, dimensions,
                         type, elementClass);
}

Class* VMArray_Base::createReferenceArrayClass(Class* element, int32_t dimensions) {
    VMCString name;
    _VM_getArrayClassName(&name, element, dimensions);
    return createArrayClass(name.c_str(), dimensions, kArrayOfReferences, element);
}
