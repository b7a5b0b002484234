// System.arraycopy: primitive and reference ranges, overlap, the type and range checks that
// run before anything is copied, and the element store check that stops a reference copy.

#include "pb_src/j2me/java_lang_ArrayStoreException.h"
#include "tests/j2me/ClassLibrary.h"

namespace {

using classlib::text;
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

TEST(System, CopiesPrimitiveRangesAndOverlapsAsThroughATemporary) {
    testRuntime();
    VMPtr<IntArray> target = IntArray::_VM_new(6);
    System::arraycopy(counting(5), 1, target, 2, 3);
    EXPECT_EQ(contents(target.get()), (std::vector<int32_t>{0, 0, 2, 3, 4, 0}));
    System::arraycopy(target, 6, target, 6, 0);  // empty ranges at the very end are valid
    VMPtr<IntArray> forward = counting(6), backward = counting(6);
    System::arraycopy(forward, 0, forward, 2, 4);
    System::arraycopy(backward, 2, backward, 0, 4);
    EXPECT_EQ(contents(forward.get()), (std::vector<int32_t>{1, 2, 1, 2, 3, 4}));
    EXPECT_EQ(contents(backward.get()), (std::vector<int32_t>{3, 4, 5, 6, 5, 6}));
    VMPtr<VMArray<int64_t, 1>> longs = VMArray<int64_t, 1>::_VM_new(2);
    longs->at(1) = INT64_MIN;
    System::arraycopy(longs, 1, longs, 0, 1);
    EXPECT_EQ(longs->at(0), INT64_MIN) << "whole 8-byte elements";
}

TEST(System, NullsTypesAndRangesAreCheckedInThatOrderWithNothingCopied) {
    testRuntime();
    VMPtr<IntArray> ints = counting(4), target = IntArray::_VM_new(4);
    VMPtr<VMArray<int8_t, 1>> bytes = VMArray<int8_t, 1>::_VM_new(3);
    VMPtr<VMArray<float, 1>> floats = VMArray<float, 1>::_VM_new(3);
    VMPtr<ObjectArray> objects = ObjectArray::_VM_new(3);
    EXPECT_THROW(System::arraycopy(nullptr, 0, target, 0, 1), java::lang::NullPointerException*);
    EXPECT_THROW(System::arraycopy(nullptr, -1, text("not an array"), 0, 1), java::lang::NullPointerException*);
    const std::pair<VMPtr<Object>, VMPtr<Object>> mismatched[] = {
        {text("abc"), target}, {ints, text("abc")}, {ints, bytes}, {ints, floats}, {ints, objects}, {objects, target},
    };
    for (const auto& [from, to] : mismatched) EXPECT_THROW(System::arraycopy(from, 0, to, 0, 1), ArrayStoreException*);
    EXPECT_THROW(System::arraycopy(ints, 0, bytes, 9, -1), ArrayStoreException*) << "types before ranges";
    const int32_t badRanges[][3] = {{-1, 0, 1}, {0, -1, 1}, {0, 0, -1}, {2, 0, 3}, {0, 2, 3},
                                    {5, 0, 0},  {0, 5, 0},  {1, 0, INT_MAX}, {0, 1, INT_MAX}};
    for (const auto& bad : badRanges) {
        EXPECT_THROW(System::arraycopy(ints, bad[0], target, bad[1], bad[2]), ArrayIndexOutOfBoundsException*)
            << bad[0] << ", " << bad[1] << ", " << bad[2];
    }
    EXPECT_EQ(contents(target.get()), (std::vector<int32_t>{0, 0, 0, 0}));
    EXPECT_EQ(floats->at(0), 0.0f);
}

TEST(System, ReferencesCopyIntoArraysThatCanHoldThemUntilOneCannot) {
    testRuntime();
    VMPtr<StringArray> strings = StringArray::_VM_new(3);
    strings->set(0, text("a"));
    strings->set(1, text("b"));
    System::arraycopy(strings, 0, strings, 1, 2);
    EXPECT_EQ(strings->at(2)->toUtf8(), "b");
    VMPtr<ObjectArray> objects = ObjectArray::_VM_new(4);
    System::arraycopy(strings, 0, objects, 1, 2);
    EXPECT_EQ(objects->at(1), static_cast<Object*>(strings->at(0))) << "the same object, seen as an Object";
    VMPtr<StringArray> back = StringArray::_VM_new(4);
    System::arraycopy(objects, 0, back, 0, 3);
    EXPECT_EQ(back->at(1)->toUtf8(), "a") << "the pointer is adjusted back to a String";
    objects->set(2, Object::_VM_new());
    objects->set(3, text("last"));
    back = StringArray::_VM_new(4);
    EXPECT_THROW(System::arraycopy(objects, 0, back, 0, 4), ArrayStoreException*);
    EXPECT_EQ(back->at(1)->toUtf8(), "a") << "copied before the refused element";
    EXPECT_EQ(back->at(3), nullptr) << "nothing after it";

    VMPtr<VMArray<int32_t, 2>> grid = VMArray<int32_t, 2>::_VM_new(2, 3);
    grid->at(1)->at(2) = 7;
    VMPtr<VMArray<int32_t, 2>> rows = VMArray<int32_t, 2>::_VM_new(2, 0);
    System::arraycopy(grid, 0, rows, 0, 2);
    EXPECT_EQ(rows->at(1)->at(2), 7) << "rows are references";
    EXPECT_THROW(System::arraycopy(grid, 0, VMArray<float, 2>::_VM_new(2, 0), 0, 1), ArrayStoreException*)
        << "an int row is not a float row";
}

}  // namespace
