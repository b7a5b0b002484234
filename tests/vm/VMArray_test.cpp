#include <gtest/gtest.h>

#include "lib_src/vm/VMArray.h"
#include "pb_src/j2me/java_lang_ArrayIndexOutOfBoundsException.h"
#include "pb_src/j2me/java_lang_ArrayStoreException.h"
#include "pb_src/j2me/java_lang_Class.h"
#include "pb_src/j2me/java_lang_NegativeArraySizeException.h"
#include "pb_src/j2me/java_lang_String.h"
#include "tests/vm/TestRuntime.h"

namespace {

using java::lang::Class;
using java::lang::Object;
using java::lang::String;

template <typename E> void expectZeroFilledAndWritable() {
    VMPtr<VMArray<E, 1>> array = VMArray<E, 1>::_VM_new(3);
    ASSERT_EQ(array->length, 3);
    for (int32_t i = 0; i < 3; ++i) EXPECT_EQ(array->at(i), E{});
    array->at(2) = E(1);
    EXPECT_EQ(array->at(2), E(1));
    EXPECT_THROW(array->at(3), java::lang::ArrayIndexOutOfBoundsException*);
    EXPECT_THROW(array->at(-1), java::lang::ArrayIndexOutOfBoundsException*);
    EXPECT_EQ(array->elementSize, int32_t(sizeof(E)));
}

TEST(Arrays, EveryPrimitiveTypeStartsZeroedAndChecksItsBounds) {
    testRuntime();
    expectZeroFilledAndWritable<bool>();
    expectZeroFilledAndWritable<char16_t>();
    expectZeroFilledAndWritable<float>();
    expectZeroFilledAndWritable<double>();
    expectZeroFilledAndWritable<int8_t>();
    expectZeroFilledAndWritable<int16_t>();
    expectZeroFilledAndWritable<int32_t>();
    expectZeroFilledAndWritable<int64_t>();
}

TEST(Arrays, OutOfRangeIndexesNameTheIndex) {
    testRuntime();
    VMPtr<VMArray<int32_t, 1>> array = VMArray<int32_t, 1>::_VM_new(2);
    try {
        array->at(5);
        FAIL();
    } catch (java::lang::ArrayIndexOutOfBoundsException* caught) {
        VMPtr<java::lang::ArrayIndexOutOfBoundsException> e(caught);
        EXPECT_EQ(e->getMessage()->toUtf8(), "Array index out of range: 5");
    }
}

TEST(Arrays, ClassRecordsAreNamedByType) {
    testRuntime();
    EXPECT_STREQ((VMArray<bool, 1>::initClass()->name.c_str()), "[Z");
    EXPECT_STREQ((VMArray<char16_t, 1>::initClass()->name.c_str()), "[C");
    EXPECT_STREQ((VMArray<float, 1>::initClass()->name.c_str()), "[F");
    EXPECT_STREQ((VMArray<double, 1>::initClass()->name.c_str()), "[D");
    EXPECT_STREQ((VMArray<float, 2>::initClass()->name.c_str()), "[[F");
    EXPECT_STREQ((VMArray<int32_t, 2>::initClass()->name.c_str()), "[[I");
    EXPECT_STREQ((VMArray<String*, 1>::initClass()->name.c_str()), "[Ljava.lang.String;");
    VMPtr<VMArray<double, 1>> doubles = VMArray<double, 1>::_VM_new(1);
    EXPECT_EQ((doubles->getClass()), (VMArray<double, 1>::initClass()));
    EXPECT_EQ((_VM_findClass(_VM_getClassRegistry(), "[D")), (VMArray<double, 1>::initClass()));
}

TEST(Arrays, PrimitiveAndReferenceArraysAreNeverAssignableToEachOther) {
    testRuntime();
    VMClassRegistry* registry = _VM_getClassRegistry();
    Class* ints = VMArray<int32_t, 1>::initClass();
    Class* objects = VMArray<Object*, 1>::initClass();
    Class* strings = VMArray<String*, 1>::initClass();
    EXPECT_FALSE(_VM_isAssignableFrom(registry, ints, objects));
    EXPECT_FALSE(_VM_isAssignableFrom(registry, objects, ints));
    EXPECT_FALSE(_VM_isAssignableFrom(registry, ints, VMArray<int64_t, 1>::initClass()));
    EXPECT_TRUE(_VM_isAssignableFrom(registry, strings, objects));
    EXPECT_FALSE(_VM_isAssignableFrom(registry, objects, strings));
    EXPECT_TRUE(_VM_isAssignableFrom(registry, VMArray<int32_t, 2>::initClass(), objects)) << "rows are objects";
    EXPECT_TRUE(_VM_isAssignableFrom(registry, ints, _VM_getObjectClass(registry)));
}

TEST(Arrays, ReferenceArraysStoreOnlyTheirElementClass) {
    testRuntime();
    VMPtr<VMArray<String*, 1>> strings = VMArray<String*, 1>::_VM_new(2);
    EXPECT_EQ(strings->at(0), nullptr);
    VMPtr<String> s = String::fromUtf8("a");
    strings->set(0, s);
    EXPECT_EQ(strings->at(0), s.get());
    VMPtr<Object> plain = Object::_VM_new();
    EXPECT_THROW(strings->set(1, plain.get()), java::lang::ArrayStoreException*);
    EXPECT_EQ(strings->at(1), nullptr);
    strings->set(1, static_cast<Object*>(s.get()));  // through the object path
    EXPECT_EQ(strings->at(1), s.get());
    EXPECT_THROW(strings->set(2, s), java::lang::ArrayIndexOutOfBoundsException*);

    VMPtr<VMArray<int32_t, 1>> ints = VMArray<int32_t, 1>::_VM_new(1);
    EXPECT_THROW(ints->VMArray_Base::set(0, plain.get()), java::lang::ArrayStoreException*);
}

TEST(Arrays, TwoDimensionalArraysHaveDistinctRows) {
    testRuntime();
    VMPtr<VMArray<int32_t, 2>> grid = VMArray<int32_t, 2>::_VM_new(3, 4);
    ASSERT_EQ(grid->length, 3);
    EXPECT_NE(grid->at(0), grid->at(1));
    for (int32_t i = 0; i < 3; ++i) EXPECT_EQ(grid->at(i)->length, 4);
    grid->at(1)->at(2) = 9;
    EXPECT_EQ(grid->at(1)->at(2), 9);
    EXPECT_EQ(grid->at(0)->at(2), 0);

    VMPtr<VMArray<int32_t, 2>> empty = VMArray<int32_t, 2>::_VM_new(3, 0);
    for (int32_t i = 0; i < 3; ++i) EXPECT_EQ(empty->at(i), nullptr);
    VMPtr<VMArray<bool, 2>> none = VMArray<bool, 2>::_VM_new(0, -1);
    EXPECT_EQ(none->length, 0) << "no row is built, so the second length is never used";
}

TEST(Arrays, RowsAndElementsAreTracedByTheCollector) {
    VM* vm = testRuntime();
    VMPtr<VMArray<char16_t, 2>> grid = VMArray<char16_t, 2>::_VM_new(2, 3);
    VMPtr<VMArray<String*, 1>> strings = VMArray<String*, 1>::_VM_new(1);
    strings->set(0, String::fromUtf8("kept"));
    vm->collect();
    grid->at(1)->at(2) = u'z';
    EXPECT_EQ(grid->at(1)->at(2), u'z');
    EXPECT_EQ(strings->at(0)->toUtf8(), "kept");
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

TEST(Arrays, CopyingWithinOneArrayActsAsThroughATemporary) {
    testRuntime();
    VMPtr<VMArray<int32_t, 1>> a = VMArray<int32_t, 1>::_VM_new(6);
    for (int32_t i = 0; i < 6; ++i) a->at(i) = i;
    a->copyElements(a.get(), 0, 2, 4);
    EXPECT_EQ(std::vector<int32_t>(a->elements(), a->elements() + 6), (std::vector<int32_t>{0, 1, 0, 1, 2, 3}));
    a->copyElements(a.get(), 2, 0, 4);
    EXPECT_EQ(std::vector<int32_t>(a->elements(), a->elements() + 6), (std::vector<int32_t>{0, 1, 2, 3, 2, 3}));
}

TEST(Arrays, ElementSizesByTypeCode) {
    const int32_t codes[] = {1, 4, 5, 6, 7, 8, 9, 10, 11, 3};
    const int32_t sizes[] = {int32_t(sizeof(void*)), 1, 2, 4, 8, 1, 2, 4, 8, 0};
    for (size_t i = 0; i < std::size(codes); ++i) EXPECT_EQ(VMArray_Base::elementSizeFor(codes[i]), sizes[i]) << codes[i];
}

}  // namespace
