#include "pb_src/j2me/javax_microedition_io_PushRegistry.h"

#include "lib_src/vm/VMException.h"
#include "lib_src/vm/VMLiterals.h"
#include "pb_src/j2me/javax_microedition_io_ConnectionNotFoundException.h"

namespace javax::microedition::io {

VM_DEFINE_CLASS(PushRegistry, "javax.microedition.io.PushRegistry", "java.lang.Object", VM_NO_CLINIT)

int64_t PushRegistry::registerAlarm(VMPtr<::java::lang::String>, int64_t) {
    vm::throwNew<ConnectionNotFoundException>(VMPtr<::java::lang::String>::fromLiteral("not supported"));
}

}  // namespace javax::microedition::io
