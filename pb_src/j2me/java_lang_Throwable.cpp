#include "pb_src/j2me/java_lang_Throwable.h"

#include "lib_src/vm/VMThread.h"
#include "pb_src/j2me/java_lang_Class.h"
#include "lib_src/vm/VMLiterals.h"
#include "pb_src/j2me/java_io_PrintStream.h"
#include "pb_src/j2me/java_lang_String.h"
#include "pb_src/j2me/java_lang_StringBuffer.h"
#include "pb_src/j2me/java_lang_System.h"

namespace vm {

namespace {
// In-flight exception of code running without a thread record (start-up before the first
// thread exists).
VMPtr<java::lang::Throwable>& orphanInFlight() {
    static auto* handle = new VMPtr<java::lang::Throwable>(VMNativeScope::instance());
    return *handle;
}
}  // namespace

void setInFlight(java::lang::Throwable* exception) {
    VMThread* thread = VMThread::currentThread();
    (thread ? thread->inFlight : orphanInFlight()) = exception;
}

java::lang::Throwable* inFlight() {
    VMThread* thread = VMThread::currentThread();
    return (thread ? thread->inFlight : orphanInFlight()).get();
}

}  // namespace vm

namespace java::lang {

VM_DEFINE_CLASS(Throwable, "java.lang.Throwable", "java.lang.Object", VM_NO_CLINIT)

VMPtr<Throwable> Throwable::_VM_init() { return this; }

VMPtr<Throwable> Throwable::_VM_init(VMPtr<String> text) {
    message = text;
    return this;
}

VMPtr<String> Throwable::getMessage() { return message; }

VMPtr<String> Throwable::toString() {
    VMPtr<String> name = getClass()->getName();
    VMPtr<String> text = getMessage();
    if (!text) return name;
    VMPtr<StringBuffer> joined = StringBuffer::_VM_new();
    joined->_VM_init(name);
    joined->append(VMPtr<java::lang::String>::fromLiteral(": "));
    joined->append(text);
    return joined->toString();
}

void Throwable::printStackTrace() {
    vm::ensureInitialized(System::_VM_getClass());
    VMPtr<java::io::PrintStream> err = System::err;
    if (VMThread::currentThread() != nullptr) {
        err->print(VMPtr<java::lang::String>::fromLiteral("Exception in thread \""));
        if (VMPtr<String> name = vm::currentThreadName()) err->print(name);
        err->print(VMPtr<java::lang::String>::fromLiteral("\" "));
    } else {
        err->print(VMPtr<java::lang::String>::fromLiteral("Exception "));
    }
    VMPtr<String> text = getMessage();
    err->print(getClass()->getName());
    if (text) {
        err->print(VMPtr<java::lang::String>::fromLiteral(": "));
        err->println(text);
    } else {
        err->println();
    }
    err->println(VMPtr<java::lang::String>::fromLiteral("    at <unknown>"));
}

void Throwable::_VM_mark(uint32_t flags) { vmMarkField(message, flags); }

}  // namespace java::lang
