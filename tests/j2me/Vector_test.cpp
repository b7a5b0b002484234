// Vector and its enumerator: growth, edits, search, copying (from the last element down,
// unlike OpenJDK), text, live enumeration, the monitor and collections.

#include <typeinfo>

#include "pb_src/j2me/java_lang_ArrayStoreException.h"
#include "pb_src/j2me/java_lang_OutOfMemoryError.h"
#include "pb_src/j2me/java_util_NoSuchElementException.h"
#include "pb_src/j2me/java_util_VectorEnumerator.h"
#include "tests/j2me/ClassLibrary.h"

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

using classlib::number;
using classlib::show;
using classlib::text;

VMPtr<Vector> of(std::initializer_list<const char*> items) {
    VMPtr<Vector> v = vector();
    for (const char* item : items) v->addElement(item ? VMPtr<Object>(text(item)) : VMPtr<Object>());
    return v;
}

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

TEST(Vector, TheCapacityIsCheckedGrowsByDoublingOrByTheIncrementAndKeepsItsStorageWhereItCan) {
    testRuntime();
    EXPECT_EQ(vector(0)->capacity(), 0);
    EXPECT_EQ(messageOf<java::lang::IllegalArgumentException>([] { vector(-1); }), "Negative initialCapacity");
    const std::tuple<int32_t, int32_t, std::vector<int32_t>> growth[] = {  // capacity, increment, after each add
        {0, 0, {1, 2, 4, 4, 8}}, {2, 3, {2, 2, 5, 5, 5, 8}}, {2, -4, {2, 2, 4}}};  // a negative increment doubles
    for (const auto& [capacity, increment, expected] : growth) {
        VMPtr<Vector> v = vector(capacity, increment);
        std::vector<int32_t> capacities;
        for (size_t i = 0; i < expected.size(); ++i, capacities.push_back(v->capacity())) v->addElement(number(int32_t(i)));
        EXPECT_EQ(capacities, expected);
    }
    VMPtr<Vector> v = of({"a", "b"});
    ObjectArray* storage = v->elementData.get();
    v->ensureCapacity(10);
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
    v->setSize(0);
    EXPECT_EQ(v->elementData.get(), storage);
    EXPECT_EQ(storage->elements()[1], nullptr) << "dropped slots are cleared";
    v->addElement(text("x"));
    v->setSize(3);
    EXPECT_EQ(show(v), "[x, null, null]");
    EXPECT_EQ(messageOf<AIOOBE>([&] { v->setSize(-1); }), "new size is negative");
    EXPECT_EQ(v->size(), 3);
}

TEST(Vector, InsertsRemovesAndAccessesWithIndexChecks) {
    testRuntime();
    VMPtr<Vector> v = of({"b", "d"});
    v->insertElementAt(text("a"), 0);
    v->insertElementAt(text("c"), 2);
    v->insertElementAt(text("e"), v->size());
    EXPECT_EQ(show(v), "[a, b, c, d, e]");
    v->removeElementAt(1);
    v->removeElementAt(v->size() - 1);
    EXPECT_EQ(show(v), "[a, c, d]");
    EXPECT_EQ(v->elementData->elements()[3], nullptr) << "the freed slot is cleared";
    // OpenJDK names the index and the count.
    const std::pair<std::function<void()>, const char*> failures[] = {
        {[&] { v->insertElementAt(text("x"), 4); }, "index >= elementCount"},
        {[&] { v->insertElementAt(text("x"), -1); }, "Array index out of range: -1"},
        {[&] { v->removeElementAt(3); }, "index >= elementCount"},
        {[&] { v->removeElementAt(-2); }, "Array index out of range: -2"},
        {[&] { v->elementAt(3); }, "index >= elementCount"},
        {[&] { v->setElementAt(text("x"), INT32_MIN); }, "Array index out of range: -2147483648"},
    };
    for (const auto& [call, message] : failures) EXPECT_EQ(messageOf<AIOOBE>(call), message);
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
    const std::pair<int32_t, int32_t> found[] = {
        {v->indexOf(text("a")), 0}, {v->indexOf(text("a"), 1), 3}, {v->indexOf(nullptr, 2), 4},
        {v->indexOf(text("zz")), -1}, {v->indexOf(text("a"), INT32_MAX), -1}, {v->lastIndexOf(text("a")), 3},
        {v->lastIndexOf(text("a"), 2), 0}, {v->lastIndexOf(nullptr, 3), 1},
        {v->lastIndexOf(text("a"), -3), -1},  // a negative start leaves nothing to search, as in OpenJDK
        {vector()->lastIndexOf(nullptr), -1}, {v->contains(nullptr), 1}, {v->contains(text("c")), 0},
    };
    for (size_t i = 0; i < std::size(found); ++i) EXPECT_EQ(found[i].first, found[i].second) << "case " << i;
    EXPECT_EQ(messageOf<AIOOBE>([&] { v->indexOf(text("a"), -1); }), "Array index out of range: -1");
    // The plain index exception, not the array one (OpenJDK agrees; its text is "5 >= 5").
    EXPECT_EQ(messageOf<java::lang::IndexOutOfBoundsException>([&] { v->lastIndexOf(text("a"), 5); }),
              "index >= elementCount");
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

TEST(Vector, ToStringWritesEveryElementAndSearchesHoldTheMonitor) {
    testRuntime();
    VMPtr<Vector> shown = vector();
    EXPECT_EQ(show(shown), "[]");
    shown->addElement(text("a"));
    shown->addElement(nullptr);
    shown->addElement(number(-3));
    shown->addElement(shown);
    EXPECT_EQ(show(shown), "[a, null, -3, (this Collection)]") << "as OpenJDK writes it";

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
