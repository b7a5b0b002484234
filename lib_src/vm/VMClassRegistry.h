#pragma once

// The class registry and the three start-up registration lists.
//
// Every managed class registers itself through a static node of the class list (built by a
// start-up initialiser, before main); interfaces a class implements and static main entries
// have lists of their own. The lists are plain head/tail pairs that are zero before any
// initialiser runs, so registration does not depend on the order in which static
// initialisers of different files run. No initialiser creates a managed object: the
// records themselves are made when the runtime runs the lists at start-up.

#include "lib_src/vm/VMPtr.h"
#include "lib_src/vm/VMStringMap.h"

namespace java::lang {
class Class;
class Object;
class String;
}  // namespace java::lang
template <typename E, int N> class VMArray;

using VMMainMethod = void (*)(VMPtr<VMArray<java::lang::String*, 1>> arguments);

struct _VM_ClassRegistration {
    explicit _VM_ClassRegistration(void (*registerClass)());
    _VM_ClassRegistration* next = nullptr;
    void (*registerClass)();
};

struct _VM_InterfaceRegistration {
    _VM_InterfaceRegistration(java::lang::Class** record, const char* interfaceName);
    _VM_InterfaceRegistration* next = nullptr;
    java::lang::Class** record;
    const char* interfaceName;
};

struct _VM_MainMethodRegistration {
    _VM_MainMethodRegistration(java::lang::Class** record, VMMainMethod main);
    _VM_MainMethodRegistration* next = nullptr;
    java::lang::Class** record;
    VMMainMethod main;
};

struct VMClassRegistry {
    VMStringMap classes;
    java::lang::Class* objectClass = nullptr;
    bool sealed = false;
};

VMClassRegistry* _VM_getClassRegistry();
// Fatal for the name "_VM_bad_array" and for a name already registered.
void _VM_insertClass(VMClassRegistry* registry, const char* name, java::lang::Class* record);
java::lang::Class* _VM_findClass(VMClassRegistry* registry, const char* name);
void _VM_sealRegistry(VMClassRegistry* registry);
java::lang::Class* _VM_getObjectClass(VMClassRegistry* registry);
java::lang::Class* _VM_getSuperclass(VMClassRegistry* registry, java::lang::Class* record);

void _VM_runClassRegistrations();
void _VM_registerInterfaces();
void _VM_registerMainMethods();
void _VM_registerInterface(java::lang::Class* record, const char* interfaceName);

bool _VM_implementsInterface(VMClassRegistry* registry, java::lang::Class* record, java::lang::Class* interface);
// The type test behind instanceof, casts and array stores.
bool _VM_isAssignableFrom(VMClassRegistry* registry, java::lang::Class* from, java::lang::Class* to);
bool _VM_instanceOf(VMClassRegistry* registry, java::lang::Object* object, java::lang::Class* record);
// "[" for each dimension beyond the element's own, then "L<name>;" or the array's name.
void _VM_getArrayClassName(VMCString* out, java::lang::Class* element, int dimensions);

// Runs the class's static initialiser once (waiting while another thread runs it). A class
// whose initialisation failed throws NoClassDefFoundError.
void _VM_ensureClassInitialized(VMClassRegistry* registry, java::lang::Class* record);
void _VM_initializeClass(VMClassRegistry* registry, java::lang::Class* record);
