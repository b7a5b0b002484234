#include <gtest/gtest.h>

#include <climits>

#include "pb_src/j2me/java_lang_ArrayIndexOutOfBoundsException.h"
#include "pb_src/j2me/java_lang_ArrayStoreException.h"
#include "pb_src/j2me/java_lang_Class.h"
#include "pb_src/j2me/java_lang_NullPointerException.h"
#include "pb_src/j2me/java_lang_String.h"
#include "pb_src/j2me/java_lang_System.h"
#include "tests/vm/TestRuntime.h"

namespace {

using java::lang::ArrayIndexOutOfBoundsException;
using java::lang::ArrayStoreException;
using java::lang::Object;
using java::lang::String;
using java::lang::System;
using IntArray = VMArray<int32_t, 1>;
using ObjectArray = VMArray<Object*, 1>;
using StringArray = VMArray<String*, 1>;

// 1, 2, 3 ... length.
VMPtr<IntArray> counting(int32_t length) {
    VMPtr<IntArray> array = IntArray::_VM_new(length);
    for (int32_t i = 0; i < length; ++i) array->at(i) = i + 1;
    return array;
}

std::vector<int32_t> contents(IntArray* array) { return {array->elements(), array->elements() + array->length}; }

VMPtr<String> text(const char* s) { return String::fromUtf8(s); }

TEST(System, RegistersWithoutAFactory) {
    testRuntime();
    java::lang::Class* record = System::_VM_getClass();
    ASSERT_NE(record, nullptr);
    EXPECT_STREQ(record->name.c_str(), "java.lang.System");
    EXPECT_STREQ(record->superName.c_str(), "java.lang.Object");
    EXPECT_STREQ(record->sourceFile.c_str(), "target/winmo/pb_src/j2me/java_lang_System");
    EXPECT_EQ(record->factory, nullptr);
}

TEST(System, CopiesPrimitiveRanges) {
    testRuntime();
    VMPtr<IntArray> source = counting(5);
    VMPtr<IntArray> target = IntArray::_VM_new(6);
    System::arraycopy(source, 1, target, 2, 3);
    EXPECT_EQ(contents(target.get()), (std::vector<int32_t>{0, 0, 2, 3, 4, 0}));
    System::arraycopy(source, 5, target, 6, 0);  // empty ranges at the very end are valid
    VMPtr<VMArray<int64_t, 1>> longs = VMArray<int64_t, 1>::_VM_new(2);
    VMPtr<VMArray<int64_t, 1>> longTarget = VMArray<int64_t, 1>::_VM_new(2);
    longs->at(1) = INT64_MIN;
    System::arraycopy(longs, 1, longTarget, 0, 1);
    EXPECT_EQ(longTarget->at(0), INT64_MIN) << "whole 8-byte elements";
}

TEST(System, OverlappingCopiesWithinOneArrayActAsThroughATemporary) {
    testRuntime();
    VMPtr<IntArray> forward = counting(6);
    System::arraycopy(forward, 0, forward, 2, 4);
    EXPECT_EQ(contents(forward.get()), (std::vector<int32_t>{1, 2, 1, 2, 3, 4}));
    VMPtr<IntArray> backward = counting(6);
    System::arraycopy(backward, 2, backward, 0, 4);
    EXPECT_EQ(contents(backward.get()), (std::vector<int32_t>{3, 4, 5, 6, 5, 6}));

    VMPtr<StringArray> names = StringArray::_VM_new(3);
    names->set(0, text("a"));
    names->set(1, text("b"));
    System::arraycopy(names, 0, names, 1, 2);
    EXPECT_EQ(names->at(1)->toUtf8(), "a");
    EXPECT_EQ(names->at(2)->toUtf8(), "b");
}

TEST(System, NullArraysAreRefusedBeforeAnythingElse) {
    testRuntime();
    VMPtr<IntArray> target = counting(3);
    EXPECT_THROW(System::arraycopy(nullptr, 0, target, 0, 1), java::lang::NullPointerException*);
    EXPECT_THROW(System::arraycopy(target, 0, nullptr, 0, 1), java::lang::NullPointerException*);
    EXPECT_THROW(System::arraycopy(nullptr, -1, text("not an array"), 0, 1), java::lang::NullPointerException*);
}

TEST(System, MismatchedElementTypesAreRefusedWithNothingCopied) {
    testRuntime();
    VMPtr<IntArray> ints = counting(3);
    VMPtr<IntArray> target = IntArray::_VM_new(3);
    VMPtr<VMArray<int8_t, 1>> bytes = VMArray<int8_t, 1>::_VM_new(3);
    VMPtr<VMArray<float, 1>> floats = VMArray<float, 1>::_VM_new(3);
    VMPtr<ObjectArray> objects = ObjectArray::_VM_new(3);
    EXPECT_THROW(System::arraycopy(text("abc"), 0, target, 0, 1), ArrayStoreException*);
    EXPECT_THROW(System::arraycopy(ints, 0, text("abc"), 0, 1), ArrayStoreException*);
    EXPECT_THROW(System::arraycopy(ints, 0, bytes, 0, 1), ArrayStoreException*);
    EXPECT_THROW(System::arraycopy(ints, 0, floats, 0, 1), ArrayStoreException*) << "same size, other type";
    EXPECT_THROW(System::arraycopy(ints, 0, objects, 0, 1), ArrayStoreException*);
    EXPECT_THROW(System::arraycopy(objects, 0, target, 0, 1), ArrayStoreException*);
    EXPECT_THROW(System::arraycopy(ints, 0, bytes, 9, -1), ArrayStoreException*) << "types are checked before ranges";
    EXPECT_EQ(contents(target.get()), (std::vector<int32_t>{0, 0, 0}));
    EXPECT_EQ(bytes->at(0), 0);
    EXPECT_EQ(floats->at(0), 0.0f);
}

TEST(System, BadRangesAreRefusedWithNothingCopied) {
    testRuntime();
    VMPtr<IntArray> source = counting(4);
    VMPtr<IntArray> target = IntArray::_VM_new(4);
    const int32_t badArguments[][3] = {
        {-1, 0, 1},       // negative source position
        {0, -1, 1},       // negative destination position
        {0, 0, -1},       // negative length
        {2, 0, 3},        // beyond the source
        {0, 2, 3},        // beyond the destination
        {5, 0, 0},        // empty range starting past the source
        {0, 5, 0},        // empty range starting past the destination
        {1, 0, INT_MAX},  // the end wraps negative in 32 bits
        {0, 1, INT_MAX},
    };
    for (const auto& bad : badArguments) {
        EXPECT_THROW(System::arraycopy(source, bad[0], target, bad[1], bad[2]), ArrayIndexOutOfBoundsException*)
            << bad[0] << ", " << bad[1] << ", " << bad[2];
    }
    EXPECT_EQ(contents(target.get()), (std::vector<int32_t>{0, 0, 0, 0}));
}

TEST(System, ReferencesCopyIntoArraysThatCanHoldThem) {
    testRuntime();
    VMPtr<StringArray> strings = StringArray::_VM_new(2);
    strings->set(0, text("x"));
    VMPtr<ObjectArray> objects = ObjectArray::_VM_new(3);
    System::arraycopy(strings, 0, objects, 1, 2);
    EXPECT_EQ(objects->at(0), nullptr);
    EXPECT_EQ(objects->at(1), static_cast<Object*>(strings->at(0))) << "the same object, seen as an Object";
    EXPECT_EQ(objects->at(2), nullptr);

    VMPtr<StringArray> back = StringArray::_VM_new(3);
    System::arraycopy(objects, 0, back, 0, 3);
    ASSERT_NE(back->at(1), nullptr);
    EXPECT_EQ(back->at(1)->toUtf8(), "x") << "the pointer is adjusted back to a String";
    EXPECT_EQ(back->at(0), nullptr);
}

TEST(System, AnElementTheDestinationCannotHoldStopsTheCopyAfterTheOnesBeforeIt) {
    testRuntime();
    VMPtr<ObjectArray> mixed = ObjectArray::_VM_new(4);
    mixed->set(0, text("first"));
    mixed->set(2, Object::_VM_new());
    mixed->set(3, text("last"));
    VMPtr<StringArray> strings = StringArray::_VM_new(4);
    EXPECT_THROW(System::arraycopy(mixed, 0, strings, 0, 4), ArrayStoreException*);
    ASSERT_NE(strings->at(0), nullptr);
    EXPECT_EQ(strings->at(0)->toUtf8(), "first");
    EXPECT_EQ(strings->at(1), nullptr);
    EXPECT_EQ(strings->at(3), nullptr) << "nothing after the refused element";
}

TEST(System, RowsOfTwoDimensionalArraysAreReferences) {
    testRuntime();
    VMPtr<VMArray<int32_t, 2>> grid = VMArray<int32_t, 2>::_VM_new(2, 3);
    grid->at(1)->at(2) = 7;
    VMPtr<ObjectArray> rows = ObjectArray::_VM_new(2);
    System::arraycopy(grid, 0, rows, 0, 2);
    EXPECT_EQ(rows->at(1), static_cast<Object*>(grid->at(1)));

    VMPtr<VMArray<int32_t, 2>> copy = VMArray<int32_t, 2>::_VM_new(2, 0);
    System::arraycopy(rows, 0, copy, 0, 2);
    EXPECT_EQ(copy->at(1)->at(2), 7);
    rows->set(0, text("not a row"));
    EXPECT_THROW(System::arraycopy(rows, 0, copy, 0, 1), ArrayStoreException*);
    EXPECT_THROW(System::arraycopy(grid, 0, VMArray<float, 2>::_VM_new(2, 0), 0, 1), ArrayStoreException*)
        << "an int row is not a float row";
}

}  // namespace
