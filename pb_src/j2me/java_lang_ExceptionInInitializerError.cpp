#include "pb_src/j2me/java_lang_ExceptionInInitializerError.h"

namespace java::lang {

VM_DEFINE_CLASS(ExceptionInInitializerError, "java.lang.ExceptionInInitializerError", "java.lang.Error",
                VM_NO_CLINIT)

VMPtr<ExceptionInInitializerError> ExceptionInInitializerError::_VM_init() {
    Error::_VM_init();
    return this;
}

VMPtr<ExceptionInInitializerError> ExceptionInInitializerError::_VM_init(VMPtr<Throwable> thrown) {
    Error::_VM_init();
    exception = thrown;
    return this;
}

VMPtr<Throwable> ExceptionInInitializerError::getException() { return exception; }

void ExceptionInInitializerError::_VM_mark(uint32_t flags) {
    Error::_VM_mark(flags);
    vmMarkField(exception, flags);
}

}  // namespace java::lang
