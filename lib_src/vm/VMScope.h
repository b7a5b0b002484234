#pragma once

// Scopes: where handles are registered. The collector's roots are the handles of the static
// scope, the native scope and every thread's stack list; instance-scope handles are reached
// through their owner's _VM_mark; weak-scope handles keep nothing alive and are cleared when
// their target is collected.
//
// Invariants: a handle is in exactly one scope list from the end of its constructor to the
// start of its destructor, and its scope never changes. Scopes are touched only by the
// thread that holds the VM lock.

#include <cstdint>

class VMRef;

// The singly linked list of one thread's stack handles, most recent first.
struct VMRefList {
    VMRef* head = nullptr;

    // Empties the list; makes it the active list when none is active yet.
    static void init(VMRefList* list);
    // Clears the active list when it is this one (thread teardown).
    static void release(VMRefList* list);
    // Removes the handle from the list; nothing when it is absent.
    static void unlink(VMRef** head, VMRef* ref);
};

class VMScope {
public:
    constexpr explicit VMScope(const char* name) : name(name) {}
    virtual void registerRef(VMRef* ref) = 0;
    virtual void unregisterRef(VMRef* ref) = 0;

    const char* const name;

protected:
    ~VMScope() = default;
};

// Local handles, on the list of the thread that currently runs managed code. The scope
// object and the active list are plain statics (constant-initialised, never destroyed), so
// that handles register inline without a call (see VMPtr).
class VMStackScope final : public VMScope {
public:
    void registerRef(VMRef* ref) override;
    void unregisterRef(VMRef* ref) override;

    static VMStackScope* instance() { return &instance_; }
    static VMRefList* activeList() { return activeList_; }
    static void setActiveList(VMRefList* list) { activeList_ = list; }
    // Fatal: a local handle made or released while no thread runs managed code.
    [[noreturn]] static void failWithoutThread(bool registering);

private:
    constexpr VMStackScope() : VMScope("stack scope") {}

    static VMStackScope instance_;
    static inline VMRefList* activeList_ = nullptr;
};

// Reference fields of objects: no list, reached through the owner's _VM_mark. Debug builds
// keep an index of the field handles so that the collector can check every _VM_mark;
// release builds keep nothing, so handles skip the calls (see VMPtr). Like the stack scope,
// the scope object is a constant-initialised static.
class VMInstanceScope final : public VMScope {
public:
    void registerRef(VMRef* ref) override;
    void unregisterRef(VMRef* ref) override;

    static VMInstanceScope* instance() { return &instance_; }
#ifdef NDEBUG
    static constexpr bool kTracksFields = false;
#else
    static constexpr bool kTracksFields = true;
#endif

    // Calls visit for every field handle that lies inside [begin, end) (debug builds only).
    template <typename Visit> static void forEachFieldIn(const void* begin, const void* end, Visit visit);
    static bool tracksFields();

private:
    constexpr VMInstanceScope() : VMScope("instance scope") {}
    static VMInstanceScope instance_;
    static void forEachFieldInImpl(const void* begin, const void* end, void (*visit)(VMRef*, void*), void* context);
};

template <typename Visit>
void VMInstanceScope::forEachFieldIn(const void* begin, const void* end, Visit visit) {
    forEachFieldInImpl(begin, end, [](VMRef* ref, void* context) { (*static_cast<Visit*>(context))(ref); }, &visit);
}

// Static fields, the runtime's own handles and weak handles: each keeps its own list.
class VMListScope : public VMScope {
public:
    void registerRef(VMRef* ref) override;
    void unregisterRef(VMRef* ref) override;

    VMRef* head = nullptr;

protected:
    explicit VMListScope(const char* name) : VMScope(name) {}
    ~VMListScope() = default;
};

// Every static reference field: a root. Built on first request and never destroyed, so
// exit destructors of static fields can still unregister.
class VMStaticScope final : public VMListScope {
public:
    static VMStaticScope* instance();

private:
    VMStaticScope() : VMListScope("static scope") {}
};

// The handles the runtime itself keeps (class records, interned literals, its threads): a root.
class VMNativeScope final : public VMListScope {
public:
    static VMNativeScope* instance();

private:
    VMNativeScope() : VMListScope("native scope") {}
};

// Weak handles: not a root; a collection clears those whose target it did not reach.
class VMWeakScope final : public VMListScope {
public:
    static VMWeakScope* instance();
    // Clears every handle whose target is not null and lacks the given flag (the
    // collector passes the kept flag: a handle stays while its target lives on).
    void clearUnreached(uint32_t flag);

private:
    VMWeakScope() : VMListScope("weak scope") {}
};
