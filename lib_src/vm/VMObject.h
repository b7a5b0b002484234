#pragma once

// java::lang::Object: the header of every managed object.
//
// Every managed class and interface derives from it virtually, so each object has exactly
// one Object part. Objects live on the runtime heap (VMHeap.h), are linked into the
// runtime's list of all objects from construction to destruction, and are never freed by
// hand: the collector deletes them once no registered handle reaches them.
//
// Flag word: bit 1 reached from a root in the current collection, bit 2 kept (marked), bit 4
// awaiting finalisation, bit 8 finalised, bit 16 fresh (allocated, not yet held by a
// handle; fresh objects survive collections). An object is born with 17.

#include <cstddef>
#include <cstdint>
#include <new>

#include "lib_src/vm/VMPtr.h"

class HALLock;
struct VMThread;

namespace java::lang {

class Class;
class String;

class Object {
public:
    static constexpr uint32_t kReached = 1;
    static constexpr uint32_t kKept = 2;
    static constexpr uint32_t kAwaitingFinalization = 4;
    static constexpr uint32_t kFinalized = 8;
    static constexpr uint32_t kFresh = 16;

    Object();
    virtual ~Object();

    virtual int32_t hashCode();
    virtual bool equals(VMPtr<Object> other);
    virtual VMPtr<String> toString();
    virtual void finalize() {}
    // Marks every reference the object holds (Object::_VM_mark on each target).
    virtual void _VM_mark(uint32_t flags) {}
    virtual Class* getClass();

    // Monitor operations (VMMonitor.h): the caller must own the monitor.
    void wait(int64_t milliseconds);
    void wait() { wait(0); }
    void notify();
    void notifyAll();

    // Marks an object for the collector: nothing when it is already kept; otherwise ORs the
    // flags in and queues the object so that its own references are marked in turn.
    static void _VM_mark(Object* object, uint32_t flags);
    static void _VM_clearFresh(Object* object) { object->flags &= ~kFresh; }

    // Objects are made only by the runtime: allocated with _VM_allocate and constructed in
    // place, deleted by the collector (their block goes back through _VM_free).
    static void* operator new(size_t, void* place) noexcept { return place; }
    static void operator delete(void*, void*) noexcept {}
    static void* operator new(size_t) = delete;
    static void operator delete(void* block);

    // The generated members of Object itself.
    static Class* _VM_classRecord;
    static void _VM_registerClass();
    static Class* _VM_getClass() { return _VM_classRecord; }
    static VMPtr<Object> _VM_new();
    static VMPtr<Object> _VM_newInstance();
    VMPtr<Object> _VM_init() { return this; }

    // The flag word first: the collector's walks and marks read it beside the object's
    // vtable pointer, on the same cache line.
    uint32_t flags = kFresh | kReached;
    int32_t count = 0;
    Object* next = nullptr;
    Object* prev = nullptr;
    VMThread* owner = nullptr;
    HALLock* lock = nullptr;
};

}  // namespace java::lang
