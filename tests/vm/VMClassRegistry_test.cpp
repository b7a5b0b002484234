#include "pb_src/j2me/java_lang_ClassNotFoundException.h"
#include "pb_src/j2me/java_lang_ExceptionInInitializerError.h"
#include "pb_src/j2me/java_lang_IllegalAccessException.h"
#include "pb_src/j2me/java_lang_IllegalStateException.h"
#include "pb_src/j2me/java_lang_InstantiationException.h"
#include "pb_src/j2me/java_lang_NoClassDefFoundError.h"
#include "tests/vm/TestRuntime.h"

namespace init {

std::vector<std::string> order;

// Base and Derived record the order of their static initialisers.
class Base : public virtual java::lang::Object {
    VM_CLASS(Base, java::lang::Object)
    VMPtr<Base> _VM_init() { return this; }
    static void _VM_clinit() { order.push_back("Base"); }
};

class Derived : public Base {
    VM_CLASS(Derived, Base)
    static void _VM_clinit() {
        order.push_back("Derived");
        // A recursive request from the initialising thread goes ahead without waiting.
        VMPtr<Derived> self = Derived::_VM_new();
        order.push_back("made itself");
    }
};

class ThrowsException : public virtual java::lang::Object {
    VM_CLASS(ThrowsException, java::lang::Object)
    static void _VM_clinit() {
        vm::throwNew<java::lang::IllegalStateException>(java::lang::String::fromUtf8("bad static"));
    }
};

class ThrowsError : public virtual java::lang::Object {
    VM_CLASS(ThrowsError, java::lang::Object)
    static void _VM_clinit() { vm::throwNew<java::lang::OutOfMemoryError>(); }
};

class ChildOfFailed : public ThrowsError {
    VM_CLASS(ChildOfFailed, ThrowsError)
};

class Abstract : public virtual java::lang::Object {
    VM_ABSTRACT_CLASS(Abstract, java::lang::Object)
    virtual void method() = 0;
};

class Runnable : public virtual java::lang::Object {
    VM_INTERFACE(Runnable)
};
class Task : public virtual java::lang::Object, public virtual Runnable {
    VM_CLASS(Task, java::lang::Object)
};
class SubTask : public Task {
    VM_CLASS(SubTask, Task)
};

}  // namespace init

VM_DEFINE_CLASS(init::Base, "init.Base", "java.lang.Object", &init::Base::_VM_clinit)
VM_DEFINE_CLASS(init::Derived, "init.Derived", "init.Base", &init::Derived::_VM_clinit)
VM_DEFINE_CLASS(init::ThrowsException, "init.ThrowsException", "java.lang.Object", &init::ThrowsException::_VM_clinit)
VM_DEFINE_CLASS(init::ThrowsError, "init.ThrowsError", "java.lang.Object", &init::ThrowsError::_VM_clinit)
VM_DEFINE_CLASS(init::ChildOfFailed, "init.ChildOfFailed", "init.ThrowsError", VM_NO_CLINIT)
VM_DEFINE_ABSTRACT_CLASS(init::Abstract, "init.Abstract", "java.lang.Object", VM_NO_CLINIT)
VM_DEFINE_INTERFACE(init::Runnable, "init.Runnable", VM_NO_CLINIT)
VM_DEFINE_CLASS(init::Task, "init.Task", "java.lang.Object", VM_NO_CLINIT)
VM_IMPLEMENTS(init::Task, "init.Runnable")
VM_DEFINE_CLASS(init::SubTask, "init.SubTask", "init.Task", VM_NO_CLINIT)

namespace {

using java::lang::Class;

Class* find(const char* name) { return _VM_findClass(_VM_getClassRegistry(), name); }
bool assignable(Class* from, Class* to) { return _VM_isAssignableFrom(_VM_getClassRegistry(), from, to); }

TEST(ClassRegistry, ClassesAreFoundByDottedNameWithTheirSubtypes) {
    testRuntime();
    Class* object = find("java.lang.Object");
    EXPECT_EQ(object, _VM_getObjectClass(_VM_getClassRegistry()));
    EXPECT_EQ(find("java.lang.String"), java::lang::String::_VM_getClass());
    EXPECT_EQ(find("no.such.Class"), nullptr);
    EXPECT_EQ(_VM_getSuperclass(_VM_getClassRegistry(), find("init.Derived")), find("init.Base"));
    const std::tuple<const char*, const char*, bool> pairs[] = {  // SubTask is Runnable through its superclass
        {"init.Derived", "init.Base", true}, {"init.Base", "init.Derived", false}, {"init.Base", "java.lang.Object", true},
        {"init.SubTask", "init.Runnable", true}, {"init.Base", "init.Runnable", false},
        {"java.lang.OutOfMemoryError", "java.lang.Error", true}, {"java.lang.OutOfMemoryError", "java.lang.Exception", false}};
    for (const auto& [from, to, expected] : pairs) EXPECT_EQ(assignable(find(from), find(to)), expected) << from << " to " << to;
    VMPtr<init::SubTask> task = init::SubTask::_VM_new();
    EXPECT_TRUE(find("init.Runnable")->isInstance(task.get()));
    EXPECT_FALSE(find("init.Runnable")->isInstance(nullptr));
}

TEST(ClassRegistry, StaticInitialisersRunOnceSuperclassFirst) {
    testRuntime();
    init::order.clear();
    EXPECT_EQ(find("init.Derived")->state, Class::NotInitialized);
    VMPtr<init::Derived> a = init::Derived::_VM_new();
    VMPtr<init::Derived> b = init::Derived::_VM_new();
    EXPECT_EQ(init::order, (std::vector<std::string>{"Base", "Derived", "made itself"}));
    EXPECT_EQ(find("init.Derived")->state, Class::Initialized);
    EXPECT_EQ(find("init.Base")->state, Class::Initialized);
}

TEST(ClassRegistry, AFailingStaticInitialiserIsWrappedAndTheClassFailsForGood) {
    testRuntime();
    try {
        init::ThrowsException::_VM_new();
        FAIL();
    } catch (java::lang::ExceptionInInitializerError* error) {
        VMPtr<java::lang::ExceptionInInitializerError> caught(error);
        EXPECT_TRUE(caught->getMessage().isNull());
        ASSERT_FALSE(caught->getException().isNull());
        EXPECT_EQ(caught->getException()->toString()->toUtf8(), "java.lang.IllegalStateException: bad static");
    }
    EXPECT_EQ(find("init.ThrowsException")->state, Class::Failed);
    EXPECT_EQ(messageOf<java::lang::NoClassDefFoundError>([] { init::ThrowsException::_VM_new(); }), "<none>");
}

TEST(ClassRegistry, AnErrorFromAStaticInitialiserIsNotWrapped) {
    testRuntime();
    EXPECT_THROW(init::ThrowsError::_VM_new(), java::lang::OutOfMemoryError*);
    // The subclass fails with the superclass's NoClassDefFoundError (an Error: not wrapped).
    EXPECT_THROW(init::ChildOfFailed::_VM_new(), java::lang::NoClassDefFoundError*);
    EXPECT_EQ(find("init.ChildOfFailed")->state, Class::Failed);
    // Detected inside the initialisation of the failed class itself: named.
    EXPECT_EQ(messageOf<java::lang::NoClassDefFoundError>(
                  [] { _VM_initializeClass(_VM_getClassRegistry(), find("init.ThrowsError")); }),
              "init.ThrowsError");
}

TEST(ClassRegistry, ForNameFindsWithoutInitialisingAndRecordsDescribeThemselves) {
    testRuntime();
    VMPtr<Class> record = Class::forName(java::lang::String::fromUtf8("init.Base"));
    EXPECT_EQ(record.get(), find("init.Base"));
    EXPECT_EQ(record->state, Class::NotInitialized);
    EXPECT_THROW(Class::forName(java::lang::String::fromUtf8("init.Missing")), java::lang::ClassNotFoundException*);
    EXPECT_EQ(find("init.Runnable")->toString()->toUtf8(), "interface init.Runnable");
    EXPECT_EQ(record->toString()->toUtf8(), "class init.Base");
    EXPECT_EQ(record->getName()->toUtf8(), "init.Base");
    EXPECT_EQ(record->getClass(), find("java.lang.Class"));
}

// The library's classes by name: those with a public argument-less constructor are made
// reflectively (the factory runs the constructor body), the others are refused.
TEST(ClassRegistry, LibraryClassesAreMadeReflectivelyOnlyWhereTheyHaveAFactory) {
    testRuntime();
    enum Outcome { Made, NoAccess, NotInstantiable };
    const std::pair<const char*, Outcome> classes[] = {
        {"java.io.ByteArrayOutputStream", Made}, {"java.util.Hashtable", Made}, {"java.util.Vector", Made},
        {"java.util.Random", Made}, {"java.util.Date", Made}, {"com.kelvane.ostrel.cldc.util.GregorianCalendar", Made},
        {"init.Base", Made}, {"java.lang.NullPointerException", Made}, {"java.io.EOFException", Made},
        {"javax.microedition.io.ConnectionNotFoundException", Made}, {"java.util.NoSuchElementException", Made},
        {"java.lang.Integer", NoAccess}, {"java.lang.Math", NoAccess},
        {"java.lang.System", NoAccess}, {"java.io.ByteArrayInputStream", NoAccess}, {"java.io.DataOutputStream", NoAccess},
        {"java.io.InputStream", NotInstantiable}, {"java.io.DataInput", NotInstantiable},
        {"init.Abstract", NotInstantiable}, {"init.Runnable", NotInstantiable},
    };
    for (auto [name, outcome] : classes) {
        Class* record = find(name);
        ASSERT_NE(record, nullptr) << name;
        switch (outcome) {
        case Made: EXPECT_EQ(record->newInstance()->getClass(), record) << name; break;
        case NoAccess: EXPECT_THROW(record->newInstance(), java::lang::IllegalAccessException*) << name; break;
        case NotInstantiable: EXPECT_THROW(record->newInstance(), java::lang::InstantiationException*) << name; break;
        }
    }
}

TEST(ClassRegistryDeathTest, DuplicateNamesAreFatal) {
    EXPECT_EXIT(
        {
            testRuntime();
            Class::create("init.Base", "java.lang.Object", "", nullptr, nullptr, false, false, 0, 0, nullptr);
        },
        testing::ExitedWithCode(1), "Duplicate class detected!");
    EXPECT_EXIT(
        {
            testRuntime();
            Class::create("_VM_bad_array", "", "", nullptr, nullptr, false, false, 0, 0, nullptr);
        },
        testing::ExitedWithCode(1), "Attempt to use invalid type with a java array!");
}

}  // namespace
