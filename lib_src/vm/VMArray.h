#pragma once

// Managed arrays: VMArray<E,1> for one dimension (E a primitive type, or T* for references)
// and VMArray<E,2> for two (an array of references to one-dimensional rows).
//
// Guarantees: element storage is one heap block, zero-filled (for a one-dimensional array
// made by _VM_new the block of the array object itself, the elements following the object), so a new array reads as
// zeros, false or null; every element access through at(), get() and set() checks its
// index (ArrayIndexOutOfBoundsException); storing an object of the wrong class into a
// reference array throws ArrayStoreException; sizes are computed in 64 bits and a size too
// large for the heap is OutOfMemoryError; a negative length is NegativeArraySizeException.
// Each array type registers its class record on first use.

#include <cstdint>
#include <cstring>
#include <type_traits>

#include "lib_src/vm/VMClass.h"

namespace java::lang {
class Class;
}

// Element type codes (those of the JVM's newarray, 1 for references).
enum VMArrayType : int32_t {
    kArrayOfReferences = 1,
    kArrayOfBoolean = 4,
    kArrayOfChar = 5,
    kArrayOfFloat = 6,
    kArrayOfDouble = 7,
    kArrayOfByte = 8,
    kArrayOfShort = 9,
    kArrayOfInt = 10,
    kArrayOfLong = 11,
};

template <typename E> struct VMArrayElement;
template <> struct VMArrayElement<bool> { static constexpr int32_t code = kArrayOfBoolean; static constexpr const char* name = "[Z"; };
template <> struct VMArrayElement<char16_t> { static constexpr int32_t code = kArrayOfChar; static constexpr const char* name = "[C"; };
template <> struct VMArrayElement<float> { static constexpr int32_t code = kArrayOfFloat; static constexpr const char* name = "[F"; };
template <> struct VMArrayElement<double> { static constexpr int32_t code = kArrayOfDouble; static constexpr const char* name = "[D"; };
template <> struct VMArrayElement<int8_t> { static constexpr int32_t code = kArrayOfByte; static constexpr const char* name = "[B"; };
template <> struct VMArrayElement<int16_t> { static constexpr int32_t code = kArrayOfShort; static constexpr const char* name = "[S"; };
template <> struct VMArrayElement<int32_t> { static constexpr int32_t code = kArrayOfInt; static constexpr const char* name = "[I"; };
template <> struct VMArrayElement<int64_t> { static constexpr int32_t code = kArrayOfLong; static constexpr const char* name = "[J"; };

class VMArray_Base : public virtual java::lang::Object {
public:
    // Element size in bytes for a type code (references are pointer-sized); 0 for an unknown code.
    static int32_t elementSizeFor(int32_t type);
    int32_t setElementSize() { return elementSize = elementSizeFor(type); }

    // The element as an object (null for primitive arrays) and the checked store of an object.
    virtual java::lang::Object* get(int32_t index);
    virtual void set(int32_t index, java::lang::Object* value);

    // Moves count elements from source[sourcePosition] to this[destinationPosition], as if
    // through a temporary copy. Callers check positions and element compatibility first.
    void copyElements(VMArray_Base* source, int32_t sourcePosition, int32_t destinationPosition, int32_t count);

    void _VM_mark(uint32_t flags) override;
    ~VMArray_Base() override;

    // Throws ArrayIndexOutOfBoundsException unless 0 <= index < length. The comparison is
    // inline (one unsigned compare also catches a negative index); the throw is not.
    void checkIndex(int32_t index) const {
        if (uint32_t(index) >= uint32_t(length)) [[unlikely]] throwIndexOutOfBounds(index);
    }
    [[noreturn]] static void throwIndexOutOfBounds(int32_t index);

    int32_t type;
    // The elements lie in the array object's own block (freed with it).
    bool inlineStorage = false;
    java::lang::Class* elementClass;
    int32_t length;
    int32_t elementSize;
    void* data = nullptr;

protected:
    // Primitive arrays (and, with more than one dimension, rows of references).
    VMArray_Base(int32_t type, int32_t dimensions, int32_t length);
    // Arrays of references to elementClass.
    VMArray_Base(java::lang::Class* elementClass, int32_t length);
    // The same two, the elements going to storage: room for them in the object's own block.
    VMArray_Base(int32_t type, int32_t length, void* storage);
    VMArray_Base(java::lang::Class* elementClass, int32_t length, void* storage);

    // A class record for an array type, registered on first use.
    static java::lang::Class* createArrayClass(const char* name, int32_t dimensions, int32_t type,
                                               java::lang::Class* elementClass);
    static java::lang::Class* createReferenceArrayClass(java::lang::Class* element, int32_t dimensions);

private:
    void allocateStorage();
    void useStorage(void* storage);
};

template <typename E, int N> class VMArray;

namespace vm {
[[noreturn]] void throwArrayStore();
template <typename T> java::lang::Class* classOf() {
    java::lang::Class* record = T::_VM_getClass();
    if (record == nullptr) fatalUnregistered(typeid(T).name());
    return record;
}

// Allocates a one-dimensional array and its elements as one heap block (the elements after
// the object) and constructs the array in place; the caller's handle holds it before its
// fresh mark is cleared. A negative length gets no room: the constructor throws. A length
// the heap cannot hold is OutOfMemoryError from the allocation.
template <typename A>
VMPtr<A> newArray(java::lang::Class* record, int32_t length, uint64_t elementSize) {
    ensureInitialized(record);
    const uint64_t elements = length < 0 ? 0 : uint64_t(uint32_t(length)) * elementSize;
    void* block = _VM_allocate(sizeof(A) + elements, true);
    A* array;
    try {
        array = new (block) A(length, static_cast<unsigned char*>(block) + sizeof(A));
    } catch (...) {
        _VM_free(block);
        throw;
    }
    VMPtr<A> handle(array);
    java::lang::Object::_VM_clearFresh(array);
    return handle;
}
}  // namespace vm

// One-dimensional primitive array.
template <typename E>
class VMArray<E, 1> final : public VMArray_Base {
public:
    static_assert(std::is_arithmetic_v<E> || std::is_same_v<E, char16_t>);

    explicit VMArray(int32_t length) : VMArray_Base(VMArrayElement<E>::code, 1, length) {}
    explicit VMArray(const int32_t* lengths) : VMArray(lengths[0]) {}
    VMArray(int32_t length, void* storage) : VMArray_Base(VMArrayElement<E>::code, length, storage) {}

    static VMPtr<VMArray> _VM_new(int32_t length) { return ::vm::newArray<VMArray>(initClass(), length, sizeof(E)); }
    static java::lang::Class* initClass() {
        static java::lang::Class* record = createArrayClass(VMArrayElement<E>::name, 1, VMArrayElement<E>::code, nullptr);
        return record;
    }
    java::lang::Class* getClass() override { return initClass(); }

    E& at(int32_t index) {
        checkIndex(index);
        return elements()[index];
    }
    E* elements() { return static_cast<E*>(data); }
};

// One-dimensional array of references to T.
template <typename T>
class VMArray<T*, 1> final : public VMArray_Base {
public:
    explicit VMArray(int32_t length) : VMArray_Base(vm::classOf<T>(), length) {}
    explicit VMArray(const int32_t* lengths) : VMArray(lengths[0]) {}
    VMArray(int32_t length, void* storage) : VMArray_Base(vm::classOf<T>(), length, storage) {}

    static VMPtr<VMArray> _VM_new(int32_t length) { return ::vm::newArray<VMArray>(initClass(), length, sizeof(T*)); }
    static java::lang::Class* initClass() {
        static java::lang::Class* record = createReferenceArrayClass(vm::classOf<T>(), 1);
        return record;
    }
    java::lang::Class* getClass() override { return initClass(); }

    T* at(int32_t index) {
        checkIndex(index);
        return elements()[index];
    }
    template <typename U>
        requires std::convertible_to<U*, T*>
    void set(int32_t index, const VMPtr<U>& value) {
        store(index, static_cast<T*>(value.get()));
    }
    void set(int32_t index, std::nullptr_t) { store(index, nullptr); }

    java::lang::Object* get(int32_t index) override { return at(index); }
    // Storage may not exist yet when a collection runs during construction.
    void _VM_mark(uint32_t flags) override {
        if (data == nullptr) return;
        T* const* element = elements();
        for (int32_t i = 0; i < length; ++i)
            if (element[i] != nullptr) vm::MarkQueue::add(element[i], flags);
    }
    void set(int32_t index, java::lang::Object* value) override {
        checkIndex(index);
        T* element = value ? dynamic_cast<T*>(value) : nullptr;
        if (value && (!element || !isStorable(value))) vm::throwArrayStore();
        elements()[index] = element;
    }
    T** elements() { return static_cast<T**>(data); }

private:
    // An element of a subclass of T may be refused when the array's element class is narrower.
    bool isStorable(java::lang::Object* value) {
        return elementClass == vm::classOf<T>() || _VM_instanceOf(_VM_getClassRegistry(), value, elementClass);
    }
    void store(int32_t index, T* element) {
        checkIndex(index);
        if (element && !isStorable(element)) vm::throwArrayStore();
        elements()[index] = element;
    }
};

// Two-dimensional array: an array of references to rows of VMArray<E,1>.
template <typename E>
class VMArray<E, 2> final : public VMArray_Base {
public:
    using Row = VMArray<E, 1>;

    explicit VMArray(const int32_t* lengths) : VMArray_Base(Row::initClass(), lengths[0]) {
        if (lengths[1] == 0) return;
        for (int32_t i = 0; i < length; ++i) {
            VMPtr<Row> row = Row::_VM_new(lengths[1]);
            rows()[i] = row.get();
        }
    }

    static VMPtr<VMArray> _VM_new(int32_t length, int32_t rowLength) {
        const int32_t lengths[2] = {length, rowLength};
        return ::vm::newObject<VMArray>(initClass(), lengths);
    }
    static java::lang::Class* initClass() {
        static java::lang::Class* record = createReferenceArrayClass(Row::initClass(), 2);
        return record;
    }
    java::lang::Class* getClass() override { return initClass(); }

    Row* at(int32_t index) {
        checkIndex(index);
        return rows()[index];
    }
    void set(int32_t index, const VMPtr<Row>& row) {
        checkIndex(index);
        rows()[index] = row.get();
    }
    java::lang::Object* get(int32_t index) override { return at(index); }
    void set(int32_t index, java::lang::Object* value) override {
        checkIndex(index);
        Row* row = value ? dynamic_cast<Row*>(value) : nullptr;
        if (value && !row) vm::throwArrayStore();
        rows()[index] = row;
    }
    Row** rows() { return static_cast<Row**>(data); }
};
