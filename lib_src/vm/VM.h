#pragma once

// The runtime object: the list of all live objects, the thread records, the current
// thread, the start-up phase and the collector.
//
// Collector guarantees: an object survives a collection when a handle of a root scope (the
// static scope, the native scope, any thread's stack list) reaches it through handles and
// _VM_mark operations, or when it is fresh or awaiting finalisation (then with everything
// it references). Every other object is deleted in the same collection, cycles included;
// weak handles to deleted objects are cleared first. Marking uses an explicit stack, so deep
// structures do not exhaust the native stack. Collections do nothing before phase 12.
//
// Beside the list of all objects (newest first, through each object's next and prev) the
// runtime keeps a table of the same objects, oldest first. The collector's walks over
// every object go through the table: its entries lie side by side, so objects far ahead
// are fetched while one is handled, where the list would only give up one object at a
// time. Both hold the same objects in the same order; an entry of an object that went
// outside a sweep (a construction that failed) is null until the next sweep packs it.

#include <cstdint>
#include <cstddef>
#include <utility>
#include <vector>

#include "lib_src/vm/VMFinalizer.h"
#include "lib_src/vm/VMList.h"

namespace java::lang {
class Object;
}
struct VMThread;

struct VMCallbacks;

// The table of all objects, oldest first: a plain array that doubles when full. Adding is
// inline; growing, which doubling makes rare, is not.
class VMObjectTable {
public:
    VMObjectTable() = default;
    ~VMObjectTable();
    VMObjectTable(const VMObjectTable&) = delete;
    VMObjectTable& operator=(const VMObjectTable&) = delete;

    void push(java::lang::Object* object) {
        if (size_ == capacity_) [[unlikely]] grow();
        entries_[size_++] = object;
    }
    void popBack() { --size_; }
    // Drops the first count entries, moving the rest to the front; gives memory back when
    // the table is mostly empty.
    void dropFront(size_t count);
    java::lang::Object*& operator[](size_t index) { return entries_[index]; }
    java::lang::Object* const* begin() const { return entries_; }
    java::lang::Object* const* end() const { return entries_ + size_; }
    size_t size() const { return size_; }

private:
    void grow();

    java::lang::Object** entries_ = nullptr;
    size_t size_ = 0;
    size_t capacity_ = 0;
};
struct HALThread;

class VM {
public:
    static constexpr int32_t kCollectingPhase = 12;

    VM();
    ~VM();

    // The process-wide runtime; null before it is created and after it is destroyed.
    static VM* instance() { return current_; }
    static void setInstance(VM* vm) { current_ = vm; }

    void linkObject(java::lang::Object* object);
    void unlinkObject(java::lang::Object* object);
    void addThread(VMThread* thread);
    void removeThread(VMThread* thread);

    // The callback table through which the platform reaches the runtime: create and start,
    // deliver an event, yield, make current, collect, destroy.
    static VMCallbacks callbacks();

    // Boots the runtime on the calling thread, which holds the VM lock: the heap, events and
    // literals, the thread record, the class registrations, the core classes, the "System"
    // thread and the finalizer, a first collection, then the boot class's static main.
    int start(uint64_t initialLimit, uint64_t ceiling, HALThread* platformThread, const char* bootClassName,
              void* mainArgument);
    // Asks every other thread to stop, waiting in bounded steps (250 ms, 250 ms after an
    // interrupt, 100 ms after a cancel), then stops the heap. Threads still running park
    // for ever when they next take the VM lock.
    void stopThreads();
    // The runtime's own listener: the exit event sets exitRequested.
    static int onExitEvent(int type, int a, void* b);

    // One collection cycle.
    void collect();
    // The wall time of the last collection and of the longest so far, in nanoseconds: mark,
    // sweep and the platform's compaction, while every other thread of the program waits.
    uint64_t lastPauseNanos() const { return lastPauseNanos_; }
    uint64_t longestPauseNanos() const { return longestPauseNanos_; }
    // Queues an object whose flags were just set, for the mark pass to trace.
    void pushMark(java::lang::Object* object, uint32_t flags);

    size_t objectCount() const;

    VMThread* currentThread = nullptr;
    VMThread* mainThread = nullptr;
    int32_t phase = 0;
    uint32_t collections = 0;
    bool finalizePending = false;
    bool finalizerStartPending = false;
    bool exitRequested = false;
    java::lang::Object* objects = nullptr;
    VMList threads;
    // The start-up thread's Thread ("System") and the finalizer.
    VMPtr<java::lang::Thread> systemThread{VMNativeScope::instance()};
    VMPtr<com::kelvane::ostrel::vm::Finalizer> finalizer{VMNativeScope::instance()};

private:
    void mark();
    void markRoots(uint32_t flags);
    void drainMarkStack();
    void sweep();
    void sweepThreadRecords();
    void runFinalizer();
    void bootPhases(uint64_t initialLimit, uint64_t ceiling);
    void initializeCoreClasses();
    void createRuntimeThreads();
    int runBootClass(const char* bootClassName, void* mainArgument);
    // Sleeps 20 ms at a time while another thread is alive, for at most `milliseconds`.
    bool waitForOtherThreads(uint32_t milliseconds);
    void forEachOtherThread(void (*action)(VMThread*));
    void checkMarkedFields();

    std::vector<std::pair<java::lang::Object*, uint32_t>> markStack_;
    uint64_t lastPauseNanos_ = 0;
    uint64_t longestPauseNanos_ = 0;
    VMObjectTable table_;
    // While the sweep deletes an object: its table entry (the object's unlink clears it
    // there without a search); kNotSweeping otherwise.
    static constexpr size_t kNotSweeping = SIZE_MAX;
    size_t sweepEntry_ = kNotSweeping;
    static inline VM* current_ = nullptr;
};

// Inline: every object's construction links it.
inline void VM::linkObject(java::lang::Object* object) {
    object->prev = nullptr;
    object->next = objects;
    if (objects) objects->prev = object;
    objects = object;
    table_.push(object);
}
