// Vector and its enumerator: registration, growth, insertion, removal, search, copying,
// text, live enumeration, the monitor, and elements kept alive across collections.
//
// Differences from OpenJDK 17, noted where tested: the exception texts ("index >=
// elementCount", "Negative initialCapacity", "VectorEnumerator"; OpenJDK names the index
// and count, or says "Illegal Capacity: -1" and "Vector Enumeration"), and copyInto, which
// copies from the last element down, so an element the array refuses leaves the ones after
// it copied (OpenJDK copies upward and leaves the ones before it).

#include <gtest/gtest.h>

#include <string>
#include <typeinfo>
#include <vector>

#include "lib_src/vm/VM.h"
#include "pb_src/j2me/java_lang_ArrayIndexOutOfBoundsException.h"
#include "pb_src/j2me/java_lang_ArrayStoreException.h"
#include "pb_src/j2me/java_lang_Class.h"
#include "pb_src/j2me/java_lang_IllegalArgumentException.h"
#include "pb_src/j2me/java_lang_Integer.h"
#include "pb_src/j2me/java_lang_NullPointerException.h"
#include "pb_src/j2me/java_lang_OutOfMemoryError.h"
#include "pb_src/j2me/java_util_NoSuchElementException.h"
#include "pb_src/j2me/java_util_VectorEnumerator.h"
#include "tests/vm/TestRuntime.h"

namespace vectortest {

using java::lang::ArrayIndexOutOfBoundsException;
using java::lang::Object;
using java::lang::String;
using java::util::Enumeration;
using java::util::NoSuchElementException;
using java::util::Vector;
using ObjectArray = VMArray<Object*, 1>;
using AIOOBE = ArrayIndexOutOfBoundsException;

// Never equal; records whether the watched object's monitor was held during equals.
class MonitorProbe : public Object {
    VM_CLASS(MonitorProbe, Object)
    bool equals(VMPtr<Object> other) override {
        heldDuringEquals = watched->owner != nullptr;
        return false;
    }
    Object* watched = nullptr;
    bool heldDuringEquals = false;
};

VM_DEFINE_CLASS(MonitorProbe, "test.MonitorProbe", "java.lang.Object", VM_NO_CLINIT)

VMPtr<Vector> vector(int32_t capacity = 10, int32_t increment = 0) {
    VMPtr<Vector> v = Vector::_VM_new();
    return v->_VM_init(capacity, increment);
}

VMPtr<String> text(const char* s) { return String::fromUtf8(s); }

VMPtr<Object> number(int32_t n) {
    VMPtr<java::lang::Integer> i = java::lang::Integer::_VM_new();
    return i->_VM_init(n);
}

VMPtr<Vector> of(std::initializer_list<const char*> items) {
    VMPtr<Vector> v = vector();
    for (const char* item : items) v->addElement(item ? VMPtr<Object>(text(item)) : VMPtr<Object>());
    return v;
}

std::string show(const VMPtr<Object>& o) { return o ? o->toString()->toUtf8() : "<null>"; }

bool unlocked(const VMPtr<Vector>& v) { return static_cast<Object*>(v.get())->owner == nullptr; }

// Runs body, which must throw exactly E, and returns the message ("<none>" for null).
template <typename E, typename Body> std::string messageOf(Body body) {
    try {
        body();
    } catch (E* caught) {
        VMPtr<E> e(caught);
        EXPECT_EQ(typeid(*caught), typeid(E));
        return e->getMessage() ? e->getMessage()->toUtf8() : "<none>";
    }
    ADD_FAILURE() << "nothing thrown";
    return "";
}

TEST(Vector, ClassesAreRegisteredAndTheCapacityChecked) {
    testRuntime();
    VMClassRegistry* registry = _VM_getClassRegistry();
    java::lang::Class* enumerator = java::util::VectorEnumerator::_VM_getClass();
    java::lang::Class* enumeration = Enumeration::_VM_getClass();
    EXPECT_EQ(_VM_findClass(registry, "java.util.VectorEnumerator"), enumerator);
    EXPECT_STREQ(Vector::_VM_getClass()->sourceFile.c_str(), "target/winmo/pb_src/j2me/java_util_Vector");
    EXPECT_STREQ(enumerator->sourceFile.c_str(), "target/winmo/pb_src/j2me/java_util_Vector");
    EXPECT_STREQ(enumeration->sourceFile.c_str(), "target/winmo/pb_src/j2me/java_util_Enumeration");
    EXPECT_TRUE(enumeration->isInterface);
    EXPECT_TRUE(_VM_isAssignableFrom(registry, enumerator, enumeration));

    VMPtr<Object> made = Vector::_VM_getClass()->newInstance();
    ASSERT_NE(dynamic_cast<Vector*>(made.get()), nullptr);
    EXPECT_EQ(dynamic_cast<Vector*>(made.get())->capacity(), 10);
    EXPECT_EQ(vector(0)->capacity(), 0);
    // OpenJDK: "Illegal Capacity: -1".
    EXPECT_EQ(messageOf<java::lang::IllegalArgumentException>([] { vector(-1); }), "Negative initialCapacity");
}

TEST(Vector, GrowsByDoublingOrByTheIncrement) {
    testRuntime();
    VMPtr<Vector> doubling = vector(0);
    std::vector<int32_t> capacities;
    for (int i = 0; i < 5; ++i) {
        doubling->addElement(number(i));
        capacities.push_back(doubling->capacity());
    }
    EXPECT_EQ(capacities, (std::vector<int32_t>{1, 2, 4, 4, 8}));
    VMPtr<Vector> stepping = vector(2, 3);
    for (int i = 0; i < 6; ++i) stepping->addElement(number(i));
    EXPECT_EQ(stepping->capacity(), 8) << "2, then 5, then 8";
    EXPECT_EQ(show(stepping), "[0, 1, 2, 3, 4, 5]");
    VMPtr<Vector> negative = vector(2, -4);
    for (int i = 0; i < 3; ++i) negative->addElement(number(i));
    EXPECT_EQ(negative->capacity(), 4) << "a negative increment doubles";

    VMPtr<Vector> v = of({"a", "b"});
    ObjectArray* storage = v->elementData.get();
    v->ensureCapacity(10);
    v->ensureCapacity(-1);
    EXPECT_EQ(v->elementData.get(), storage);
    v->ensureCapacity(25);
    EXPECT_EQ(v->capacity(), 25) << "doubling falls short: exactly the minimum";
    v->trimToSize();
    storage = v->elementData.get();
    EXPECT_EQ(storage->length, 2);
    v->trimToSize();
    EXPECT_EQ(v->elementData.get(), storage) << "a full vector keeps its storage";
    EXPECT_THROW(v->ensureCapacity(INT32_MAX), java::lang::OutOfMemoryError*);
    EXPECT_EQ(v->elementData.get(), storage) << "a failed growth keeps the old storage";
    EXPECT_EQ(show(v), "[a, b]");
}

TEST(Vector, SetSizeNullsDroppedSlotsAndPadsWithNull) {
    testRuntime();
    VMPtr<Vector> v = of({"a", "b", "c", "d", "e"});
    ObjectArray* storage = v->elementData.get();
    v->setSize(0);
    EXPECT_EQ(v->elementData.get(), storage);
    for (int32_t i = 0; i < 5; ++i) EXPECT_EQ(storage->elements()[i], nullptr) << i;
    v->addElement(text("x"));
    v->setSize(3);
    EXPECT_EQ(show(v), "[x, null, null]");
    v->setSize(25);
    EXPECT_EQ(v->capacity(), 25);
    EXPECT_EQ(messageOf<AIOOBE>([&] { v->setSize(-1); }), "new size is negative");
    EXPECT_EQ(v->size(), 25);
}

TEST(Vector, InsertsRemovesAndAccessesWithIndexChecks) {
    testRuntime();
    VMPtr<Vector> v = of({"b", "d"});
    v->insertElementAt(text("a"), 0);
    v->insertElementAt(text("c"), 2);
    v->insertElementAt(text("e"), v->size());
    EXPECT_EQ(show(v), "[a, b, c, d, e]");
    EXPECT_EQ(messageOf<AIOOBE>([&] { v->insertElementAt(text("x"), 6); }), "index >= elementCount");
    EXPECT_EQ(messageOf<AIOOBE>([&] { v->insertElementAt(text("x"), -1); }), "Array index out of range: -1");
    v->removeElementAt(1);
    v->removeElementAt(v->size() - 1);
    EXPECT_EQ(show(v), "[a, c, d]");
    EXPECT_EQ(v->elementData->elements()[3], nullptr) << "the freed slot is cleared";
    // OpenJDK: "3 >= 3", "Index -2 out of bounds for length 10".
    EXPECT_EQ(messageOf<AIOOBE>([&] { v->removeElementAt(3); }), "index >= elementCount");
    EXPECT_EQ(messageOf<AIOOBE>([&] { v->removeElementAt(-2); }), "Array index out of range: -2");
    EXPECT_EQ(messageOf<AIOOBE>([&] { v->elementAt(3); }), "index >= elementCount");
    EXPECT_EQ(messageOf<AIOOBE>([&] { v->elementAt(-1); }), "Array index out of range: -1");
    EXPECT_EQ(messageOf<AIOOBE>([&] { v->setElementAt(text("x"), 3); }), "index >= elementCount");
    EXPECT_EQ(messageOf<AIOOBE>([&] { v->setElementAt(text("x"), INT32_MIN); }),
              "Array index out of range: -2147483648");
    EXPECT_EQ(show(v), "[a, c, d]") << "failed calls change nothing";

    v->setElementAt(nullptr, 1);
    EXPECT_EQ(show(v->firstElement()) + show(v->elementAt(1)) + show(v->lastElement()), "a<null>d");
    EXPECT_TRUE(v->removeElement(text("d"))) << "by equals, not identity";
    EXPECT_FALSE(v->removeElement(text("zz")));
    EXPECT_TRUE(v->removeElement(nullptr));
    EXPECT_EQ(show(v), "[a]");
    v->removeAllElements();
    EXPECT_TRUE(v->isEmpty());
    EXPECT_EQ(v->elementData->elements()[0], nullptr);
    EXPECT_EQ(messageOf<NoSuchElementException>([&] { v->firstElement(); }), "<none>");
    EXPECT_EQ(messageOf<NoSuchElementException>([&] { v->lastElement(); }), "<none>");
    EXPECT_TRUE(unlocked(v)) << "every throwing call released the monitor";
}

TEST(Vector, SearchesByEqualsAndFindsNull) {
    testRuntime();
    VMPtr<Vector> v = of({"a", nullptr, "b", "a", nullptr});
    EXPECT_EQ(v->indexOf(text("a")), 0);
    EXPECT_EQ(v->indexOf(text("a"), 1), 3);
    EXPECT_EQ(v->indexOf(nullptr, 2), 4);
    EXPECT_EQ(v->indexOf(text("zz")), -1);
    EXPECT_EQ(v->indexOf(text("a"), INT32_MAX), -1);
    EXPECT_EQ(messageOf<AIOOBE>([&] { v->indexOf(text("a"), -1); }), "Array index out of range: -1");
    EXPECT_TRUE(v->contains(nullptr));
    EXPECT_FALSE(v->contains(text("c")));
    EXPECT_EQ(v->lastIndexOf(text("a")), 3);
    EXPECT_EQ(v->lastIndexOf(text("a"), 2), 0);
    EXPECT_EQ(v->lastIndexOf(nullptr, 3), 1);
    // The plain index exception, not the array one (OpenJDK agrees; its text is "5 >= 5").
    EXPECT_EQ(messageOf<java::lang::IndexOutOfBoundsException>([&] { v->lastIndexOf(text("a"), 5); }),
              "index >= elementCount");
    // A negative start leaves nothing to search, as in OpenJDK: an empty vector answers -1.
    EXPECT_EQ(v->lastIndexOf(text("a"), -3), -1);
    EXPECT_EQ(vector()->lastIndexOf(nullptr), -1);
}

TEST(Vector, CopyIntoStoresDownwardThroughTheArraysCheck) {
    testRuntime();
    VMPtr<Vector> v = of({"a", "b"});
    VMPtr<ObjectArray> objects = ObjectArray::_VM_new(3);
    v->copyInto(objects);
    EXPECT_EQ(objects->at(0), v->elementAt(0).get());
    EXPECT_EQ(objects->at(1), v->elementAt(1).get());
    EXPECT_EQ(objects->at(2), nullptr);
    EXPECT_EQ(messageOf<AIOOBE>([&] { v->copyInto(ObjectArray::_VM_new(1)); }), "destination array too small");

    // A String[] refuses the plain object in the middle after the last element is copied.
    v->insertElementAt(Object::_VM_new(), 1);
    VMPtr<VMArray<String*, 1>> strings = VMArray<String*, 1>::_VM_new(3);
    EXPECT_THROW(v->copyInto(strings), java::lang::ArrayStoreException*);
    EXPECT_EQ(strings->at(0), nullptr);
    EXPECT_EQ(strings->at(1), nullptr);
    EXPECT_EQ(show(strings->at(2)), "b");
    EXPECT_THROW(v->copyInto(nullptr), java::lang::NullPointerException*);
    EXPECT_THROW(vector()->copyInto(VMArray<int32_t, 1>::_VM_new(3)), java::lang::ArrayStoreException*)
        << "not even an empty vector copies into a primitive array";
    EXPECT_TRUE(unlocked(v));
}

TEST(Vector, ToStringWritesEveryElement) {
    testRuntime();
    VMPtr<Vector> v = vector();
    EXPECT_EQ(show(v), "[]");
    v->addElement(text("a"));
    v->addElement(nullptr);
    v->addElement(number(-3));
    EXPECT_EQ(show(v), "[a, null, -3]");
    v->addElement(v);
    EXPECT_EQ(show(v), "[a, null, -3, (this Collection)]") << "as OpenJDK writes it";
}

TEST(Vector, EnumerationIsLive) {
    testRuntime();
    VMPtr<Vector> empty = vector();
    VMPtr<Enumeration> none = empty->elements();
    EXPECT_FALSE(none->hasMoreElements());
    // OpenJDK: "Vector Enumeration".
    EXPECT_EQ(messageOf<NoSuchElementException>([&] { none->nextElement(); }), "VectorEnumerator");
    EXPECT_TRUE(unlocked(empty));
    empty->addElement(text("late"));
    EXPECT_EQ(show(none->nextElement()), "late") << "added after the enumerator was made";

    VMPtr<Vector> v = of({"a", "b", "c", "d"});
    VMPtr<Enumeration> e = v->elements();
    EXPECT_EQ(show(e->nextElement()), "a");
    v->removeElementAt(0);
    EXPECT_EQ(show(e->nextElement()), "c") << "the removal shifted b under the cursor";
    v->addElement(text("e"));
    std::string rest;
    while (e->hasMoreElements()) rest += show(e->nextElement());
    EXPECT_EQ(rest, "de");
    VMPtr<java::util::VectorEnumerator> orphan = java::util::VectorEnumerator::_VM_new();
    EXPECT_THROW(orphan->_VM_init(nullptr), java::lang::NullPointerException*);
}

TEST(Vector, SearchesHoldTheMonitor) {
    testRuntime();
    VMPtr<Vector> v = of({"x"});
    VMPtr<MonitorProbe> probe = MonitorProbe::_VM_new();
    probe->watched = v.get();
    EXPECT_EQ(v->indexOf(probe), -1);
    EXPECT_TRUE(probe->heldDuringEquals);
    probe->heldDuringEquals = false;
    EXPECT_EQ(v->lastIndexOf(probe), -1);
    EXPECT_TRUE(probe->heldDuringEquals);
    EXPECT_TRUE(unlocked(v));
}

TEST(Vector, ElementsSurviveCollectionsWhileHeld) {
    VM* vm = testRuntime();
    VMPtr<Vector> v = vector(1);
    VMPtr<Object> middle(VMWeakScope::instance());
    VMPtr<Object> weakVector(VMWeakScope::instance());
    {
        VMPtr<Object> m = text("middle");
        middle = m;
        v->addElement(text("first"));
        v->addElement(m);
        v->addElement(text("last"));
    }
    VMPtr<Enumeration> e = v->elements();
    weakVector = v;
    v = nullptr;
    vm->collect();
    ASSERT_FALSE(middle.isNull()) << "held by a vector held only by its enumerator";
    std::string all;
    while (e->hasMoreElements()) all += show(e->nextElement());
    EXPECT_EQ(all, "firstmiddlelast");

    v = dynamic_cast<Vector*>(weakVector.get());
    v->removeElementAt(1);
    vm->collect();
    EXPECT_TRUE(middle.isNull()) << "a removed element is no longer held";
    EXPECT_EQ(show(v), "[first, last]");
}

}  // namespace vectortest
