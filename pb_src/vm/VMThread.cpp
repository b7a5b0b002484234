#include "lib_src/vm/VMThread.h"

#include "hal/base/HALLock.h"
#include "hal/base/Sleep.h"
#include "hal/base/VMLock.h"
#include "lib_src/vm/VM.h"
#include "lib_src/vm/VMLiterals.h"
#include "pb_src/j2me/java_lang_InterruptedException.h"
#include "pb_src/j2me/java_lang_Throwable.h"

namespace {

int yieldDisabledDepth = 0;

}  // namespace

namespace vm {

// The start-up thread is the one the runtime calls "System".
VMPtr<java::lang::String> currentThreadName() {
    VM* runtime = VM::instance();
    if (runtime && runtime->currentThread && runtime->currentThread == runtime->mainThread) return vmLiteral("System");
    return nullptr;
}

}  // namespace vm

VMThread::VMThread() : inFlight(VMNativeScope()) { VMRefList::init(&stackList); }

VMThread::~VMThread() { VMRefList::release(&stackList); }

VMThread* VMThread::attach() {
    void* block = _VM_allocate(sizeof(VMThread), true);
    auto* thread = new (block) VMThread();
    thread->state = Running;
    if (VM* vm = VM::instance()) vm->addThread(thread);
    makeCurrent(thread);
    return thread;
}

void VMThread::detach(VMThread* thread) {
    if (thread == nullptr) return;
    VM* vm = VM::instance();
    if (vm) {
        vm->removeThread(thread);
        if (vm->currentThread == thread) vm->currentThread = nullptr;
    }
    thread->~VMThread();
    _VM_free(thread);
}

VMThread* VMThread::current() {
    VM* vm = VM::instance();
    return vm ? vm->currentThread : nullptr;
}

void VMThread::makeCurrent(VMThread* thread) {
    if (VM* vm = VM::instance()) vm->currentThread = thread;
    if (thread) VMStackScope::setActiveList(&thread->stackList);
}

void VMThread::yield() {
    if (yieldDisabled()) return;
    VMThread* me = current();
    if (VM* vm = VM::instance()) vm->currentThread = nullptr;
    HAL_yield();
    makeCurrent(me);
}

void VMThread::sleep(int64_t milliseconds) {
    VMThread* me = current();
    if (VM* vm = VM::instance()) vm->currentThread = nullptr;
    HAL_sleep(milliseconds <= 0 ? 0 : milliseconds >= 0xFFFFFFFF ? 0xFFFFFFFE : uint32_t(milliseconds));
    makeCurrent(me);
}

void VMThread::checkInterrupted() {
    if (!interrupted) return;
    interrupted = false;
    vm::throwNew<java::lang::InterruptedException>();
}

void VMThread::wait(java::lang::Object* monitor, int64_t milliseconds) {
    VMThread* me = current();
    if (me == nullptr || me->state != Running) return;
    me->checkInterrupted();
    const int32_t depth = monitor->count;
    monitor->count = 0;
    monitor->owner = nullptr;
    me->state = Waiting;
    me->waitLock = monitor->lock;
    HAL_waitLock(monitor->lock, milliseconds);
    makeCurrent(me);
    me->state = Running;
    me->waitLock = nullptr;
    monitor->count = depth;
    monitor->owner = me;
    me->checkInterrupted();
}

void VMThread::disableYield() { ++yieldDisabledDepth; }

void VMThread::enableYield() {
    if (yieldDisabledDepth > 0) --yieldDisabledDepth;
}

bool VMThread::yieldDisabled() { return yieldDisabledDepth > 0; }
