#pragma once

// Handles: the only way code holds a managed object.
//
// A VMPtr<T> names one object of class T (or null) and is registered in exactly one scope
// for its whole life: the stack scope by default (local handles), the instance scope for
// reference fields, the static scope for static fields, the native scope for handles the
// runtime keeps, the weak scope for weak references. Copies and moves are new stack-scope
// handles; assignment changes only the target. Handles live in intrusive lists, so they are
// never kept in containers that move them.

#include <concepts>
#include <cstddef>

#include "lib_src/vm/VMScope.h"

namespace java::lang {
class Object;
class String;
}

class VMRef {
public:
    virtual java::lang::Object* getObject() const = 0;
    virtual void clear() = 0;
    virtual bool isNull() const = 0;

    VMRef* next = nullptr;
    VMScope* const scope;

protected:
    explicit VMRef(VMScope* scope) : scope(scope) {}
    ~VMRef() = default;
    VMRef(const VMRef&) = delete;
    VMRef& operator=(const VMRef&) = delete;
};

template <typename T>
class VMPtr final : public VMRef {
public:
    using Target = T;

    VMPtr() : VMPtr(static_cast<T*>(nullptr)) {}
    VMPtr(std::nullptr_t) : VMPtr() {}
    // Local handles are the common case by far: they are pushed onto the running thread's
    // list inline.
    VMPtr(T* object) : VMRef(VMStackScope::instance()), target_(object) { pushLocal(); }
    VMPtr(VMScope* scope, T* object = nullptr) : VMRef(scope), target_(object) {
        if (scope == VMStackScope::instance()) pushLocal();
        else if (VMInstanceScope::kTracksFields || scope != VMInstanceScope::instance()) scope->registerRef(this);
    }

    VMPtr(const VMPtr& other) : VMPtr(other.target_) {}
    VMPtr(VMPtr&& other) : VMPtr(other.target_) {}
    // Converting from a handle of a subclass or of a class implementing interface T.
    template <typename U>
        requires(!std::same_as<U, T> && std::convertible_to<U*, T*>)
    VMPtr(const VMPtr<U>& other) : VMPtr(static_cast<T*>(other.get())) {}

    // A local handle released in reverse order of making (nearly always), or just before the
    // one made after it, is unlinked inline; a field handle of a release build is on no list.
    ~VMPtr() {
        if (scope == VMStackScope::instance()) {
            VMRefList* list = VMStackScope::activeList();
            if (list != nullptr && list->head == this) {
                list->head = next;
                next = nullptr;
                return;
            }
            // Second on the list: a handle made after this one (a returned copy) lives on.
            if (list != nullptr && list->head != nullptr && list->head->next == this) {
                list->head->next = next;
                next = nullptr;
                return;
            }
        } else if (!VMInstanceScope::kTracksFields && scope == VMInstanceScope::instance()) {
            return;
        }
        scope->unregisterRef(this);
    }

    // The interned String of a UTF-8 literal (null for a null text): the same object on
    // every use, held for the life of the process. Only String handles have it
    // (defined with the literal table).
    static VMPtr fromLiteral(const char* text);

    VMPtr& operator=(const VMPtr& other) {
        target_ = other.target_;
        return *this;
    }
    template <typename U>
        requires std::convertible_to<U*, T*>
    VMPtr& operator=(const VMPtr<U>& other) {
        target_ = other.get();
        return *this;
    }
    VMPtr& operator=(T* object) {
        target_ = object;
        return *this;
    }
    VMPtr& operator=(std::nullptr_t) {
        target_ = nullptr;
        return *this;
    }

    T* get() const { return target_; }
    T* operator->() const { return target_; }
    T& operator*() const { return *target_; }
    explicit operator bool() const { return target_ != nullptr; }

    java::lang::Object* getObject() const override { return target_; }
    void clear() override { target_ = nullptr; }
    bool isNull() const override { return target_ == nullptr; }

private:
    // The list links handles that live in different frames by design; g++ takes a handle
    // linked to a local one for a dangling pointer.
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdangling-pointer"
#endif
    void pushLocal() {
        VMRefList* list = VMStackScope::activeList();
        if (list == nullptr) VMStackScope::failWithoutThread(true);
        next = list->head;
        list->head = this;
    }
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic pop
#endif

    T* target_;
};

// Identity comparison of the objects two handles name.
inline bool operator==(const VMRef& a, const VMRef& b) { return a.getObject() == b.getObject(); }
inline bool vm_ref_not_equal(const VMRef& a, const VMRef& b) { return a.getObject() != b.getObject(); }
