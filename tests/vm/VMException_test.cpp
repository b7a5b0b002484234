#include <gtest/gtest.h>

#include "pb_src/j2me/java_io_EOFException.h"
#include "pb_src/j2me/java_lang_ArrayIndexOutOfBoundsException.h"
#include "pb_src/j2me/java_lang_Class.h"
#include "pb_src/j2me/java_lang_ExceptionInInitializerError.h"
#include "pb_src/j2me/java_lang_NullPointerException.h"
#include "pb_src/j2me/java_lang_OutOfMemoryError.h"
#include "pb_src/j2me/java_lang_RuntimeException.h"
#include "pb_src/j2me/java_lang_StringIndexOutOfBoundsException.h"
#include "tests/vm/TestRuntime.h"

namespace {

using namespace java::lang;

VMPtr<String> text(const char* s) { return String::fromUtf8(s); }

TEST(Exceptions, AreCaughtByTheirOwnClassAndEveryBase) {
    testRuntime();
    EXPECT_THROW(vm::throwNew<NullPointerException>(), NullPointerException*);
    EXPECT_THROW(vm::throwNew<NullPointerException>(), RuntimeException*);
    EXPECT_THROW(vm::throwNew<NullPointerException>(), Exception*);
    EXPECT_THROW(vm::throwNew<NullPointerException>(), Throwable*);
    EXPECT_THROW(vm::throwNew<NullPointerException>(), VMException*);
    EXPECT_THROW(vm::throwNew<NullPointerException>(), Object*);
}

TEST(Exceptions, AnErrorPassesExceptionHandlers) {
    testRuntime();
    bool caughtAsException = false, caughtAsThrowable = false;
    try {
        try {
            vm::throwNew<OutOfMemoryError>();
        } catch (Exception*) {
            caughtAsException = true;
        }
    } catch (Throwable*) {
        caughtAsThrowable = true;
    }
    EXPECT_FALSE(caughtAsException);
    EXPECT_TRUE(caughtAsThrowable);
}

TEST(Exceptions, ARethrowFromAThrowableVariableKeepsItsClass) {
    testRuntime();
    const char* caughtBy = "nothing";
    try {
        try {
            vm::throwNew<java::io::EOFException>();
        } catch (Throwable* caught) {
            VMPtr<Throwable> held(caught);
            held->_VM_throw();  // thrown again from a Throwable handle
        }
    } catch (java::io::IOException* caught) {
        VMPtr<java::io::IOException> held(caught);
        caughtBy = "IOException";
        EXPECT_EQ(held->getClass()->name.c_str(), std::string("java.io.EOFException"));
    } catch (Throwable*) {
        caughtBy = "Throwable";
    }
    EXPECT_STREQ(caughtBy, "IOException");
}

TEST(Exceptions, TheExceptionInFlightSurvivesACollectionWhileUnwinding) {
    VM* vm = testRuntime();
    struct CollectOnUnwind {
        VM* vm;
        ~CollectOnUnwind() { vm->collect(); }  // runs while the exception is held by no local handle
    };
    try {
        CollectOnUnwind collector{vm};
        vm::throwNew<RuntimeException>(text("still here"));
    } catch (RuntimeException* caught) {
        VMPtr<RuntimeException> held(caught);
        EXPECT_EQ(held->getMessage()->toUtf8(), "still here");
    }
}

TEST(Exceptions, DescribeThemselves) {
    testRuntime();
    VMPtr<RuntimeException> plain = RuntimeException::_VM_new();
    plain->_VM_init();
    EXPECT_EQ(plain->toString()->toUtf8(), "java.lang.RuntimeException");
    EXPECT_TRUE(plain->getMessage().isNull());

    VMPtr<java::io::IOException> io = java::io::IOException::_VM_new();
    io->_VM_init(text("x"));
    EXPECT_EQ(io->toString()->toUtf8(), "java.io.IOException: x");

    VMPtr<RuntimeException> empty = RuntimeException::_VM_new();
    empty->_VM_init(text(""));
    EXPECT_EQ(empty->toString()->toUtf8(), "java.lang.RuntimeException: ");
}

TEST(Exceptions, IndexExceptionsNameTheIndex) {
    testRuntime();
    VMPtr<ArrayIndexOutOfBoundsException> a = ArrayIndexOutOfBoundsException::_VM_new();
    a->_VM_init(-1);
    EXPECT_EQ(a->getMessage()->toUtf8(), "Array index out of range: -1");
    VMPtr<StringIndexOutOfBoundsException> s = StringIndexOutOfBoundsException::_VM_new();
    s->_VM_init(0);
    EXPECT_EQ(s->getMessage()->toUtf8(), "String index out of range: 0");
}

TEST(Exceptions, AnInitializerErrorKeepsWhatItWraps) {
    VM* vm = testRuntime();
    VMPtr<ExceptionInInitializerError> error = ExceptionInInitializerError::_VM_new();
    {
        VMPtr<RuntimeException> cause = RuntimeException::_VM_new();
        cause->_VM_init(text("cause"));
        error->_VM_init(cause);
    }
    vm->collect();
    EXPECT_TRUE(error->getMessage().isNull());
    EXPECT_EQ(error->toString()->toUtf8(), "java.lang.ExceptionInInitializerError");
    EXPECT_EQ(error->getException()->getMessage()->toUtf8(), "cause");
}

TEST(Exceptions, EveryClassCanBeMadeReflectively) {
    testRuntime();
    for (const char* name : {"java.lang.NullPointerException", "java.io.EOFException",
                             "javax.microedition.io.ConnectionNotFoundException", "java.util.NoSuchElementException"}) {
        Class* record = _VM_findClass(_VM_getClassRegistry(), name);
        ASSERT_NE(record, nullptr) << name;
        VMPtr<Object> made = record->newInstance();
        auto* throwable = dynamic_cast<Throwable*>(made.get());
        ASSERT_NE(throwable, nullptr);
        EXPECT_TRUE(throwable->getMessage().isNull());
        EXPECT_EQ(throwable->getClass(), record);
    }
}

}  // namespace
