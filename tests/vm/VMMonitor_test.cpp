#include "lib_src/vm/VMMonitor.h"
#include "pb_src/j2me/java_lang_IllegalArgumentException.h"
#include "pb_src/j2me/java_lang_IllegalMonitorStateException.h"
#include "tests/vm/TestRuntime.h"

namespace {

using java::lang::Object;

VMPtr<Object> newObject() { return Object::_VM_new(); }

TEST(Monitors, AGuardReleasesItsLevelWhenAnExceptionLeavesTheBlock) {
    testRuntime();
    VMPtr<Object> o = newObject();
    _VM_lock(o.get());
    try {
        VM_SYNCHRONIZED(o.get());
        EXPECT_EQ(o->count, 2);
        vm::throwNew<java::lang::RuntimeException>();
    } catch (java::lang::RuntimeException*) {
    }
    EXPECT_EQ(o->count, 1);
    _VM_unlock(o.get());
}

TEST(Monitors, WaitAndNotifyNeedTheMonitor) {
    testRuntime();
    VMPtr<Object> o = newObject();
    EXPECT_THROW(o->notify(), java::lang::IllegalMonitorStateException*);
    EXPECT_THROW(o->notifyAll(), java::lang::IllegalMonitorStateException*);
    EXPECT_THROW(o->wait(10), java::lang::IllegalMonitorStateException*);
    EXPECT_THROW(o->wait(-1), java::lang::IllegalArgumentException*) << "checked before ownership";
    VM_SYNCHRONIZED(o.get());
    o->notify();  // thin, no waiters: nothing happens
    o->notifyAll();
    EXPECT_EQ(o->lock, nullptr);
}

TEST(Monitors, AreEnteredRecursivelyAndATimedWaitReturnsWithTheSameDepthAndOwner) {
    VM* vm = testRuntime();
    VMPtr<Object> o = newObject();
    for (int inflated = 0; inflated < 2; ++inflated) {
        for (int i = 0; i < 3; ++i) _VM_lock(o.get());
        EXPECT_EQ(o->count, 3);
        EXPECT_EQ(o->owner, vm->mainThread);
        EXPECT_EQ(o->lock != nullptr, inflated == 1) << "thin until someone waits";
        o->wait(5);
        EXPECT_EQ(o->count, 3);
        EXPECT_EQ(o->owner, vm->mainThread);
        EXPECT_EQ(vm->currentThread, vm->mainThread);
        for (int i = 0; i < 3; ++i) _VM_unlock(o.get());
        EXPECT_EQ(o->owner, nullptr);
    }
}

TEST(MonitorsDeathTest, ReleasingAMonitorNotHeldIsFatal) {
    EXPECT_EXIT(
        {
            testRuntime();
            VMPtr<Object> o = newObject();
            _VM_unlock(o.get());
        },
        testing::ExitedWithCode(1), "Monitor state is invalid in _VM_unlock\\(\\)!");
}

}  // namespace
