#include "hal/base/HALThread.h"

#include "hal/base/FatalError.h"
#include "hal/base/HALResult.h"
#include "hal/base/VMCallbacks.h"
#include "hal/base/VMLock.h"

namespace {

thread_local HALThread* currentRecord = nullptr;
std::atomic<NativeThreadCreator> nativeThreadCreator{nullptr};

void* threadStart(void* parameter) {
    auto* record = static_cast<HALThread*>(parameter);
    {
        std::unique_lock<std::mutex> guard(record->gateMutex);
        record->gate.wait(guard, [&] { return record->resumed.load(); });
    }
    currentRecord = record;
    record->run();
    record->finished = true;
    return nullptr;
}

}  // namespace

void HALThread::run() {
    running = true;
    if (entry) {
        HAL_enterVMLock();
        HAL_vmCallbacks().makeCurrent();
        entry(data);
        // A thread never ends holding the VM lock, whatever depth its body left behind.
        HAL_releaseVMLock();
    }
    running = false;
}

int HAL_createThread(HALThread** out, HALThread::Entry entry, void* argument) {
    if (out == nullptr) return HAL_BAD_ARGUMENT;
    auto* record = new HALThread(entry, argument);
    NativeThreadCreator create = nativeThreadCreator.load();
    if (create == nullptr) create = pthread_create;
    if (create(&record->nativeThread, nullptr, threadStart, record) != 0) {
        delete record;
        *out = nullptr;
        return HAL_BAD_ARGUMENT;
    }
    record->ownsNativeThread = true;
    record->handle = static_cast<intptr_t>(record->nativeThread);
    *out = record;
    return HAL_OK;
}

void HAL_startThread(HALThread* thread) {
    if (thread == nullptr || thread->resumed) return;
    {
        std::lock_guard<std::mutex> guard(thread->gateMutex);
        thread->resumed = true;
    }
    thread->gate.notify_all();
}

void HAL_cancelThread(HALThread* thread) {
    if (thread) thread->cancelRequested = true;
}

void HAL_deleteThread(HALThread* thread) {
    if (thread == nullptr) return;
    if (!thread->finished) HAL_fatalError("HAL_deleteThread() called on thread that has not finished\n");
    if (thread->ownsNativeThread) pthread_join(thread->nativeThread, nullptr);
    delete thread;
}

int HAL_createMainThreadRecord(HALThread** out) {
    if (out == nullptr) return HAL_BAD_ARGUMENT;
    auto* record = new HALThread(nullptr, nullptr);
    record->handle = HALThread::kCurrentThreadPseudoHandle;
    record->resumed = true;
    record->running = true;
    currentRecord = record;
    *out = record;
    return HAL_OK;
}

void HAL_deleteMainThreadRecord(HALThread* thread) {
    if (thread == nullptr) return;
    if (currentRecord == thread) currentRecord = nullptr;
    delete thread;
}

void HAL_setNativeThreadCreator(NativeThreadCreator creator) { nativeThreadCreator = creator; }

HALThread* HAL_getCurrentThread() { return currentRecord; }

void* HAL_getCurrentThreadData() { return currentRecord ? currentRecord->data : nullptr; }

void HAL_setCurrentThreadData(int flag, void* value) {
    if (flag != 0 && currentRecord) currentRecord->data = value;
}

ThreadWaker& HAL_currentThreadWaker() {
    thread_local ThreadWaker ownWaker;
    return currentRecord ? currentRecord->waker : ownWaker;
}
