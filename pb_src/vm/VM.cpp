#include "lib_src/vm/VM.h"

#include <algorithm>
#include <chrono>
#include <string>

#include "hal/base/FatalError.h"
#include "hal/base/Memory.h"
#include "lib_src/vm/VMHeap.h"
#include "lib_src/vm/VMObject.h"
#include "lib_src/vm/VMThread.h"
#include "pb_src/j2me/java_lang_Class.h"

using java::lang::Object;

VM::VM() = default;

VM::~VM() {
    if (current_ == this) current_ = nullptr;
}

void VM::linkObject(Object* object) {
    object->prev = nullptr;
    object->next = objects;
    if (objects) objects->prev = object;
    objects = object;
}

void VM::unlinkObject(Object* object) {
    if (object->prev) object->prev->next = object->next;
    else if (objects == object) objects = object->next;
    if (object->next) object->next->prev = object->prev;
    object->next = object->prev = nullptr;
}

void VM::addThread(VMThread* thread) { threads.pushFront(thread); }

void VM::removeThread(VMThread* thread) { threads.remove(thread); }

size_t VM::objectCount() const {
    size_t count = 0;
    for (Object* object = objects; object; object = object->next) ++count;
    return count;
}

void VM::collect() {
    if (phase < kCollectingPhase) return;
    const auto began = std::chrono::steady_clock::now();
    VMThread::disableYield();
    finalizePending = false;
    mark();
    sweep();
    _VM_platformCompact();
    ++collections;
    const auto pause = std::chrono::steady_clock::now() - began;
    lastPauseNanos_ = uint64_t(std::chrono::duration_cast<std::chrono::nanoseconds>(pause).count());
    longestPauseNanos_ = std::max(longestPauseNanos_, lastPauseNanos_);
    if (finalizePending && finalizer) finalizer->wake();
    VMThread::enableYield();
    if (finalizePending) runFinalizer();
}

// Starts the finalizer the first time there is work, then lets it run.
void VM::runFinalizer() {
    if (finalizerStartPending && finalizer) {
        finalizerStartPending = false;
        finalizer->start();
    }
    VMThread::yield();
}

void VM::pushMark(Object* object, uint32_t flags) { markStack_.emplace_back(object, flags); }

void VM::drainMarkStack() {
    while (!markStack_.empty()) {
        auto [object, flags] = markStack_.back();
        markStack_.pop_back();
        object->_VM_mark(flags);
    }
}

// The list walks are bound by memory latency: while one object is handled, the header of
// the one after the next is fetched.
static void prefetchFollowing(Object* object) {
    if (Object* next = object->next) __builtin_prefetch(next->next, 1);
}

static void markList(VMRef* head, uint32_t flags) {
    for (VMRef* ref = head; ref; ref = ref->next) {
        if (Object* target = ref->getObject()) Object::_VM_mark(target, flags);
    }
}

void VM::markRoots(uint32_t flags) {
    markList(VMNativeScope::instance()->head, flags);
    markList(VMStaticScope::instance()->head, flags);
    for (VMList::Node* node = threads.begin(); node; node = VMList::next(node))
        markList(static_cast<VMThread*>(VMList::value(node))->stackList.head, flags);
    drainMarkStack();
}

void VM::mark() {
    bool anyAwaiting = false, anyFresh = false;
    for (Object* object = objects; object; object = object->next) {
        prefetchFollowing(object);
        object->flags &= ~(Object::kReached | Object::kKept);
        anyAwaiting |= (object->flags & Object::kAwaitingFinalization) != 0;
        anyFresh |= (object->flags & Object::kFresh) != 0;
    }
    markRoots(Object::kReached | Object::kKept);
    if (anyAwaiting || anyFresh) {
        finalizePending = anyAwaiting;
        // Unreached objects that are fresh or await finalisation are kept with everything
        // they reference, without the reached bit.
        for (Object* object = objects; object; object = object->next) {
            if (!(object->flags & Object::kReached) && (object->flags & (Object::kAwaitingFinalization | Object::kFresh))) {
                Object::_VM_mark(object, Object::kKept);
                drainMarkStack();
            }
        }
    }
    checkMarkedFields();
}

// Debug builds: every reference field of a kept object must point at a kept object; a
// field that does not was left out of its class's _VM_mark.
void VM::checkMarkedFields() {
    if (!VMInstanceScope::tracksFields()) return;
    for (Object* object = objects; object; object = object->next) {
        if (!(object->flags & Object::kKept)) continue;
        const void* begin = dynamic_cast<const void*>(object);
        const void* end = static_cast<const char*>(begin) + _VM_blockSize(begin) - kHeapBlockHeader;
        VMInstanceScope::forEachFieldIn(begin, end, [object](VMRef* field) {
            Object* target = field->getObject();
            if (target && !(target->flags & Object::kKept)) {
                java::lang::Class* record = object->getClass();
                std::string message = "A reference field of ";
                message += record ? record->name.c_str() : "an unregistered class";
                message += " is missing from its _VM_mark.";
                HAL_fatalError(message.c_str());
            }
        });
    }
}

void VM::sweep() {
    // A weak handle is cleared only when its target goes: objects kept without being
    // reached (fresh, or awaiting finalisation) keep their weak handles too.
    VMWeakScope::instance()->clearUnreached(Object::kKept);
    for (Object* object = objects; object;) {
        Object* next = object->next;
        prefetchFollowing(object);
        if (!(object->flags & Object::kKept)) delete object;
        object = next;
    }
    sweepThreadRecords();
}

// Clears every record's out-of-memory flag and deletes the records whose Thread is gone and
// whose platform thread has exited (a record whose thread is still on its way out waits
// for a later sweep).
void VM::sweepThreadRecords() {
    for (bool deleted = true; deleted;) {
        deleted = false;
        for (VMList::Node* node = threads.begin(); node; node = VMList::next(node)) {
            auto* thread = static_cast<VMThread*>(VMList::value(node));
            thread->oomFlag = false;
            if (thread->isReclaimable()) {
                VMThread::destroy(thread);
                deleted = true;
                break;
            }
        }
    }
}
