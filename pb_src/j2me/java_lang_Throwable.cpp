#include "pb_src/j2me/java_lang_Throwable.h"

#include "lib_src/vm/VMThread.h"
#include "pb_src/j2me/java_lang_Class.h"
#include "pb_src/j2me/java_lang_String.h"

namespace vm {

namespace {
// In-flight exception of code running without a thread record (start-up before the first
// thread exists).
VMPtr<java::lang::Throwable>& orphanInFlight() {
    static auto* handle = new VMPtr<java::lang::Throwable>(VMNativeScope());
    return *handle;
}
}  // namespace

void setInFlight(java::lang::Throwable* exception) {
    VMThread* thread = VMThread::current();
    (thread ? thread->inFlight : orphanInFlight()) = exception;
}

java::lang::Throwable* inFlight() {
    VMThread* thread = VMThread::current();
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
    return String::fromUtf16(name->toUtf16() + u": " + text->toUtf16());
}

void Throwable::_VM_mark(uint32_t flags) { vmMarkField(message, flags); }

}  // namespace java::lang
