#include "hal/base/SystemClock.h"
#include "lib_src/vm/VMMonitor.h"
#include "pb_src/j2me/java_lang_Runtime.h"
#include "pb_src/j2me/java_lang_SecurityException.h"
#include "pb_src/j2me/java_lang_Thread.h"
#include "tests/j2me/ClassLibrary.h"

namespace test {

class Exiting : public virtual java::lang::Object, public virtual java::lang::Runnable {
    VM_CLASS(Exiting, java::lang::Object)
    VMPtr<Exiting> _VM_init() { return this; }
    void run() override {
        try {
            java::lang::Runtime::getRuntime()->exit(3);
        } catch (java::lang::Throwable*) {
            caughtByManagedHandler = true;
        }
        ranOn = true;
    }
    static inline bool caughtByManagedHandler = false;
    static inline bool ranOn = false;
};

}  // namespace test

VM_DEFINE_CLASS(test::Exiting, "test.Exiting", "java.lang.Object", VM_NO_CLINIT)
VM_IMPLEMENTS(test::Exiting, "java.lang.Runnable")

namespace {

using java::lang::Runtime;

TEST(Runtime, WhenExitIsAllowedItEndsOnlyTheCallingThread) {
    VM* vm = testRuntime();
    Runtime::_VM_setExitAllowed(true);
    VMPtr<test::Exiting> body = test::Exiting::_VM_new();
    body->_VM_init();
    VMPtr<java::lang::Thread> thread = java::lang::Thread::_VM_new();
    thread->_VM_init(body);
    thread->start();
    {
        VM_SYNCHRONIZED(thread.get());
        for (int i = 0; i < 500 && thread->isAlive(); ++i) thread->wait(20);
    }
    Runtime::_VM_setExitAllowed(false);
    EXPECT_FALSE(thread->isAlive());
    EXPECT_FALSE(test::Exiting::caughtByManagedHandler);
    EXPECT_FALSE(test::Exiting::ranOn);
    EXPECT_TRUE(vm->exitRequested);
}

TEST(Runtime, RefusesToEndTheProcessAndGivesMemoryFiguresAndCollection) {
    VM* vm = testRuntime();
    VMPtr<Runtime> runtime = Runtime::getRuntime();
    EXPECT_EQ(messageOf<java::lang::SecurityException>([] { Runtime::getRuntime()->exit(0); }),
              "MIDP lifecycle does not support system exit.");
    EXPECT_EQ(Runtime::getRuntime().get(), runtime.get()) << "one runtime object";
    EXPECT_GE(runtime->freeMemory(), 0);
    EXPECT_LE(runtime->freeMemory(), runtime->totalMemory());
    const uint32_t collections = vm->collections;
    java::lang::System::gc();
    EXPECT_EQ(vm->collections, collections + 1);
    const int64_t before = HAL_currentTimeMillis();
    const int64_t now = java::lang::System::currentTimeMillis();
    EXPECT_GE(now, before) << "the platform's clock";
    EXPECT_LE(now, HAL_currentTimeMillis());
}

}  // namespace
