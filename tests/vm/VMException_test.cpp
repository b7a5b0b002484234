// Managed exceptions as C++ exceptions: caught by every base, rethrown with their class,
// kept alive while unwinding, and described by their class and message.

#include "pb_src/j2me/java_io_EOFException.h"
#include "pb_src/j2me/java_lang_ArrayIndexOutOfBoundsException.h"
#include "pb_src/j2me/java_lang_ExceptionInInitializerError.h"
#include "pb_src/j2me/java_lang_NullPointerException.h"
#include "pb_src/j2me/java_lang_StringIndexOutOfBoundsException.h"
#include "tests/vm/TestRuntime.h"

namespace {

using namespace java::lang;

VMPtr<String> text(const char* s) { return String::fromUtf8(s); }

TEST(Exceptions, AreCaughtByEveryBaseAndErrorsPassExceptionHandlers) {
    testRuntime();
    EXPECT_THROW(vm::throwNew<NullPointerException>(), RuntimeException*);
    EXPECT_THROW(vm::throwNew<NullPointerException>(), VMException*);
    EXPECT_THROW(vm::throwNew<NullPointerException>(), Object*);
    const char* caughtBy = "nothing";
    try {
        try {
            vm::throwNew<OutOfMemoryError>();
        } catch (Exception*) {
            caughtBy = "Exception";
        }
    } catch (Throwable*) {
        caughtBy = "Throwable";
    }
    EXPECT_STREQ(caughtBy, "Throwable");
}

TEST(Exceptions, ARethrowFromAThrowableHandleKeepsItsClass) {
    testRuntime();
    try {
        try {
            vm::throwNew<java::io::EOFException>();
        } catch (Throwable* caught) {
            VMPtr<Throwable>(caught)->_VM_throw();
        }
    } catch (java::io::IOException* caught) {
        EXPECT_STREQ(VMPtr<java::io::IOException>(caught)->getClass()->name.c_str(), "java.io.EOFException");
    }
}

TEST(Exceptions, TheExceptionInFlightSurvivesACollectionWhileUnwinding) {
    VM* vm = testRuntime();
    struct CollectOnUnwind {
        VM* vm;
        ~CollectOnUnwind() { vm->collect(); }  // runs while no local handle holds the exception
    };
    try {
        CollectOnUnwind collector{vm};
        vm::throwNew<RuntimeException>(text("still here"));
    } catch (RuntimeException* caught) {
        EXPECT_EQ(VMPtr<RuntimeException>(caught)->getMessage()->toUtf8(), "still here");
    }
}

TEST(Exceptions, DescribeThemselves) {
    VM* vm = testRuntime();
    VMPtr<RuntimeException> plain = RuntimeException::_VM_new();
    plain->_VM_init();
    VMPtr<RuntimeException> empty = RuntimeException::_VM_new();
    empty->_VM_init(text(""));
    VMPtr<ArrayIndexOutOfBoundsException> array = ArrayIndexOutOfBoundsException::_VM_new();
    array->_VM_init(-1);
    VMPtr<StringIndexOutOfBoundsException> string = StringIndexOutOfBoundsException::_VM_new();
    string->_VM_init(0);
    VMPtr<ExceptionInInitializerError> wrapper = ExceptionInInitializerError::_VM_new();
    wrapper->_VM_init(VMPtr<Throwable>(empty));
    empty = nullptr;
    vm->collect();  // the wrapper keeps what it wraps
    const std::pair<Throwable*, const char*> cases[] = {
        {plain.get(), "java.lang.RuntimeException"},
        {wrapper->getException().get(), "java.lang.RuntimeException: "},
        {array.get(), "java.lang.ArrayIndexOutOfBoundsException: Array index out of range: -1"},
        {string.get(), "java.lang.StringIndexOutOfBoundsException: String index out of range: 0"},
        {wrapper.get(), "java.lang.ExceptionInInitializerError"},
    };
    for (auto [throwable, expected] : cases) EXPECT_EQ(throwable->toString()->toUtf8(), expected);
}

}  // namespace
