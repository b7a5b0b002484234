// Managed arrays: zeroed elements, bounds and store checks, class records by type,
// assignability, rows of two-dimensional arrays, and what the collector keeps.

#include "lib_src/vm/VMArray.h"
#include "pb_src/j2me/java_lang_ArrayIndexOutOfBoundsException.h"
#include "pb_src/j2me/java_lang_ArrayStoreException.h"
#include "pb_src/j2me/java_lang_NegativeArraySizeException.h"
#include "tests/vm/TestRuntime.h"

namespace {

using java::lang::ArrayIndexOutOfBoundsException;
using java::lang::Class;
using java::lang::Object;
using java::lang::String;

template <typename E> void expectZeroFilledAndChecked(const char* className) {
    VMPtr<VMArray<E, 1>> array = VMArray<E, 1>::_VM_new(3);
    for (int32_t i = 0; i < 3; ++i) EXPECT_EQ(array->at(i), E{}) << className;
    array->at(2) = E(1);
    EXPECT_EQ(array->at(2), E(1));
    EXPECT_THROW(array->at(3), ArrayIndexOutOfBoundsException*);
    EXPECT_THROW(array->at(-1), ArrayIndexOutOfBoundsException*);
    EXPECT_EQ(array->getClass(), (VMArray<E, 1>::initClass()));
    EXPECT_STREQ(array->getClass()->name.c_str(), className);
    EXPECT_EQ(_VM_findClass(_VM_getClassRegistry(), className), array->getClass());
}

TEST(Arrays, EveryElementTypeStartsZeroedChecksItsBoundsAndNamesItsClass) {
    testRuntime();
    expectZeroFilledAndChecked<bool>("[Z"), expectZeroFilledAndChecked<char16_t>("[C");
    expectZeroFilledAndChecked<float>("[F"), expectZeroFilledAndChecked<double>("[D");
    expectZeroFilledAndChecked<int8_t>("[B"), expectZeroFilledAndChecked<int16_t>("[S");
    expectZeroFilledAndChecked<int32_t>("[I"), expectZeroFilledAndChecked<int64_t>("[J");
    EXPECT_STREQ((VMArray<float, 2>::initClass()->name.c_str()), "[[F");
    EXPECT_STREQ((VMArray<String*, 1>::initClass()->name.c_str()), "[Ljava.lang.String;");
    VMPtr<VMArray<int32_t, 1>> ints = VMArray<int32_t, 1>::_VM_new(2);
    EXPECT_EQ(messageOf<ArrayIndexOutOfBoundsException>([&] { ints->at(5); }), "Array index out of range: 5");
}

TEST(Arrays, PrimitiveAndReferenceArraysAreNeverAssignableToEachOther) {
    testRuntime();
    VMClassRegistry* registry = _VM_getClassRegistry();
    Class* ints = VMArray<int32_t, 1>::initClass();
    Class* objects = VMArray<Object*, 1>::initClass();
    Class* strings = VMArray<String*, 1>::initClass();
    const std::tuple<Class*, Class*, bool> cases[] = {
        {ints, objects, false}, {objects, ints, false}, {ints, VMArray<int64_t, 1>::initClass(), false},
        {strings, objects, true}, {objects, strings, false}, {VMArray<int32_t, 2>::initClass(), objects, true},
        {ints, _VM_getObjectClass(registry), true},
    };
    for (const auto& [from, to, expected] : cases)
        EXPECT_EQ(_VM_isAssignableFrom(registry, from, to), expected) << from->name.c_str() << " to " << to->name.c_str();
}

TEST(Arrays, ReferenceArraysStoreOnlyTheirElementClass) {
    testRuntime();
    VMPtr<VMArray<String*, 1>> strings = VMArray<String*, 1>::_VM_new(2);
    VMPtr<String> s = String::fromUtf8("a");
    VMPtr<Object> plain = Object::_VM_new();
    EXPECT_THROW(strings->set(1, plain.get()), java::lang::ArrayStoreException*);
    EXPECT_EQ(strings->at(1), nullptr);
    strings->set(1, static_cast<Object*>(s.get()));  // through the object path
    EXPECT_EQ(strings->at(1), s.get());
    EXPECT_THROW(strings->set(2, s), ArrayIndexOutOfBoundsException*);
    VMPtr<VMArray<int32_t, 1>> ints = VMArray<int32_t, 1>::_VM_new(1);
    EXPECT_THROW(ints->VMArray_Base::set(0, plain.get()), java::lang::ArrayStoreException*);
}

TEST(Arrays, TwoDimensionalArraysHaveDistinctRowsKeptByTheCollector) {
    VM* vm = testRuntime();
    VMPtr<VMArray<int32_t, 2>> grid = VMArray<int32_t, 2>::_VM_new(3, 4);
    VMPtr<VMArray<String*, 1>> strings = VMArray<String*, 1>::_VM_new(1);
    strings->set(0, String::fromUtf8("kept"));
    vm->collect();
    grid->at(1)->at(2) = 9;
    EXPECT_EQ(grid->at(0)->at(2) + grid->at(1)->at(2) + grid->at(2)->length, 9 + 4);
    EXPECT_EQ(strings->at(0)->toUtf8(), "kept");
    EXPECT_EQ((VMArray<int32_t, 2>::_VM_new(3, 0)->at(2)), nullptr) << "rows of length 0 are not built";
    EXPECT_EQ((VMArray<bool, 2>::_VM_new(0, -1)->length), 0) << "no row is built, so the second length is never used";
}

// The elements share the array object's heap block: one block per array, sized for both.
template <typename E> void expectOneBlock(int32_t length) {
    const uint64_t used = _VM_heapState().used;
    VMPtr<VMArray<E, 1>> array = VMArray<E, 1>::_VM_new(length);
    const void* block = dynamic_cast<const void*>(static_cast<Object*>(array.get()));
    EXPECT_EQ(_VM_heapState().used - used, _VM_blockSize(block)) << length;
    EXPECT_GE(_VM_blockSize(block), uint64_t(length) * sizeof(E) + sizeof(VMArray<E, 1>)) << length;
}

TEST(Arrays, EachArrayIsOneHeapBlock) {
    testRuntime();
    // Class records are made on first use: before the heap is measured.
    VMArray<char16_t, 1>::initClass();
    VMArray<int64_t, 1>::initClass();
    VMArray<String*, 1>::initClass();
    for (int32_t length : {0, 1, 33, 5000}) {
        expectOneBlock<char16_t>(length);
        expectOneBlock<int64_t>(length);
        expectOneBlock<String*>(length);
    }
}

TEST(Arrays, NegativeLengthsThrowAndLeaveNothingBehind) {
    VM* vm = testRuntime();
    VMArray<int32_t, 2>::initClass();  // class records are made once, on first use
    const size_t objects = vm->objectCount();
    const uint64_t used = _VM_heapState().used;
    EXPECT_THROW((VMArray<int32_t, 1>::_VM_new(-1)), java::lang::NegativeArraySizeException*);
    EXPECT_THROW((VMArray<int32_t, 2>::_VM_new(-1, 2)), java::lang::NegativeArraySizeException*);
    EXPECT_THROW((VMArray<int32_t, 2>::_VM_new(2, -1)), java::lang::NegativeArraySizeException*);
    vm->collect();  // the exceptions themselves and any row built before the failure go
    EXPECT_LE(vm->objectCount(), objects + 1) << "at most the last exception, still in flight";
    EXPECT_LE(_VM_heapState().used, used + 1024);
}

}  // namespace
