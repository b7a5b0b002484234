#include <algorithm>

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

// Its constructor makes a node and then fails: its own entry is no longer the newest.
class FailsAfterMakingANode : public virtual Object {
    VM_CLASS(FailsAfterMakingANode, Object)
    FailsAfterMakingANode();
};

}  // namespace

VM_DEFINE_CLASS(Node, "test.Node", "java.lang.Object", VM_NO_CLINIT)
VM_DEFINE_CLASS(FailsAfterMakingANode, "test.FailsAfterMakingANode", "java.lang.Object", VM_NO_CLINIT)

namespace {

VMPtr<Node> newNode() {
    VMPtr<Node> node = Node::_VM_new();
    node->_VM_init();
    return node;
}

FailsAfterMakingANode::FailsAfterMakingANode() {
    VMPtr<Node> made = newNode();
    vm::throwNew<java::lang::RuntimeException>();
}

size_t listLength(VM* vm) {
    size_t length = 0;
    for (Object* o = vm->objects; o; o = o->next) ++length;
    return length;
}

bool isLive(VM* vm, Object* object) {
    for (Object* o = vm->objects; o; o = o->next)
        if (o == object) return true;
    return false;
}

TEST(Collector, RootsAndWhatTheyReachSurviveAndTheRestIncludingCyclesGo) {
    VM* vm = testRuntime();
    VMPtr<Node> kept = newNode();
    kept->next = newNode();
    VMPtr<Node> held(VMStaticScope::instance());
    VMPtr<Node> runtimeHeld(VMNativeScope::instance());
    held = newNode();
    runtimeHeld = newNode();
    Object *lost, *cycleA, *cycleB, *child;
    {
        VMPtr<Node> dropped = newNode();
        lost = dropped.get();
        VMPtr<Node> x = newNode(), y = newNode();
        x->next = y;
        y->next = x;
        cycleA = x.get(), cycleB = y.get();
        VMPtr<Node> parent = newNode();
        parent->next = newNode();
        child = parent->next.get();
    }
    Node::destroyed = 0;
    vm->collect();
    for (Object* live : {static_cast<Object*>(kept.get()), static_cast<Object*>(kept->next.get()),
                         static_cast<Object*>(held.get()), static_cast<Object*>(runtimeHeld.get())})
        EXPECT_TRUE(isLive(vm, live));
    for (Object* gone : {lost, cycleA, cycleB, child}) EXPECT_FALSE(isLive(vm, gone));
    EXPECT_EQ(Node::destroyed, 5) << "through the deleting destructor";
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

TEST(Collector, WeakHandlesToUnreachedButKeptObjectsStaySet) {
    VM* vm = testRuntime();
    VMPtr<Node> toFresh(VMWeakScope::instance());
    VMPtr<Object> toAwaiting(VMWeakScope::instance());
    Node* fresh = new (_VM_allocate(sizeof(Node), true)) Node();  // as _VM_new before its handle exists
    toFresh = fresh;
    {
        VMPtr<Node> awaiting = newNode();
        awaiting->flags |= Object::kAwaitingFinalization;
        toAwaiting = awaiting;
    }
    vm->collect();
    EXPECT_EQ(toFresh.get(), fresh);
    EXPECT_FALSE(toAwaiting.isNull());
    toAwaiting->flags &= ~Object::kAwaitingFinalization;
    Object::_VM_clearFresh(fresh);
    vm->collect();
    EXPECT_TRUE(toFresh.isNull());
    EXPECT_TRUE(toAwaiting.isNull());
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

// More targets than the marking queue holds at once, each reached through an array and
// then a chain: all are kept, and all go once the array is dropped.
TEST(Collector, WideStructuresAreKeptWholeAndGoWhole) {
    VM* vm = testRuntime();
    constexpr int kWidth = 1000, kDepth = 3;
    VMPtr<VMArray<Node*, 1>> roots = VMArray<Node*, 1>::_VM_new(kWidth);
    for (int i = 0; i < kWidth; ++i) {
        VMPtr<Node> head = newNode();
        VMPtr<Node> tail = head;
        for (int k = 1; k < kDepth; ++k) {
            tail->next = newNode();
            tail = tail->next;
        }
        roots->set(i, head);
    }
    Node::destroyed = 0;
    vm->collect();
    EXPECT_EQ(Node::destroyed, 0);
    roots = nullptr;
    vm->collect();
    EXPECT_EQ(Node::destroyed, kWidth * kDepth);
}

// The collector walks its table of objects; the table must hold what the list holds, also
// after a construction that failed behind a newer object.
TEST(Collector, AFailedConstructionLeavesTheObjectsAsTheListHasThem) {
    VM* vm = testRuntime();
    vm->collect();
    const size_t before = listLength(vm);
    EXPECT_EQ(vm->objectCount(), before);
    EXPECT_EQ(messageOf<java::lang::RuntimeException>([] { FailsAfterMakingANode::_VM_new(); }), "<none>");
    EXPECT_EQ(vm->objectCount(), listLength(vm));
    // Newer objects put the empty entry far below the newest, where the sweep fetches ahead.
    VMPtr<Node> newer = newNode();
    for (int i = 0; i < 40; ++i) newer = newNode();
    newer = nullptr;
    vm->collect();
    EXPECT_LE(listLength(vm), before + 1) << "the node it made went; the exception may still be in flight";
    EXPECT_EQ(vm->objectCount(), listLength(vm));
}

}  // namespace

namespace {

// Collections over heaps of different sizes: each reports its own pause and the longest is
// the largest reported so far; a collection that does nothing reports nothing.
TEST(Collector, EachCollectionReportsItsPauseAndTheLongestIsKept) {
    VM* vm = testRuntime();
    for (int length : {20000, 10, 5000, 0}) {
        VMPtr<Node> head = newNode();
        for (int i = 0; i < length; ++i) {
            VMPtr<Node> node = newNode();
            node->next = head;
            head = node;
        }
        const uint64_t longestBefore = vm->longestPauseNanos();
        vm->collect();
        EXPECT_GT(vm->lastPauseNanos(), 0u) << length;
        EXPECT_EQ(vm->longestPauseNanos(), std::max(longestBefore, vm->lastPauseNanos())) << length;
    }
    const uint64_t last = vm->lastPauseNanos(), longest = vm->longestPauseNanos();
    vm->phase = 11;
    vm->collect();
    vm->phase = VM::kCollectingPhase;
    EXPECT_EQ(vm->lastPauseNanos(), last);
    EXPECT_EQ(vm->longestPauseNanos(), longest);
}

}  // namespace
