#include "lib_src/vm/VMThread.h"

#include <atomic>
#include <condition_variable>
#include <mutex>

#include "hal/base/FatalError.h"
#include "hal/base/HALLock.h"
#include "hal/base/HALThread.h"
#include "hal/base/VMLock.h"
#include "lib_src/vm/VM.h"
#include "lib_src/vm/VMLiterals.h"
#include "lib_src/vm/VMMonitor.h"
#include "pb_src/j2me/java_lang_InterruptedException.h"
#include "pb_src/j2me/java_lang_Thread.h"

namespace {

int yieldDisabledDepth = 0;
std::atomic<bool> shutDown{false};
std::atomic<HALThread*> shutdownThread{nullptr};

VM* runtime() { return VM::instance(); }

// A thread that retakes the VM lock after shutdown gives it up and waits for ever.
[[noreturn]] void parkForever() {
    HAL_releaseVMLock();
    // Never destroyed: the exit destructor of a condition variable would wait for its waiters.
    static auto* never = new std::mutex();
    static auto* nothing = new std::condition_variable();
    std::unique_lock<std::mutex> guard(*never);
    for (;;) nothing->wait(guard);
}

uint32_t sleepLength(int64_t milliseconds) {
    return milliseconds >= 0xFFFFFFFF ? 0xFFFFFFFE : uint32_t(milliseconds);
}

}  // namespace

namespace vm {

VMPtr<java::lang::String> currentThreadName() {
    VMThread* thread = VMThread::currentThread();
    if (thread == nullptr || thread->javaThread == nullptr) {
        VM* vm = runtime();
        // Before the start-up thread has its Thread object it is still the "System" thread.
        return vm && thread && thread == vm->mainThread ? VMPtr<java::lang::String>::fromLiteral("System") : nullptr;
    }
    return thread->javaThread->getName();
}

}  // namespace vm

VMThread::~VMThread() { VMRefList::release(&stackList); }

VMThread* VMThread::attach() {
    auto* thread = new (_VM_allocate(sizeof(VMThread), true)) VMThread();
    thread->state = Running;
    thread->platformThread = HAL_getCurrentThread();
    thread->stackList.head = nullptr;
    HAL_setCurrentThreadData(1, thread);
    if (VM* vm = runtime()) vm->addThread(thread);
    makeCurrent(thread);
    return thread;
}

VMThread* VMThread::create(java::lang::Thread* javaThread) {
    void* block = _VM_allocate(sizeof(VMThread), true);
    void* pinBlock;
    try {
        pinBlock = _VM_allocate(sizeof(VMPtr<java::lang::Thread>), true);
    } catch (...) {
        _VM_free(block);
        throw;
    }
    auto* thread = new (block) VMThread();
    thread->state = Created;
    thread->javaThread = javaThread;
    VMRefList::init(&thread->stackList);
    thread->pin = new (pinBlock) VMPtr<java::lang::Thread>(VMNativeScope::instance(), javaThread);
    if (HAL_createThread(&thread->platformThread, &VMThread::threadEntry, thread) != 0)
        HAL_fatalError("Unable to create thread!");
    if (VM* vm = runtime()) vm->addThread(thread);
    return thread;
}

void VMThread::detach(VMThread* thread) {
    if (thread == nullptr) return;
    if (VM* vm = runtime()) {
        vm->removeThread(thread);
        if (vm->currentThread == thread) vm->currentThread = nullptr;
    }
    thread->releasePin();
    thread->~VMThread();
    _VM_free(thread);
}

void VMThread::destroy(VMThread* thread) {
    if (VM* vm = runtime()) vm->removeThread(thread);
    HAL_deleteThread(thread->platformThread);
    HAL_deleteLock(thread->sleepLock);
    thread->releasePin();
    thread->~VMThread();
    _VM_free(thread);
}

void VMThread::releasePin() {
    if (pin == nullptr) return;
    pin->~VMPtr<java::lang::Thread>();
    _VM_free(pin);
    pin = nullptr;
}

VMThread* VMThread::currentThread() {
    VM* vm = runtime();
    return vm ? vm->currentThread : nullptr;
}

int32_t VMThread::activeCount() {
    int32_t count = 0;
    if (VM* vm = runtime()) {
        for (VMList::Node* node = vm->threads.begin(); node; node = VMList::next(node))
            count += static_cast<VMThread*>(VMList::value(node))->isAlive();
    }
    return count;
}

bool VMThread::isReclaimable() const {
    // The platform thread must have left its body, or deleting the record would pull it
    // from under a thread that is still returning through it.
    return javaThread == nullptr && !isAlive() && (platformThread == nullptr || platformThread->finished);
}

void VMThread::start() {
    if (state != Created) return;
    state = Running;
    HAL_startThread(platformThread);
}

void VMThread::threadEntry(void* record) {
    if (record) static_cast<VMThread*>(record)->run();
}

void VMThread::run() {
    makeCurrent(this);
    try {
        try {
            javaThread->run();
        } catch (java::lang::Throwable* caught) {
            VMPtr<java::lang::Throwable> uncaught(caught);
            uncaught->printStackTrace();
        } catch (VMExitException* exit) {
            java::lang::Object::_VM_clearFresh(exit);  // collectable from now on
            if (VM* vm = runtime()) vm->exitRequested = true;
        }
    } catch (...) {
        HAL_fatalError("Unexpected exception in VMThread_run() #1!");
    }
    finish();
}

void VMThread::finish() {
    state = Finished;
    inFlight = nullptr;
    try {
        // Wakes the threads that wait on the Thread object for this thread to end.
        VM_SYNCHRONIZED(javaThread);
        javaThread->notifyAll();
    } catch (...) {
        HAL_fatalError("Unexpected exception in VMThread_run() #2!");
    }
    if (sleepLock) HAL_leaveLock(sleepLock);
    if (pin) pin->clear();
}

void VMThread::interrupt() {
    if (!isAlive()) return;
    interrupted = true;
    if (waitLock) HAL_notifyAllLock(waitLock);
}

void VMThread::cancel() {
    if (state & Running) HAL_cancelThread(platformThread);
}

void VMThread::checkInterrupted() {
    if (!interrupted) return;
    interrupted = false;
    vm::throwNew<java::lang::InterruptedException>();
}

void VMThread::makeCurrent(VMThread* thread) {
    if (VM* vm = runtime()) vm->currentThread = thread;
    if (thread) VMStackScope::setActiveList(&thread->stackList);
}

void VMThread::_VM_makeCurrent() {
    if (shutDown && HAL_getCurrentThread() != shutdownThread.load()) parkForever();
    makeCurrent(static_cast<VMThread*>(HAL_getCurrentThreadData()));
}

void VMThread::markShutdown() {
    shutdownThread = HAL_getCurrentThread();
    shutDown = true;
    disableYield();
}

bool VMThread::isShutdown() { return shutDown; }

void VMThread::yield() {
    if (yieldDisabled()) return;
    VMThread* me = currentThread();
    if (VM* vm = runtime()) vm->currentThread = nullptr;
    HAL_yield();
    makeCurrent(me);
}

void VMThread::handOver() {
    if (yieldDisabled()) return;
    VMThread* me = currentThread();
    if (VM* vm = runtime()) vm->currentThread = nullptr;
    HAL_handOverVMLock();
    makeCurrent(me);
}

void VMThread::sleep(int64_t milliseconds) {
    VMThread* me = currentThread();
    if (me == nullptr || me->state != Running) return;
    me->checkInterrupted();
    me->blockFor(milliseconds);
    me->checkInterrupted();
}

void VMThread::pause(int64_t milliseconds) {
    VMThread* me = currentThread();
    if (me != nullptr && me->state == Running) me->blockFor(milliseconds);
}

// Waits on the thread's own lock with the VM lock released; notify and interrupt end the
// wait early. 0 or less yields.
void VMThread::blockFor(int64_t milliseconds) {
    if (milliseconds <= 0) {
        yield();
        return;
    }
    if (sleepLock == nullptr && HAL_createLock(&sleepLock, 1) != 0)
        HAL_fatalError("HAL_createLock() failed in VMThread::sleep().");
    state = Waiting;
    waitLock = sleepLock;
    runtime()->currentThread = nullptr;
    HAL_waitLock(sleepLock, int64_t(sleepLength(milliseconds)));
    makeCurrent(this);
    state = Running;
    waitLock = nullptr;
}

void VMThread::wait(java::lang::Object* monitor, int64_t milliseconds) {
    VMThread* me = currentThread();
    if (me == nullptr || me->state != Running) return;
    me->checkInterrupted();
    const int32_t depth = monitor->count;
    monitor->count = 0;
    monitor->owner = nullptr;
    me->state = Waiting;
    me->waitLock = monitor->lock;
    runtime()->currentThread = nullptr;
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
    // After shutdown yielding stays disabled for good.
    if (yieldDisabledDepth > (shutDown ? 1 : 0)) --yieldDisabledDepth;
}

bool VMThread::yieldDisabled() { return yieldDisabledDepth > 0; }
