#pragma once

// The generated class pattern: the members every managed class carries, written once.
//
// A managed class reads like the class it implements:
//
//     namespace demo {
//     class Point : public java::lang::Object {          // or another managed base
//         VM_CLASS(Point, java::lang::Object)
//     public:
//         VMPtr<Point> _VM_init(int32_t x);               // source constructor bodies
//         void _VM_mark(uint32_t flags) override;         // one line per reference field
//         VMPtr<java::lang::String> label{vmField()};     // reference fields: instance scope
//         int32_t x = 0;                                  // primitive fields: always set
//     };
//     }
//     // in the .cpp:
//     VM_DEFINE_CLASS(demo::Point, "demo.Point", "java.lang.Object", VM_NO_CLINIT)
//
// The allocation-time constructor stays empty (fields only); _VM_init overloads are the
// source constructors, so virtual calls made from them reach subclass overrides. _VM_new
// allocates on the runtime heap and constructs in place; _VM_newInstance is the reflective
// factory (made only for concrete classes with an argument-less _VM_init). Abstract classes
// use VM_ABSTRACT_CLASS, interfaces VM_INTERFACE; a class with a static initialiser passes
// &Class::_VM_clinit instead of VM_NO_CLINIT; VM_IMPLEMENTS registers an interface; static
// reference fields are VMPtr handles constructed with VMStaticScope::instance().
//
// _VM_mark calls the superclass's _VM_mark first, then vmMarkField on each reference
// field. Debug builds check after every mark pass that no field of a kept object was missed.

#include <cstdint>
#include <type_traits>
#include <typeinfo>

#include "lib_src/vm/VMClassRegistry.h"
#include "lib_src/vm/VMHeap.h"
#include "lib_src/vm/VMObject.h"

namespace java::lang {
class Class;
}

enum class VMClassKind { Concrete, Abstract, Interface };

namespace vm {

void emptyClinit();

// The class record's constructor, reached without including the Class header here. The
// source file is named after the class unless sourceName (a file name without folder, such
// as "java_util_Vector") names the file of another class that the class is compiled with.
java::lang::Class* createClassRecord(const char* name, const char* superName, void (*clinit)(),
                                     VMPtr<java::lang::Object> (*factory)(), VMClassKind kind,
                                     const char* sourceName = nullptr);
void ensureInitialized(java::lang::Class* record);
[[noreturn]] void fatalUnregistered(const char* what);

// Allocates and constructs an object of class T in place; the caller's handle holds it
// before its fresh mark is cleared.
template <typename T, typename... Args>
VMPtr<T> newObject(java::lang::Class* record, Args&&... args) {
    if (record == nullptr) fatalUnregistered(typeid(T).name());
    ensureInitialized(record);
    void* block = _VM_allocate(sizeof(T), true);
    T* object;
    try {
        object = new (block) T(static_cast<Args&&>(args)...);
    } catch (...) {
        _VM_free(block);
        throw;
    }
    VMPtr<T> handle(object);
    java::lang::Object::_VM_clearFresh(object);
    return handle;
}

template <typename T>
concept HasDefaultInit = requires(T& object) { object._VM_init(); };

template <typename T> VMPtr<java::lang::Object> newInstance() {
    if constexpr (HasDefaultInit<T>) {
        VMPtr<T> object = T::_VM_new();
        object->_VM_init();
        return object;
    } else {
        return nullptr;
    }
}

template <typename T> constexpr VMPtr<java::lang::Object> (*factoryOf())() {
    if constexpr (HasDefaultInit<T>) return &T::_VM_newInstance;
    else return nullptr;
}

// Marks the target of a reference field (nothing for null).
inline void markField(const VMRef& field, uint32_t flags) {
    if (!field.isNull()) java::lang::Object::_VM_mark(field.getObject(), flags);
}

// While the collector marks, typed fields and reference-array elements go through a short
// queue: each target is fetched when it joins and marked (Object::_VM_mark) when
// kQueueLength others have joined after it, so that the collector waits for many objects
// at once instead of one after the other. The collector empties the queue before its mark
// pass ends; outside a mark pass targets are marked at once.
class MarkQueue {
public:
    static constexpr uint32_t kQueueLength = 16;

    template <typename T> static void add(T* target, uint32_t flags) {
        if (!active_) {
            java::lang::Object::_VM_mark(target, flags);
            return;
        }
        if (count_ == kQueueLength) markOldest();
        // The target's first line and the next: the vtable pointer and, for small objects,
        // the flag word of the Object part.
        __builtin_prefetch(target, 1);
        __builtin_prefetch(reinterpret_cast<const char*>(target) + 64, 1);
        entries_[(head_ + count_) % kQueueLength] = {target, &markAs<T>, flags};
        ++count_;
    }
    // Marks the oldest queued target; false when the queue is empty.
    static bool markOldest() {
        if (count_ == 0) return false;
        const Entry entry = entries_[head_];
        head_ = (head_ + 1) % kQueueLength;
        --count_;
        entry.mark(entry.target, entry.flags);
        return true;
    }
    static void setActive(bool active) { active_ = active; }

private:
    struct Entry {
        void* target;
        void (*mark)(void*, uint32_t);
        uint32_t flags;
    };
    // The conversion to Object reads the target's vtable pointer: it waits until here.
    template <typename T> static void markAs(void* target, uint32_t flags) {
        java::lang::Object::_VM_mark(static_cast<T*>(target), flags);
    }

    static inline Entry entries_[kQueueLength] = {};
    static inline uint32_t head_ = 0;
    static inline uint32_t count_ = 0;
    static inline bool active_ = false;
};

}  // namespace vm

// The scope of reference fields, for their default member initialisers.
inline VMScope* vmField() { return VMInstanceScope::instance(); }
inline void vmMarkField(const VMRef& field, uint32_t flags) { vm::markField(field, flags); }
// A typed field is read directly: no virtual call per field while marking.
template <typename T>
inline void vmMarkField(const VMPtr<T>& field, uint32_t flags) {
    if (T* target = field.get()) vm::MarkQueue::add(target, flags);
}

#define VM_NO_CLINIT (&::vm::emptyClinit)

#define VM_CLASS_COMMON_(Self)                                                               \
public:                                                                                      \
    static ::java::lang::Class* _VM_classRecord;                                             \
    static void _VM_registerClass();                                                         \
    static ::java::lang::Class* _VM_getClass() { return _VM_classRecord; }                   \
    ::java::lang::Class* getClass() override { return _VM_classRecord; }

// A concrete class.
#define VM_CLASS(Self, Super)                                                                \
    VM_CLASS_COMMON_(Self)                                                                   \
    using _VM_Super = Super;                                                                 \
    static VMPtr<Self> _VM_new() { return ::vm::newObject<Self>(_VM_classRecord); }          \
    static VMPtr<::java::lang::Object> _VM_newInstance() { return ::vm::newInstance<Self>(); } \
                                                                                             \
public:

// An abstract class: no _VM_new, no factory.
#define VM_ABSTRACT_CLASS(Self, Super)                                                       \
    VM_CLASS_COMMON_(Self)                                                                   \
    using _VM_Super = Super;                                                                 \
                                                                                             \
public:

#define VM_INTERFACE(Self) VM_ABSTRACT_CLASS(Self, ::java::lang::Object)

#define VM_CONCAT_INNER_(a, b) a##b
#define VM_CONCAT_(a, b) VM_CONCAT_INNER_(a, b)

#define VM_DEFINE_CLASS_AS_(Self, name, superName, clinit, factory, kind)                    \
    ::java::lang::Class* Self::_VM_classRecord = nullptr;                                    \
    void Self::_VM_registerClass() {                                                         \
        _VM_classRecord = ::vm::createClassRecord(name, superName, clinit, factory, kind);   \
    }                                                                                        \
    static ::_VM_ClassRegistration VM_CONCAT_(vmClassRegistration_, __COUNTER__)(&Self::_VM_registerClass);

// A concrete helper class compiled in the source file of another class (sourceName).
#define VM_DEFINE_CLASS_IN(Self, name, superName, clinit, sourceName)                        \
    ::java::lang::Class* Self::_VM_classRecord = nullptr;                                    \
    void Self::_VM_registerClass() {                                                         \
        _VM_classRecord = ::vm::createClassRecord(name, superName, clinit, ::vm::factoryOf<Self>(), \
                                                  VMClassKind::Concrete, sourceName);        \
    }                                                                                        \
    static ::_VM_ClassRegistration VM_CONCAT_(vmClassRegistration_, __COUNTER__)(&Self::_VM_registerClass);

#define VM_DEFINE_CLASS(Self, name, superName, clinit) \
    VM_DEFINE_CLASS_AS_(Self, name, superName, clinit, ::vm::factoryOf<Self>(), VMClassKind::Concrete)
// A concrete class that cannot be made by name (no reflective factory): static-only classes
// and classes made only by their owners.
#define VM_DEFINE_CLASS_WITHOUT_FACTORY(Self, name, superName, clinit) \
    VM_DEFINE_CLASS_AS_(Self, name, superName, clinit, nullptr, VMClassKind::Concrete)
#define VM_DEFINE_ABSTRACT_CLASS(Self, name, superName, clinit) \
    VM_DEFINE_CLASS_AS_(Self, name, superName, clinit, nullptr, VMClassKind::Abstract)
#define VM_DEFINE_INTERFACE(Self, name, clinit) \
    VM_DEFINE_CLASS_AS_(Self, name, "", clinit, nullptr, VMClassKind::Interface)

// Registers that Self implements the interface with the given dotted name.
#define VM_IMPLEMENTS(Self, interfaceName) \
    static ::_VM_InterfaceRegistration VM_CONCAT_(vmInterfaceRegistration_, __COUNTER__)(&Self::_VM_classRecord, interfaceName);

// Registers Self's static main(String[]) entry.
#define VM_MAIN_METHOD(Self) \
    static ::_VM_MainMethodRegistration VM_CONCAT_(vmMainRegistration_, __COUNTER__)(&Self::_VM_classRecord, &Self::main);
