#pragma once

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <pthread.h>

#include "hal/base/ThreadWaker.h"

// The platform's record of a thread that runs managed code, the UI thread included.
// A new thread is created suspended: its POSIX thread exists at once but waits at a start
// gate until the record is resumed. Each thread finds its own record through one
// thread-local slot. A record is deleted only after its thread has finished; deleting it
// joins the POSIX thread, so no record is freed while its thread may still touch it.
struct HALThread {
    using Entry = void (*)(void*);

    // Pseudo handle of a record that describes the calling thread instead of owning one.
    static constexpr intptr_t kCurrentThreadPseudoHandle = 65;

    HALThread(Entry entry, void* data) : entry(entry), data(data) {}

    // Runs the entry under the VM lock (taken, then the make-current callback).
    void run();

    pthread_t nativeThread{};
    bool ownsNativeThread = false;
    intptr_t handle = -1;

    std::atomic<bool> resumed{false};
    std::atomic<bool> running{false};
    std::atomic<bool> cancelRequested{false};
    std::atomic<bool> finished{false};

    Entry entry;
    void* data;  // the runtime keeps its thread object here

    ThreadWaker waker;  // the sleeping flag

    // Start gate of a suspended thread.
    std::mutex gateMutex;
    std::condition_variable gate;
};

// Creates a suspended thread that will run entry(argument). Returns 0 and the record, or
// 2 (record freed, out set to null) when the system cannot create the thread.
int HAL_createThread(HALThread** out, HALThread::Entry entry, void* argument);
// Resumes the thread the first time only. Null-safe.
void HAL_startThread(HALThread* thread);
// Marks the thread as asked to stop. Null-safe; nothing in this layer reads the flag.
void HAL_cancelThread(HALThread* thread);
// Frees the record of a finished thread (joining its POSIX thread). Deleting a record whose
// thread has not finished is a fatal error. Null-safe.
void HAL_deleteThread(HALThread* thread);

// Record for the calling thread (the UI thread at start-up): no entry, the pseudo handle,
// stored in the thread-local slot. Returns 0, or 2 when out is null.
int HAL_createMainThreadRecord(HALThread** out);
// Frees a record made by HAL_createMainThreadRecord and clears the slot. Null-safe.
void HAL_deleteMainThreadRecord(HALThread* thread);

HALThread* HAL_getCurrentThread();
void* HAL_getCurrentThreadData();
void HAL_setCurrentThreadData(int flag, void* value);

// Replaces pthread_create for the threads HAL_createThread makes (null restores it), so
// tests can make thread creation fail.
using NativeThreadCreator = int (*)(pthread_t*, const pthread_attr_t*, void* (*)(void*), void*);
void HAL_setNativeThreadCreator(NativeThreadCreator creator);

// The calling thread's sleeping flag: its record's, or a private one for a thread that has
// no record.
ThreadWaker& HAL_currentThreadWaker();
