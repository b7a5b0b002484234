#pragma once

// For test executables that boot the runtime end to end: a boot class under the boot
// class's dotted name whose main runs `bootScenario`, and a Runnable that runs a native
// body on a managed thread. Include it in exactly one file of a test executable: it
// defines and registers the two classes.

#include <functional>
#include <utility>

#include "lib_src/vm/VMClass.h"
#include "pb_src/j2me/java_lang_Runnable.h"
#include "pb_src/j2me/java_lang_Thread.h"

inline std::function<void()> bootScenario;

namespace com::kelvane::ostrel {

class AMS : public virtual java::lang::Object {
    VM_CLASS(AMS, java::lang::Object)
    static void main(VMPtr<VMArray<java::lang::String*, 1>> arguments) {
        mainRan = true;
        argumentWasNull = arguments.isNull();
        if (bootScenario) bootScenario();
    }
    static inline bool mainRan = false;
    static inline bool argumentWasNull = false;
};

}  // namespace com::kelvane::ostrel

VM_DEFINE_CLASS(com::kelvane::ostrel::AMS, "com.kelvane.ostrel.AMS", "java.lang.Object", VM_NO_CLINIT)
VM_MAIN_METHOD(com::kelvane::ostrel::AMS)

namespace test {

class NativeBody : public virtual java::lang::Object, public virtual java::lang::Runnable {
    VM_CLASS(NativeBody, java::lang::Object)
    VMPtr<NativeBody> _VM_init() { return this; }
    void run() override { body(); }
    std::function<void()> body;
};

}  // namespace test

VM_DEFINE_CLASS(test::NativeBody, "test.NativeBody", "java.lang.Object", VM_NO_CLINIT)
VM_IMPLEMENTS(test::NativeBody, "java.lang.Runnable")

// Starts a managed thread (named, or "Thread-n") that runs the body.
inline VMPtr<java::lang::Thread> startThread(std::function<void()> body, const char* name = nullptr) {
    VMPtr<test::NativeBody> runnable = test::NativeBody::_VM_new();
    runnable->_VM_init();
    runnable->body = std::move(body);
    VMPtr<java::lang::Thread> thread = java::lang::Thread::_VM_new();
    thread->_VM_init(runnable, name ? java::lang::String::fromUtf8(name) : VMPtr<java::lang::String>());
    thread->start();
    return thread;
}
