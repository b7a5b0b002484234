// The generated class pattern on a small example: a class with a reference field, a
// subclass that adds one, an interface, and a class whose _VM_mark forgets a field.

#include "lib_src/vm/VMClass.h"
#include "tests/vm/TestRuntime.h"

namespace demo {

class Shape : public virtual java::lang::Object {
    VM_INTERFACE(Shape)
    virtual int32_t area() = 0;
};

class Point : public virtual java::lang::Object, public virtual Shape {
    VM_CLASS(Point, java::lang::Object)
    VMPtr<Point> _VM_init() { return _VM_init(0); }
    VMPtr<Point> _VM_init(int32_t x) {
        this->x = x;
        describe();  // a virtual call from the constructor body reaches the subclass
        return this;
    }
    virtual void describe() { label = java::lang::String::fromUtf8("point"); }
    int32_t area() override { return 0; }
    void _VM_mark(uint32_t flags) override { vmMarkField(label, flags); }

    VMPtr<java::lang::String> label{vmField()};
    int32_t x = 0;
};

class NamedPoint : public Point {
    VM_CLASS(NamedPoint, Point)
    VMPtr<NamedPoint> _VM_init(int32_t x) {
        Point::_VM_init(x);
        return this;
    }
    void describe() override { label = java::lang::String::fromUtf8("named point"); }
    void _VM_mark(uint32_t flags) override {
        Point::_VM_mark(flags);
        vmMarkField(name, flags);
    }

    VMPtr<java::lang::String> name{vmField()};
};

// Forgets its field in _VM_mark.
class Forgetful : public virtual java::lang::Object {
    VM_CLASS(Forgetful, java::lang::Object)
    VMPtr<java::lang::String> kept{vmField()};
};

}  // namespace demo

VM_DEFINE_INTERFACE(demo::Shape, "demo.Shape", VM_NO_CLINIT)
VM_DEFINE_CLASS(demo::Point, "demo.Point", "java.lang.Object", VM_NO_CLINIT)
VM_IMPLEMENTS(demo::Point, "demo.Shape")
VM_DEFINE_CLASS(demo::NamedPoint, "demo.NamedPoint", "demo.Point", VM_NO_CLINIT)
VM_DEFINE_CLASS(demo::Forgetful, "demo.Forgetful", "java.lang.Object", VM_NO_CLINIT)

namespace {

using java::lang::Class;

TEST(ClassPattern, ClassesRegisterWithTheirSuperclassAndAFactoryForTheArgumentlessBody) {
    testRuntime();
    Class* point = demo::Point::_VM_getClass();
    EXPECT_STREQ(point->superName.c_str(), "java.lang.Object");
    EXPECT_EQ(_VM_findClass(_VM_getClassRegistry(), "demo.NamedPoint"), demo::NamedPoint::_VM_getClass());
    EXPECT_EQ(demo::NamedPoint::_VM_getClass()->factory, nullptr) << "no argument-less constructor";
    EXPECT_TRUE(demo::Shape::_VM_getClass()->isInterface);
    VMPtr<java::lang::Object> made = point->newInstance();
    auto* reflective = dynamic_cast<demo::Point*>(made.get());
    ASSERT_NE(reflective, nullptr);
    EXPECT_EQ(reflective->label->toUtf8(), "point");
}

TEST(ClassPattern, ConstructorBodiesReachSubclassOverrides) {
    testRuntime();
    VMPtr<demo::NamedPoint> p = demo::NamedPoint::_VM_new();
    p->_VM_init(7);
    EXPECT_EQ(p->x, 7);
    EXPECT_EQ(p->label->toUtf8(), "named point");
    EXPECT_FALSE(p->flags & java::lang::Object::kFresh) << "the handle holds it";
}

TEST(ClassPattern, FieldsMarkedByTheirClassSurviveCollections) {
    VM* vm = testRuntime();
    VMPtr<demo::NamedPoint> p = demo::NamedPoint::_VM_new();
    p->_VM_init(1);
    p->name = java::lang::String::fromUtf8("north");
    vm->collect();
    EXPECT_EQ(p->name->toUtf8(), "north");
    EXPECT_EQ(p->label->toUtf8(), "named point");
}

TEST(ClassPatternDeathTest, AFieldMissingFromMarkIsCaughtInDebugBuilds) {
    if (!VMInstanceScope::tracksFields()) GTEST_SKIP() << "release build";
    EXPECT_EXIT(
        {
            VM* vm = testRuntime();
            VMPtr<demo::Forgetful> f = demo::Forgetful::_VM_new();
            f->kept = java::lang::String::fromUtf8("lost");
            vm->collect();
        },
        testing::ExitedWithCode(1), "demo.Forgetful is missing from its _VM_mark");
}

}  // namespace
