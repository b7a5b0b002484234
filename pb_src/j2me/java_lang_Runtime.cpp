#include "pb_src/j2me/java_lang_Runtime.h"

#include "hal/base/VMCallbacks.h"
#include "lib_src/vm/VMException.h"
#include "lib_src/vm/VMLiterals.h"
#include "pb_src/j2me/java_lang_SecurityException.h"

namespace java::lang {

VM_DEFINE_CLASS_WITHOUT_FACTORY(Runtime, "java.lang.Runtime", "java.lang.Object", VM_NO_CLINIT)

VMPtr<Runtime> Runtime::instance{VMStaticScope::instance()};

namespace {
bool exitAllowed = false;
}

VMPtr<Runtime> Runtime::getRuntime() {
    if (!instance) {
        VMPtr<Runtime> made = _VM_new();
        instance = made->_VM_init();
    }
    return instance;
}

void Runtime::exit(int32_t status) {
    if (!exitAllowed) vm::throwNew<SecurityException>(VMPtr<java::lang::String>::fromLiteral("MIDP lifecycle does not support system exit."));
    VMExitException::create(status)->_VM_throw();
}

int64_t Runtime::freeMemory() { return int64_t(_VM_freeMemory()); }

int64_t Runtime::totalMemory() { return int64_t(_VM_totalMemory()); }

void Runtime::gc() { HAL_vmCallbacks().collect(); }

void Runtime::_VM_setExitAllowed(bool allowed) { exitAllowed = allowed; }

}  // namespace java::lang
