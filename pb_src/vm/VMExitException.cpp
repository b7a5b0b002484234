#include "lib_src/vm/VMException.h"

VMExitException* VMExitException::create(int32_t status) {
    void* block = _VM_allocate(sizeof(VMExitException), true);
    return new (block) VMExitException(status);
}
