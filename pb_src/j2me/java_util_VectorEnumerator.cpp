#include "pb_src/j2me/java_util_VectorEnumerator.h"

#include "lib_src/vm/VMException.h"
#include "lib_src/vm/VMLiterals.h"
#include "lib_src/vm/VMMonitor.h"
#include "pb_src/j2me/java_lang_NullPointerException.h"
#include "pb_src/j2me/java_util_NoSuchElementException.h"

namespace java::util {

using java::lang::Object;

// Compiled with Vector, whose enumerator it is.
VM_DEFINE_CLASS_IN(VectorEnumerator, "java.util.VectorEnumerator", "java.lang.Object", VM_NO_CLINIT,
                   "java_util_Vector")
VM_IMPLEMENTS(VectorEnumerator, "java.util.Enumeration")

VMPtr<VectorEnumerator> VectorEnumerator::_VM_init(VMPtr<Vector> v) {
    Object::_VM_init();
    if (!v) vm::throwNew<java::lang::NullPointerException>();
    vector = v;
    index = 0;
    return this;
}

bool VectorEnumerator::hasMoreElements() { return index < vector->elementCount; }

VMPtr<Object> VectorEnumerator::nextElement() {
    {
        VM_SYNCHRONIZED(vector.get());
        if (index < vector->elementCount) return vector->elementData->elements()[index++];
    }
    vm::throwNew<NoSuchElementException>(VMPtr<java::lang::String>::fromLiteral("VectorEnumerator"));
}

}  // namespace java::util
