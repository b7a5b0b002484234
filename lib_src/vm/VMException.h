#pragma once

// The bridge between managed exceptions and C++ exceptions.
//
// A managed exception is thrown as a pointer typed by the object's own class, through the
// virtual _VM_throw that every throwable class overrides (VM_THROWABLE). Every handler for
// that class or one of its bases catches it, also when it is thrown again from a variable
// of a base type. While it unwinds, the object is kept reachable by the throwing thread's
// in-flight handle until the next throw replaces it or the thread ends, so a collection
// during unwinding cannot free it.
//
//     try { ... } catch (java::io::IOException* caught) { VMPtr<java::io::IOException> e(caught); ... }

#include "lib_src/vm/VMClass.h"

class VMException : public virtual java::lang::Object {
public:
    [[noreturn]] virtual void _VM_throw() = 0;
};

// Ends the thread that throws it: no managed handler catches it (it is no Throwable); the
// thread body does, quietly. It stays fresh (kept by every collection) until caught.
class VMExitException : public VMException {
public:
    static VMExitException* create(int32_t status);
    [[noreturn]] void _VM_throw() override { throw this; }

    const int32_t status;

private:
    explicit VMExitException(int32_t status) : status(status) {}
};

namespace java::lang {
class Throwable;
}

namespace vm {

// Keeps the exception being thrown reachable (the current thread's in-flight handle).
void setInFlight(java::lang::Throwable* exception);
java::lang::Throwable* inFlight();

// Creates an exception of class E with the given constructor arguments and makes it the
// in-flight exception; returns it once its local handle has ended.
template <typename E, typename... Args>
[[gnu::noinline]] E* newInFlight(Args&&... args) {
    VMPtr<E> exception = E::_VM_new();
    exception->_VM_init(static_cast<Args&&>(args)...);
    setInFlight(exception.get());
    return exception.get();
}

// Creates an exception of class E with the given constructor arguments and throws it.
// E is the object's own class, so it is thrown as E* right here (what its _VM_throw does)
// rather than through the virtual call. The throw itself is inlined into the caller and the
// object is made by a call that has returned: the unwinder walks the same frames as for a
// plain C++ throw from the caller, which is most of a throw's cost.
template <typename E, typename... Args>
[[noreturn, gnu::always_inline]] inline void throwNew(Args&&... args) {
    E* thrown = newInFlight<E>(static_cast<Args&&>(args)...);
    throw thrown;
}

}  // namespace vm

// The members of a throwable class: those of VM_CLASS and the throw by its own class.
#define VM_THROWABLE(Self, Super)                \
    VM_CLASS(Self, Super)                        \
    [[noreturn]] void _VM_throw() override {     \
        ::vm::setInFlight(this);                 \
        throw this;                              \
    }                                            \
                                                 \
public:

// A throwable class that differs from its base only in name: the () and (String) bodies.
#define VM_EXCEPTION_CLASS(Self, Super)                                                        \
    class Self : public Super {                                                                \
        VM_THROWABLE(Self, Super)                                                              \
        VMPtr<Self> _VM_init() {                                                               \
            Super::_VM_init();                                                                 \
            return this;                                                                       \
        }                                                                                      \
        VMPtr<Self> _VM_init(VMPtr<::java::lang::String> message) {                            \
            Super::_VM_init(message);                                                          \
            return this;                                                                       \
        }                                                                                      \
    };
