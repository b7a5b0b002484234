#include <gtest/gtest.h>

#include "pb_src/j2me/java_lang_String.h"
#include "tests/vm/TestRuntime.h"

namespace {

using java::lang::Object;

// A node of a linked structure: one reference field.
class Node : public virtual Object {
    VM_CLASS(Node, Object)
    VMPtr<Node> _VM_init() { return this; }
    void _VM_mark(uint32_t flags) override { vmMarkField(next, flags); }
    VMPtr<Node> next{vmField()};
    static inline int destroyed = 0;
    ~Node() override { ++destroyed; }
};

}  // namespace

VM_DEFINE_CLASS(Node, "test.Node", "java.lang.Object", VM_NO_CLINIT)

namespace {

VMPtr<Node> newNode() {
    VMPtr<Node> node = Node::_VM_new();
    node->_VM_init();
    return node;
}

bool isLive(VM* vm, Object* object) {
    for (Object* o = vm->objects; o; o = o->next)
        if (o == object) return true;
    return false;
}

TEST(Collector, ReachableObjectsSurviveAndTheRestAreReclaimed) {
    VM* vm = testRuntime();
    VMPtr<Node> kept = newNode();
    kept->next = newNode();
    Object* lost;
    {
        VMPtr<Node> dropped = newNode();
        lost = dropped.get();
    }
    Node::destroyed = 0;
    vm->collect();
    EXPECT_TRUE(isLive(vm, kept.get()));
    EXPECT_TRUE(isLive(vm, kept->next.get())) << "reached through a field";
    EXPECT_FALSE(isLive(vm, lost));
    EXPECT_EQ(Node::destroyed, 1);
}

TEST(Collector, StaticAndNativeHandlesAreRoots) {
    VM* vm = testRuntime();
    VMPtr<Node> held(VMStaticScope::instance());
    VMPtr<Node> runtimeHeld(VMNativeScope::instance());
    held = newNode();
    runtimeHeld = newNode();
    vm->collect();
    EXPECT_TRUE(isLive(vm, held.get()));
    EXPECT_TRUE(isLive(vm, runtimeHeld.get()));
}

TEST(Collector, UnreachableCyclesAreReclaimed) {
    VM* vm = testRuntime();
    Object *a, *b;
    {
        VMPtr<Node> x = newNode();
        VMPtr<Node> y = newNode();
        x->next = y;
        y->next = x;
        a = x.get();
        b = y.get();
    }
    vm->collect();
    EXPECT_FALSE(isLive(vm, a));
    EXPECT_FALSE(isLive(vm, b));
}

TEST(Collector, AFieldKeepsNothingAliveByItself) {
    VM* vm = testRuntime();
    Object* child;
    {
        VMPtr<Node> parent = newNode();
        parent->next = newNode();
        child = parent->next.get();
    }
    vm->collect();
    EXPECT_FALSE(isLive(vm, child));
}

TEST(Collector, WeakHandlesAreClearedWhenTheirTargetGoes) {
    VM* vm = testRuntime();
    VMPtr<Node> weakOnly(VMWeakScope::instance());
    VMPtr<Node> weakAndStrong(VMWeakScope::instance());
    VMPtr<Node> strong = newNode();
    weakOnly = newNode();
    weakAndStrong = strong;
    vm->collect();
    EXPECT_TRUE(weakOnly.isNull());
    EXPECT_EQ(weakAndStrong.get(), strong.get());
}

TEST(Collector, AFreshObjectSurvivesWithWhatItReferencesUntilAHandleTakesIt) {
    VM* vm = testRuntime();
    // Built by hand, as _VM_new does before its handle exists.
    void* block = _VM_allocate(sizeof(Node), true);
    Node* fresh = new (block) Node();
    {
        VMPtr<Node> child = newNode();
        fresh->next = child;
    }
    vm->collect();
    ASSERT_TRUE(isLive(vm, fresh));
    EXPECT_TRUE(isLive(vm, fresh->next.get()));
    EXPECT_FALSE(fresh->flags & Object::kReached) << "kept without being reached";

    Object::_VM_clearFresh(fresh);
    Object* child = fresh->next.get();
    Object* freshObject = fresh;
    vm->collect();
    EXPECT_FALSE(isLive(vm, freshObject));
    EXPECT_FALSE(isLive(vm, child));
}

TEST(Collector, DeepChainsAreMarkedWithoutExhaustingTheStack) {
    VM* vm = testRuntime();
    VMPtr<Node> head = newNode();
    VMPtr<Node> tail = head;
    constexpr int kLength = 200000;
    for (int i = 0; i < kLength; ++i) {
        tail->next = newNode();
        tail = tail->next;
    }
    Node::destroyed = 0;
    vm->collect();
    EXPECT_EQ(Node::destroyed, 0);
    head->next = nullptr;
    tail = nullptr;
    vm->collect();
    EXPECT_EQ(Node::destroyed, kLength);
}

TEST(Collector, NothingHappensBeforeCollectionsAreEnabled) {
    VM* vm = testRuntime();
    Object* lost;
    {
        VMPtr<Node> dropped = newNode();
        lost = dropped.get();
    }
    const uint32_t collections = vm->collections;
    vm->phase = 11;
    vm->collect();
    EXPECT_EQ(vm->collections, collections);
    EXPECT_TRUE(isLive(vm, lost));
    vm->phase = VM::kCollectingPhase;
    vm->collect();
    EXPECT_EQ(vm->collections, collections + 1);
    EXPECT_FALSE(isLive(vm, lost));
}

TEST(Collector, StringsKeepTheirCharacterArrays) {
    VM* vm = testRuntime();
    VMPtr<java::lang::String> text = java::lang::String::fromUtf8("hello");
    vm->collect();
    EXPECT_EQ(text->toUtf8(), "hello");
}

}  // namespace
