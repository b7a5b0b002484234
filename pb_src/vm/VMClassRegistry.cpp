#include "lib_src/vm/VMClassRegistry.h"

#include <new>

#include "hal/base/FatalError.h"
#include "lib_src/vm/VMHeap.h"
#include "lib_src/vm/VMThread.h"
#include "pb_src/j2me/java_lang_Class.h"
#include "pb_src/j2me/java_lang_Error.h"
#include "lib_src/vm/VMMonitor.h"
#include "pb_src/j2me/java_lang_ExceptionInInitializerError.h"
#include "pb_src/j2me/java_lang_InterruptedException.h"
#include "pb_src/j2me/java_lang_NoClassDefFoundError.h"
#include "pb_src/j2me/java_lang_String.h"

using java::lang::Class;
using java::lang::Object;

namespace {

// Zero before any static initialiser runs (constant initialisation), so nodes can be added
// from initialisers of any file in any order.
template <typename Node> struct RegistrationList {
    Node* head;
    Node* tail;

    void append(Node* node) {
        if (tail) tail->next = node;
        else head = node;
        tail = node;
    }
};

constinit RegistrationList<_VM_ClassRegistration> classList{};
constinit RegistrationList<_VM_InterfaceRegistration> interfaceList{};
constinit RegistrationList<_VM_MainMethodRegistration> mainMethodList{};

}  // namespace

_VM_ClassRegistration::_VM_ClassRegistration(void (*registerClass)()) : registerClass(registerClass) {
    classList.append(this);
}

_VM_InterfaceRegistration::_VM_InterfaceRegistration(Class** record, const char* interfaceName)
    : record(record), interfaceName(interfaceName) {
    interfaceList.append(this);
}

_VM_MainMethodRegistration::_VM_MainMethodRegistration(Class** record, VMMainMethod main) : record(record), main(main) {
    mainMethodList.append(this);
}

VMClassRegistry* _VM_getClassRegistry() {
    static VMClassRegistry* registry = new (_VM_allocateBytes(sizeof(VMClassRegistry))) VMClassRegistry();
    return registry;
}

void _VM_insertClass(VMClassRegistry* registry, const char* name, Class* record) {
    VMCString key(name);
    if (key.equals("_VM_bad_array")) HAL_fatalError("Attempt to use invalid type with a java array!");
    if (registry->classes.get(key, nullptr)) HAL_fatalError("Duplicate class detected!");
    registry->classes.put(key, record);
}

Class* _VM_findClass(VMClassRegistry* registry, const char* name) {
    if (name == nullptr) return nullptr;
    void* record = nullptr;
    return registry->classes.get(VMCString(name), &record) ? static_cast<Class*>(record) : nullptr;
}

void _VM_sealRegistry(VMClassRegistry* registry) { registry->sealed = true; }

Class* _VM_getObjectClass(VMClassRegistry* registry) {
    if (registry->objectClass == nullptr) registry->objectClass = _VM_findClass(registry, "java.lang.Object");
    return registry->objectClass;
}

Class* _VM_getSuperclass(VMClassRegistry* registry, Class* record) {
    if (registry->sealed && record->superResolved) return record->superclass;
    Class* found = record->superName.length() ? _VM_findClass(registry, record->superName.c_str()) : nullptr;
    if (!registry->sealed && found == nullptr) return nullptr;
    record->superclass = found;
    record->superResolved = true;
    return found;
}

void _VM_runClassRegistrations() {
    for (auto* node = classList.head; node; node = node->next) node->registerClass();
}

void _VM_registerInterface(Class* record, const char* interfaceName) {
    if (interfaceName == nullptr) return;
    Class* interface = _VM_findClass(_VM_getClassRegistry(), interfaceName);
    if (interface == nullptr) HAL_fatalError("Class for interface not found in _VM_registerInterface()!");
    record->interfaces.pushBack(interface);
}

void _VM_registerInterfaces() {
    for (auto* node = interfaceList.head; node; node = node->next) {
        if (*node->record) _VM_registerInterface(*node->record, node->interfaceName);
    }
}

void _VM_registerMainMethods() {
    for (auto* node = mainMethodList.head; node; node = node->next) {
        if (*node->record) (*node->record)->main = node->main;
    }
}

bool _VM_implementsInterface(VMClassRegistry* registry, Class* record, Class* interface) {
    if (record == interface) return true;
    Class* objectClass = _VM_getObjectClass(registry);
    for (Class* c = record; c != nullptr && c != objectClass; c = _VM_getSuperclass(registry, c)) {
        for (VMList::Node* node = c->interfaces.begin(); node; node = VMList::next(node)) {
            if (_VM_implementsInterface(registry, static_cast<Class*>(VMList::value(node)), interface)) return true;
        }
    }
    return false;
}

bool _VM_isAssignableFrom(VMClassRegistry* registry, Class* from, Class* to) {
    if (from == nullptr || to == nullptr) return false;
    if (from == to || to == _VM_getObjectClass(registry)) return true;
    if (to->isArray()) {
        if (!from->isArray()) return false;
        // Reference arrays against reference arrays by element class; primitive arrays
        // only against the same primitive type. A primitive array is never a reference
        // array, nor the other way round.
        if (from->elementClass && to->elementClass)
            return _VM_isAssignableFrom(registry, from->elementClass, to->elementClass);
        if (!from->elementClass && !to->elementClass)
            return from->elementType == to->elementType && from->dimensions == to->dimensions;
        return false;
    }
    if (to->isInterface) return !from->isArray() && _VM_implementsInterface(registry, from, to);
    if (from->isArray() || from->isInterface) return false;
    Class* objectClass = _VM_getObjectClass(registry);
    for (Class* c = _VM_getSuperclass(registry, from); c != nullptr && c != objectClass; c = _VM_getSuperclass(registry, c)) {
        if (c == to) return true;
    }
    return false;
}

bool _VM_instanceOf(VMClassRegistry* registry, Object* object, Class* record) {
    return object != nullptr && _VM_isAssignableFrom(registry, object->getClass(), record);
}

void _VM_getArrayClassName(VMCString* out, Class* element, int dimensions) {
    out->~VMCString();
    new (out) VMCString();
    for (int i = element->dimensions; i < dimensions; ++i) out->append("[");
    if (element->isArray()) {
        out->append(element->name.c_str());
    } else {
        out->append("L");
        out->append(element->name.c_str());
        out->append(";");
    }
}

void _VM_ensureClassInitialized(VMClassRegistry* registry, Class* record) {
    if (record->state == Class::Failed) vm::throwNew<java::lang::NoClassDefFoundError>();
    if (record->state == Class::Initialized) return;
    _VM_initializeClass(registry, record);
}

namespace {

// Marks the end of an initialisation and wakes the threads that wait for it.
void finishInitialization(Class* record, Class::State state) {
    VM_SYNCHRONIZED(record);
    record->state = state;
    record->initThread = nullptr;
    record->notifyAll();
}

// Waits, holding the record's monitor, while another thread initialises the class. The
// wait is not interruptible: an interrupt is kept for the thread's next sleep or wait
// instead of failing an unrelated allocation.
void waitForOtherInitializer(Class* record, VMThread* me) {
    bool interrupted = me && me->interrupted;
    if (me) me->interrupted = false;
    while (record->initThread != nullptr && record->initThread != me) {
        try {
            record->wait(0);
        } catch (java::lang::InterruptedException* caught) {
            VMPtr<java::lang::InterruptedException> held(caught);
            interrupted = true;
        }
    }
    if (me && interrupted) me->interrupted = true;
}

// Takes the class for initialisation by this thread; false when there is nothing to do.
bool claimInitialization(Class* record, VMThread* me) {
    VM_SYNCHRONIZED(record);
    waitForOtherInitializer(record, me);
    if (record->state == Class::Initializing && record->initThread == me) return false;  // recursive request
    if (record->state == Class::Initialized) return false;
    if (record->state == Class::Failed)
        vm::throwNew<java::lang::NoClassDefFoundError>(java::lang::String::fromUtf8(record->name.c_str()));
    record->state = Class::Initializing;
    record->initThread = me;
    return true;
}

}  // namespace

void _VM_initializeClass(VMClassRegistry* registry, Class* record) {
    VMThread* me = VMThread::currentThread();
    if (!claimInitialization(record, me)) return;
    try {
        if (!record->isInterface) {
            Class* superclass = _VM_getSuperclass(registry, record);
            if (superclass && superclass->state != Class::Initialized) _VM_ensureClassInitialized(registry, superclass);
        }
        if (record->clinit) record->clinit();
    } catch (java::lang::Throwable* caught) {
        VMPtr<java::lang::Throwable> thrown(caught);
        if (!_VM_instanceOf(registry, caught, java::lang::Error::_VM_getClass())) {
            VMPtr<java::lang::ExceptionInInitializerError> wrapper = java::lang::ExceptionInInitializerError::_VM_new();
            wrapper->_VM_init(thrown);
            thrown = wrapper;
        }
        finishInitialization(record, Class::Failed);
        thrown->_VM_throw();
    }
    finishInitialization(record, Class::Initialized);
}
