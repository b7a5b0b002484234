#include "pb_src/j2me/java_lang_StringIndexOutOfBoundsException.h"

#include "pb_src/j2me/java_lang_String.h"

namespace java::lang {

VM_DEFINE_CLASS(StringIndexOutOfBoundsException, "java.lang.StringIndexOutOfBoundsException",
                "java.lang.IndexOutOfBoundsException", VM_NO_CLINIT)

VMPtr<StringIndexOutOfBoundsException> StringIndexOutOfBoundsException::_VM_init() {
    IndexOutOfBoundsException::_VM_init();
    return this;
}

VMPtr<StringIndexOutOfBoundsException> StringIndexOutOfBoundsException::_VM_init(VMPtr<String> message) {
    IndexOutOfBoundsException::_VM_init(message);
    return this;
}

VMPtr<StringIndexOutOfBoundsException> StringIndexOutOfBoundsException::_VM_init(int32_t index) {
    return _VM_init(String::withNumber("String index out of range: ", index));
}

}  // namespace java::lang
