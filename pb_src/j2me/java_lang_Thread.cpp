#include "pb_src/j2me/java_lang_Thread.h"

#include "lib_src/vm/VMLiterals.h"
#include "lib_src/vm/VMMonitor.h"
#include "lib_src/vm/VMThread.h"
#include "pb_src/j2me/java_lang_IllegalThreadStateException.h"
#include "pb_src/j2me/java_lang_StringBuffer.h"

namespace java::lang {

VM_DEFINE_CLASS(Thread, "java.lang.Thread", "java.lang.Object", VM_NO_CLINIT)
VM_IMPLEMENTS(Thread, "java.lang.Runnable")

namespace {

constexpr int32_t kStartupPriority = 5;
int32_t unnamedThreads = 0;  // numbers the threads created without a name

}  // namespace

VMPtr<Thread> Thread::_VM_init(VMPtr<Runnable> runnable, VMPtr<String> threadName) {
    vmThread = VMThread::create(this);
    VMPtr<Thread> creator = currentThread();
    priority = creator ? creator->priority : kStartupPriority;
    target = runnable;
    name = threadName ? threadName : String::withNumber("Thread-", ++unnamedThreads);
    return this;
}

void Thread::_VM_initStartupThread(VMPtr<String> threadName, VMThread* record) {
    priority = kStartupPriority;
    target = nullptr;
    name = threadName;
    vmThread = record;
    record->javaThread = this;
}

Thread::~Thread() {
    // The record outlives its Thread until a sweep finds its platform thread gone.
    if (vmThread) vmThread->javaThread = nullptr;
    vmThread = nullptr;
}

VMPtr<Thread> Thread::currentThread() {
    VMThread* record = VMThread::currentThread();
    return record ? record->javaThread : nullptr;
}

void Thread::sleep(int64_t milliseconds) { VMThread::sleep(milliseconds); }

void Thread::start() {
    VM_SYNCHRONIZED(this);
    if (vmThread == nullptr || vmThread->isStarted()) vm::throwNew<IllegalThreadStateException>();
    vmThread->start();
}

void Thread::interrupt() {
    if (vmThread) vmThread->interrupt();
}

void Thread::run() {
    if (target) target->run();
}

bool Thread::isAlive() const { return vmThread != nullptr && vmThread->isAlive(); }

VMPtr<String> Thread::toString() {
    VMPtr<StringBuffer> text = StringBuffer::_VM_new();
    text->_VM_init("Thread[");
    text->append(name);
    text->append(u',');
    text->append(priority);
    text->append(u']');
    return text->toString();
}

void Thread::_VM_mark(uint32_t flags) {
    vmMarkField(target, flags);
    vmMarkField(name, flags);
}

}  // namespace java::lang
