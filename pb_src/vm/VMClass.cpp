#include "lib_src/vm/VMClass.h"

#include <string>

#include "hal/base/FatalError.h"
#include "pb_src/j2me/java_lang_Class.h"

namespace vm {

void emptyClinit() {}

java::lang::Class* createClassRecord(const char* name, const char* superName, void (*clinit)(),
                                     VMPtr<java::lang::Object> (*factory)(), VMClassKind kind, const char* sourceName) {
    // Classes live in files named by their dotted name with "." turned into "_", helper
    // classes in the file of the class they serve.
    std::string source = "target/winmo/pb_src/j2me/";
    if (sourceName != nullptr) source += sourceName;
    else for (const char* c = name; *c; ++c) source += *c == '.' ? '_' : *c;
    return java::lang::Class::create(name, superName, source.c_str(), clinit, factory,
                                     kind == VMClassKind::Interface, kind == VMClassKind::Abstract, 0, 0, nullptr);
}

void ensureInitialized(java::lang::Class* record) {
    if (record->state != java::lang::Class::Initialized) _VM_ensureClassInitialized(_VM_getClassRegistry(), record);
}

void fatalUnregistered(const char* what) {
    std::string message = "A class was used before the runtime registered it: ";
    message += what;
    HAL_fatalError(message.c_str());
}

}  // namespace vm
