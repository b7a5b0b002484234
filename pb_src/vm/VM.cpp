#include "lib_src/vm/VM.h"

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <string>

#include "hal/base/FatalError.h"
#include "hal/base/Memory.h"
#include "lib_src/vm/VMClass.h"
#include "lib_src/vm/VMHeap.h"
#include "lib_src/vm/VMObject.h"
#include "lib_src/vm/VMThread.h"
#include "pb_src/j2me/java_lang_Class.h"

using java::lang::Object;

VMObjectTable::~VMObjectTable() { std::free(entries_); }

void VMObjectTable::grow() {
    const size_t capacity = capacity_ == 0 ? 4096 : capacity_ * 2;
    auto* entries = static_cast<Object**>(std::realloc(entries_, capacity * sizeof(Object*)));
    if (entries == nullptr) HAL_fatalError("Ran out of memory for the table of objects!");
    entries_ = entries;
    capacity_ = capacity;
}

void VMObjectTable::dropFront(size_t count) {
    if (count > 0) std::memmove(entries_, entries_ + count, (size_ - count) * sizeof(Object*));
    size_ -= count;
    if (capacity_ > 4096 && size_ < capacity_ / 4) {
        const size_t capacity = std::max<size_t>(4096, size_ * 2);
        if (auto* entries = static_cast<Object**>(std::realloc(entries_, capacity * sizeof(Object*)))) {
            entries_ = entries;
            capacity_ = capacity;
        }
    }
}

VM::VM() = default;

VM::~VM() {
    if (current_ == this) current_ = nullptr;
}

void VM::unlinkObject(Object* object) {
    if (object->prev) object->prev->next = object->next;
    else if (objects == object) objects = object->next;
    if (object->next) object->next->prev = object->prev;
    object->next = object->prev = nullptr;
    if (sweepEntry_ != kNotSweeping && table_[sweepEntry_] == object) {
        table_[sweepEntry_] = nullptr;
        return;
    }
    // Outside the sweep only a construction that failed ends an object: it is one of the
    // newest, so the search starts at the end.
    for (size_t i = table_.size(); i-- > 0;) {
        if (table_[i] != object) continue;
        if (i + 1 == table_.size()) table_.popBack();
        else table_[i] = nullptr;
        return;
    }
}

void VM::addThread(VMThread* thread) { threads.pushFront(thread); }

void VM::removeThread(VMThread* thread) { threads.remove(thread); }

size_t VM::objectCount() const {
    size_t count = 0;
    for (Object* object : table_) count += object != nullptr;
    return count;
}

void VM::collect() {
    if (phase < kCollectingPhase) return;
    const auto began = std::chrono::steady_clock::now();
    VMThread::disableYield();
    finalizePending = false;
    vm::MarkQueue::setActive(true);
    mark();
    vm::MarkQueue::setActive(false);
    _VM_platformSweepBegins();
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

static constexpr size_t kStackFetchAhead = 8;

void VM::pushMark(Object* object, uint32_t flags) { markStack_.emplace_back(object, flags); }

void VM::drainMarkStack() {
    do {
        while (!markStack_.empty()) {
            // An entry a few below the top is popped soon (each popped object pushes only
            // what it newly reaches): its object and the line before it are fetched now.
            if (markStack_.size() > kStackFetchAhead) {
                Object* soon = markStack_[markStack_.size() - 1 - kStackFetchAhead].first;
                __builtin_prefetch(soon);
                __builtin_prefetch(reinterpret_cast<char*>(soon) - 64);
            }
            auto [object, flags] = markStack_.back();
            markStack_.pop_back();
            object->_VM_mark(flags);
        }
    } while (vm::MarkQueue::markOldest());
}

// The walks over every object are bound by memory latency: while one object is handled,
// the object this many entries further on in the table is fetched.
static constexpr size_t kFetchAhead = 16;

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
    uint32_t seen = 0;
    Object* const* entries = table_.begin();
    const size_t count = table_.size();
    for (size_t i = 0; i < count; ++i) {
        if (i + kFetchAhead < count) __builtin_prefetch(entries[i + kFetchAhead], 1);
        Object* object = entries[i];
        if (object == nullptr) continue;
        seen |= object->flags;
        object->flags &= ~(Object::kReached | Object::kKept);
    }
    const bool anyAwaiting = (seen & Object::kAwaitingFinalization) != 0;
    const bool anyFresh = (seen & Object::kFresh) != 0;
    markRoots(Object::kReached | Object::kKept);
    if (anyAwaiting || anyFresh) {
        finalizePending = anyAwaiting;
        // Unreached objects that are fresh or await finalisation are kept with everything
        // they reference, without the reached bit.
        for (size_t i = table_.size(); i-- > 0;) {
            Object* object = table_[i];
            if (object == nullptr) continue;
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
    // Newest first, as the list runs. Survivors move up to fill the entries of the deleted,
    // keeping their order; objects a destructor makes are appended after them.
    const size_t count = table_.size();
    size_t kept = count;
    for (size_t i = count; i-- > 0;) {
        // The object part and, for small objects, the start of the block before it; an
        // empty entry (a construction that failed) has nothing to fetch.
        if (Object* ahead = i >= kFetchAhead ? table_[i - kFetchAhead] : nullptr) {
            __builtin_prefetch(ahead, 1);
            __builtin_prefetch(reinterpret_cast<char*>(ahead) - 64, 1);
        }
        Object* object = table_[i];
        if (object == nullptr) continue;
        if (object->flags & Object::kKept) {
            table_[--kept] = object;
            continue;
        }
        sweepEntry_ = i;
        delete object;
    }
    sweepEntry_ = kNotSweeping;
    table_.dropFront(kept);
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
