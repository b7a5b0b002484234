// Handles: which scope a handle lands in, the order of a thread's stack list, copies,
// assignment and identity.

#include "lib_src/vm/VMPtr.h"
#include "tests/vm/TestRuntime.h"

namespace {

using java::lang::Object;
using java::lang::String;

bool inList(VMRef* head, const VMRef* ref) {
    for (; head; head = head->next)
        if (head == ref) return true;
    return false;
}

VMRef* stackHead() { return VMStackScope::activeList()->head; }

TEST(Handles, LocalHandlesLeaveTheStackListInAnyOrder) {
    testRuntime();
    VMRef* before = stackHead();
    {
        VMPtr<Object> first;
        auto* deep = new VMPtr<Object>();
        auto* middle = new VMPtr<Object>();
        VMPtr<Object> last;
        EXPECT_EQ(last.next, middle);
        delete middle;  // second from the head
        EXPECT_EQ(stackHead(), &last);
        EXPECT_EQ(last.next, deep);
        VMPtr<Object> newest;
        delete deep;  // third from the head
        EXPECT_EQ(stackHead(), &newest);
        EXPECT_EQ(newest.next, &last);
        EXPECT_EQ(last.next, &first);
    }
    EXPECT_EQ(stackHead(), before);
}

TEST(Handles, CopiesAreLocalAndAssignmentKeepsTheTargetsScope) {
    testRuntime();
    VMPtr<String> text = String::fromUtf8("x");
    VMPtr<String> field(VMStaticScope::instance(), text.get());
    {
        VMPtr<String> copy(field);
        VMPtr<Object> converted(field);
        EXPECT_EQ(copy.scope, VMStackScope::instance());
        EXPECT_EQ(converted.scope, VMStackScope::instance());
        EXPECT_EQ(converted.getObject(), text.getObject());
    }
    EXPECT_TRUE(inList(VMStaticScope::instance()->head, &field)) << "the source stays registered";
    VMPtr<String> held(VMNativeScope::instance());
    held = text;
    EXPECT_TRUE(inList(VMNativeScope::instance()->head, &held));
    EXPECT_FALSE(inList(stackHead(), &held));
    held.clear();
    EXPECT_TRUE(held.isNull());
    EXPECT_TRUE(inList(VMNativeScope::instance()->head, &held)) << "a cleared handle stays registered";
    VMPtr<Object> weak(VMWeakScope::instance());
    VMPtr<Object> member(VMInstanceScope::instance());
    EXPECT_TRUE(inList(VMWeakScope::instance()->head, &weak));
    EXPECT_FALSE(inList(stackHead(), &weak) || inList(stackHead(), &member));
}

TEST(Handles, IdentityIsByObject) {
    testRuntime();
    EXPECT_TRUE(VMPtr<Object>(VMPtr<String>()).isNull());
    VMPtr<String> s = String::fromUtf8("s");
    EXPECT_TRUE(VMPtr<Object>(s) == s);
    EXPECT_TRUE(vm_ref_not_equal(s, String::fromUtf8("s")));
    EXPECT_TRUE(s->equals(s));
    EXPECT_FALSE(Object::_VM_new()->equals(Object::_VM_new()));
    VMPtr<Object> a = Object::_VM_new();
    char expected[64];
    std::snprintf(expected, sizeof expected, "java.lang.Object@%x", uint32_t(a->hashCode()));
    EXPECT_EQ(a->toString()->toUtf8(), expected);
}

TEST(HandlesDeathTest, ALocalHandleNeedsARunningThread) {
    EXPECT_EXIT({ VMPtr<Object> orphan; }, testing::ExitedWithCode(1), "no thread runs managed code");
}

}  // namespace
