#pragma once

// java::lang::Class: the record of one managed class, interface or array type, built at
// start-up (arrays: on first use) and pinned for the life of the process by a native-scope
// handle to itself.

#include "lib_src/vm/VMClass.h"
#include "lib_src/vm/VMCString.h"
#include "lib_src/vm/VMList.h"

struct VMThread;

namespace java::io {
class InputStream;
}

namespace java::lang {

class Class : public virtual Object {
    VM_CLASS_COMMON_(Class)
    using _VM_Super = Object;

    enum State : int32_t { Initialized = 0, NotInitialized = 1, Initializing = 2, Failed = 3 };

    Class(const char* name, const char* superName, const char* sourceFile, void (*clinit)(),
          VMPtr<Object> (*factory)(), bool isInterface, bool isAbstract, int32_t dimensions,
          int32_t elementType, Class* elementClass);
    ~Class() override;

    // Allocates a record on the heap and registers it under its name.
    static Class* create(const char* name, const char* superName, const char* sourceFile, void (*clinit)(),
                         VMPtr<Object> (*factory)(), bool isInterface, bool isAbstract, int32_t dimensions,
                         int32_t elementType, Class* elementClass);

    VMPtr<String> getName();
    VMPtr<String> toString() override;
    static VMPtr<Class> forName(VMPtr<String> name);
    VMPtr<Object> newInstance();
    bool isInstance(Object* object);
    bool isArray() const { return dimensions > 0; }

    // The resource name as seen from this class: a leading "/" is dropped; otherwise the
    // class's package as a path ("a/b/" for a.b.Widget) goes in front. NullPointerException
    // for a null name.
    VMPtr<String> resolveResourceName(VMPtr<String> name);
    // The resolved resource as a ResourceInputStream, or null when it cannot be opened.
    VMPtr<::java::io::InputStream> getResourceAsStream(VMPtr<String> name);

    int32_t state;
    VMThread* initThread = nullptr;
    VMList interfaces;
    bool superResolved = false;
    Class* superclass = nullptr;
    VMCString name;
    VMCString superName;
    VMCString sourceFile;
    void (*clinit)();
    VMPtr<Object> (*factory)();
    VMMainMethod main = nullptr;
    bool isInterface;
    bool isAbstract;
    int32_t dimensions;
    int32_t elementType;
    Class* elementClass;
    VMPtr<Class> self{VMNativeScope::instance()};
};

}  // namespace java::lang
