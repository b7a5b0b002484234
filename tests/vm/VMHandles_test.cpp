#include <gtest/gtest.h>

#include "lib_src/vm/VMPtr.h"
#include "pb_src/j2me/java_lang_String.h"
#include "tests/vm/TestRuntime.h"

namespace {

using java::lang::Object;
using java::lang::String;

size_t listLength(VMRef* head) {
    size_t n = 0;
    for (; head; head = head->next) ++n;
    return n;
}

bool inList(VMRef* head, const VMRef* ref) {
    for (; head; head = head->next)
        if (head == ref) return true;
    return false;
}

VMRef* stackHead() { return VMStackScope::activeList()->head; }

TEST(Handles, LocalHandlesRegisterAndLeaveInStackOrder) {
    testRuntime();
    const size_t before = listLength(stackHead());
    {
        VMPtr<Object> a;
        VMPtr<Object> b;
        EXPECT_EQ(stackHead(), &b);
        EXPECT_EQ(b.next, &a);
        EXPECT_EQ(listLength(stackHead()), before + 2);
    }
    EXPECT_EQ(listLength(stackHead()), before);
}

TEST(Handles, AHandleLeavingOutOfOrderKeepsTheRestInOrder) {
    testRuntime();
    VMPtr<Object> first;
    auto* middle = new VMPtr<Object>();
    VMPtr<Object> last;
    delete middle;  // not the head: unlinked from the middle
    EXPECT_EQ(stackHead(), &last);
    EXPECT_EQ(last.next, &first);
}

TEST(Handles, CopiesAreLocalWhateverTheSourceScope) {
    testRuntime();
    VMPtr<String> text = String::fromUtf8("x");
    VMPtr<String> field(VMStaticScope::instance(), text.get());
    {
        VMPtr<String> copy(field);
        EXPECT_EQ(copy.scope, VMStackScope::instance());
        EXPECT_EQ(copy.get(), text.get());
        VMPtr<Object> converted(field);  // converting copy
        EXPECT_EQ(converted.scope, VMStackScope::instance());
        EXPECT_EQ(converted.getObject(), field.getObject());
    }
    EXPECT_TRUE(inList(VMStaticScope::instance()->head, &field)) << "the source stays registered";
}

TEST(Handles, AssignmentChangesOnlyTheTarget) {
    testRuntime();
    VMPtr<String> a = String::fromUtf8("a");
    VMPtr<String> field(VMNativeScope::instance());
    field = a;
    EXPECT_EQ(field.scope, VMNativeScope::instance());
    EXPECT_TRUE(inList(VMNativeScope::instance()->head, &field));
    EXPECT_FALSE(inList(stackHead(), &field));
    EXPECT_EQ(field.get(), a.get());
}

TEST(Handles, ClearLeavesTheHandleRegisteredWithNoTarget) {
    testRuntime();
    VMPtr<String> a = String::fromUtf8("a");
    a.clear();
    EXPECT_TRUE(a.isNull());
    EXPECT_EQ(a.getObject(), nullptr);
    EXPECT_EQ(stackHead(), &a);
}

TEST(Handles, NullConvertsToNullAndIdentityIsByObject) {
    testRuntime();
    VMPtr<String> none;
    VMPtr<Object> converted(none);
    EXPECT_TRUE(converted.isNull());

    VMPtr<String> s = String::fromUtf8("s");
    VMPtr<Object> asObject(s);
    EXPECT_EQ(asObject.getObject(), s.getObject());
    EXPECT_TRUE(asObject == s);
    VMPtr<String> other = String::fromUtf8("s");
    EXPECT_TRUE(vm_ref_not_equal(s, other));
}

TEST(Handles, InstanceAndWeakScopesAreSeparateFromTheRoots) {
    testRuntime();
    VMPtr<Object> weak(VMWeakScope::instance());
    EXPECT_TRUE(inList(VMWeakScope::instance()->head, &weak));
    EXPECT_FALSE(inList(stackHead(), &weak));
    VMPtr<Object> field(VMInstanceScope::instance());
    EXPECT_FALSE(inList(stackHead(), &field));
}

TEST(Handles, ObjectBasicsFollowIdentity) {
    testRuntime();
    VMPtr<Object> a = Object::_VM_new();
    VMPtr<Object> b = Object::_VM_new();
    EXPECT_FALSE(a->equals(b));
    EXPECT_TRUE(a->equals(a));
    EXPECT_EQ(a->hashCode(), a->hashCode());
    char expected[64];
    std::snprintf(expected, sizeof expected, "java.lang.Object@%x", uint32_t(a->hashCode()));
    EXPECT_EQ(a->toString()->toUtf8(), expected);
}

TEST(HandlesDeathTest, ALocalHandleNeedsARunningThread) {
    EXPECT_EXIT({ VMPtr<Object> orphan; }, testing::ExitedWithCode(1), "no thread runs managed code");
}

}  // namespace
