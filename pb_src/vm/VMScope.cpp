#include "lib_src/vm/VMScope.h"

#include <map>

#include "hal/base/FatalError.h"
#include "lib_src/vm/VMObject.h"
#include "lib_src/vm/VMPtr.h"

namespace {

#ifndef NDEBUG
// Field handles by address, so that the collector can find the fields inside an object.
std::map<const void*, VMRef*>& fieldIndex() {
    static auto* index = new std::map<const void*, VMRef*>();
    return *index;
}
#endif

}  // namespace

void VMRefList::init(VMRefList* list) {
    list->head = nullptr;
    if (VMStackScope::activeList() == nullptr) VMStackScope::setActiveList(list);
}

void VMRefList::release(VMRefList* list) {
    if (VMStackScope::activeList() == list) VMStackScope::setActiveList(nullptr);
}

void VMRefList::unlink(VMRef** head, VMRef* ref) {
    for (VMRef** link = head; *link != nullptr; link = &(*link)->next) {
        if (*link == ref) {
            *link = ref->next;
            ref->next = nullptr;
            return;
        }
    }
}

constinit VMStackScope VMStackScope::instance_;

void VMStackScope::failWithoutThread(bool registering) {
    // A local handle belongs to the thread that runs managed code; without one it would be
    // on no root list and its object could be collected under it.
    HAL_fatalError(registering ? "A local handle was made while no thread runs managed code."
                               : "A local handle was released while no thread runs managed code.");
}

void VMStackScope::registerRef(VMRef* ref) {
    VMRefList* list = activeList_;
    if (list == nullptr) failWithoutThread(true);
    ref->next = list->head;
    list->head = ref;
}

void VMStackScope::unregisterRef(VMRef* ref) {
    VMRefList* list = activeList_;
    if (list == nullptr) failWithoutThread(false);
    if (list->head == ref) {
        list->head = ref->next;
        ref->next = nullptr;
        return;
    }
    VMRefList::unlink(&list->head, ref);
}

constinit VMInstanceScope VMInstanceScope::instance_;

void VMInstanceScope::registerRef(VMRef* ref) {
#ifndef NDEBUG
    fieldIndex()[ref] = ref;
#else
    (void)ref;
#endif
}

void VMInstanceScope::unregisterRef(VMRef* ref) {
#ifndef NDEBUG
    fieldIndex().erase(ref);
#else
    (void)ref;
#endif
}

bool VMInstanceScope::tracksFields() { return kTracksFields; }

void VMInstanceScope::forEachFieldInImpl(const void* begin, const void* end, void (*visit)(VMRef*, void*),
                                         void* context) {
#ifndef NDEBUG
    auto& index = fieldIndex();
    for (auto it = index.lower_bound(begin); it != index.end() && it->first < end; ++it) visit(it->second, context);
#else
    (void)begin, (void)end, (void)visit, (void)context;
#endif
}

void VMListScope::registerRef(VMRef* ref) {
    ref->next = head;
    head = ref;
}

void VMListScope::unregisterRef(VMRef* ref) { VMRefList::unlink(&head, ref); }

// Built on first request and never destroyed: exit destructors of static fields still
// unregister from them.
VMStaticScope* VMStaticScope::instance() {
    static VMStaticScope* scope = new VMStaticScope();
    return scope;
}

VMNativeScope* VMNativeScope::instance() {
    static VMNativeScope* scope = new VMNativeScope();
    return scope;
}

VMWeakScope* VMWeakScope::instance() {
    static VMWeakScope* scope = new VMWeakScope();
    return scope;
}

void VMWeakScope::clearUnreached(uint32_t flag) {
    for (VMRef* ref = head; ref; ref = ref->next) {
        java::lang::Object* target = ref->getObject();
        if (target && !(target->flags & flag)) ref->clear();
    }
}
