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
