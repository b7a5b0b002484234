// Hashtable and its enumerators: sizing, rehashing, chains, nulls, enumeration order, text,
// the monitor and collections. Sizing, bucket order and the text agree with OpenJDK 17.

#include <algorithm>

#include "pb_src/j2me/java_util_Hashtable.h"
#include "pb_src/j2me/java_util_HashtableEnumerator.h"
#include "pb_src/j2me/java_util_NoSuchElementException.h"
#include "tests/j2me/ClassLibrary.h"

namespace hashtabletest {

using java::lang::Class;
using java::lang::NullPointerException;
using java::lang::Object;
using java::lang::String;
using java::util::Enumeration;
using java::util::Hashtable;
using java::util::HashtableEntry;
using Strings = std::vector<std::string>;

// A key with a chosen hash code, equal to any Key of the same name; counts its calls.
class Key : public Object {
    VM_CLASS(Key, Object)
    VMPtr<Key> _VM_init(int32_t h, const char* n) {
        hash = h;
        name = String::fromUtf8(n);
        return this;
    }
    int32_t hashCode() override {
        ++hashCalls;
        return hash;
    }
    bool equals(VMPtr<Object> other) override {
        ++equalsCalls;
        if (watched) heldDuringEquals = watched->owner != nullptr;
        auto* key = dynamic_cast<Key*>(other.get());
        return key != nullptr && key->name->equals(name);
    }
    VMPtr<String> toString() override { return name; }
    void _VM_mark(uint32_t flags) override { vmMarkField(name, flags); }

    int32_t hash = 0;
    VMPtr<String> name{vmField()};
    int32_t hashCalls = 0;
    int32_t equalsCalls = 0;
    Object* watched = nullptr;
    bool heldDuringEquals = false;
};

VM_DEFINE_CLASS(Key, "test.Key", "java.lang.Object", VM_NO_CLINIT)

VMPtr<Key> key(int32_t hash, const char* name) {
    VMPtr<Key> k = Key::_VM_new();
    return k->_VM_init(hash, name);
}

using classlib::number;
using classlib::show;
using classlib::text;

VMPtr<Hashtable> table(int32_t capacity = 11) {
    VMPtr<Hashtable> t = Hashtable::_VM_new();
    return t->_VM_init(capacity);
}

// The texts of what an enumeration hands out, in order.
Strings drain(VMPtr<Enumeration> e) {
    Strings out;
    while (e->hasMoreElements()) out.push_back(show(e->nextElement()));
    return out;
}

// The names in one bucket's chain, head first.
Strings chain(const VMPtr<Hashtable>& t, int32_t bucket) {
    Strings out;
    for (HashtableEntry* e = t->table->at(bucket); e != nullptr; e = e->next.get())
        out.push_back(show(e->key));
    return out;
}

bool unlocked(const VMPtr<Hashtable>& t) { return static_cast<Object*>(t.get())->owner == nullptr; }

TEST(Hashtable, CapacityFromTheConstructorAndRehashesOnTheNinthAndEighteenthKeyReusingEntries) {
    testRuntime();
    VMPtr<Hashtable> one = table(0);
    EXPECT_EQ(one->table->length, 1);
    one->put(text("a"), text("1"));
    EXPECT_EQ(one->table->length, 3) << "the first put rehashes before inserting";
    EXPECT_EQ(one->size(), 1);
    EXPECT_EQ(Hashtable::thresholdFor(INT32_MAX), 1610612735) << "no overflow in capacity * 75";
    EXPECT_EQ(classlib::messageOf<java::lang::IllegalArgumentException>([] { table(-1); }), "<none>");
    VMPtr<Hashtable> t = table();
    std::vector<int32_t> capacities;
    HashtableEntry* first = nullptr;
    for (int32_t i = 0; i < 18; ++i) {
        EXPECT_EQ(t->put(number(i), number(i * 10)).get(), nullptr);
        if (i == 0) first = t->table->at(0);
        capacities.push_back(t->table->length);
    }
    EXPECT_EQ(capacities, (std::vector<int32_t>{11, 11, 11, 11, 11, 11, 11, 11, 23, 23, 23, 23, 23, 23, 23, 23, 23, 47}));
    EXPECT_EQ(t->threshold, 35);
    EXPECT_EQ(t->size(), 18);
    EXPECT_EQ(t->table->at(0), first) << "the entry of key 0 was moved, not copied";
    for (int32_t i = 0; i < 18; ++i) EXPECT_EQ(t->get(number(i))->hashCode(), i * 10) << i;
    EXPECT_EQ(t->get(number(18)).get(), nullptr);
}

TEST(Hashtable, PutOfAnExistingKeyReplacesTheValueOnly) {
    testRuntime();
    VMPtr<Hashtable> t = table(3);  // threshold 2
    VMPtr<Key> original = key(5, "k");
    t->put(original, text("1"));
    t->put(key(6, "other"), text("2"));
    ASSERT_EQ(t->size(), t->threshold);
    VMPtr<Key> again = key(5, "k");
    EXPECT_EQ(show(t->put(again, text("3"))), "1");
    EXPECT_EQ(t->size(), 2);
    EXPECT_EQ(t->table->length, 3) << "no rehash for a key already present";
    EXPECT_EQ(again->hashCalls, 1) << "the hash is asked once";
    EXPECT_EQ(t->table->at(2)->key.get(), static_cast<Object*>(original.get())) << "the first key stays";
    EXPECT_EQ(show(t->get(original)), "3");
}

TEST(Hashtable, CollidingKeysChainAndUnlink) {
    testRuntime();
    VMPtr<Hashtable> t = table();
    for (const char* name : {"a", "b", "c", "d"}) t->put(key(7, name), text(name));
    EXPECT_EQ(chain(t, 7), (Strings{"d", "c", "b", "a"})) << "newest at the head";

    // Equal hash alone does not match, nor does equal name under another hash.
    EXPECT_FALSE(t->containsKey(key(7, "e")));
    EXPECT_FALSE(t->containsKey(key(18, "a"))) << "bucket 7 too, but another hash";
    VMPtr<Key> probe = key(18, "a");
    t->get(probe);
    EXPECT_EQ(probe->equalsCalls, 0) << "hashes are compared before equals";

    EXPECT_EQ(show(t->remove(key(7, "c"))), "c");
    EXPECT_EQ(chain(t, 7), (Strings{"d", "b", "a"}));
    EXPECT_EQ(show(t->get(key(7, "a"))), "a") << "reached past the removed entry";
    EXPECT_EQ(show(t->remove(key(7, "d"))), "d");
    EXPECT_EQ(show(t->remove(key(7, "a"))), "a");
    EXPECT_EQ(chain(t, 7), (Strings{"b"}));
    EXPECT_EQ(t->remove(key(7, "a")).get(), nullptr);
    t->put(key(-1, "minus one"), text("x"));
    t->put(key(INT32_MIN, "min"), text("y"));
    EXPECT_EQ(chain(t, 1), (Strings{"minus one"})) << "negative hashes are masked: 2147483647 % 11";
    EXPECT_EQ(chain(t, 0), (Strings{"min"}));
    EXPECT_EQ(t->size(), 3);
}

TEST(Hashtable, RehashReversesKeysThatShareABucket) {
    testRuntime();
    VMPtr<Hashtable> t = table(3);
    t->put(key(1, "first"), text("1"));
    t->put(key(1, "second"), text("2"));
    EXPECT_EQ(chain(t, 1), (Strings{"second", "first"}));
    t->put(key(0, "third"), text("3"));  // count 2 = threshold: rehash to 7
    ASSERT_EQ(t->table->length, 7);
    EXPECT_EQ(chain(t, 1), (Strings{"first", "second"}));

    // Old buckets are emptied from the highest down: seven (old bucket 1) reaches new
    // bucket 0 before zero (old bucket 0) is pushed ahead of it.
    VMPtr<Hashtable> u = table(3);
    u->put(key(7, "seven"), text("7"));
    u->put(key(0, "zero"), text("0"));
    u->put(key(2, "two"), text("2"));
    ASSERT_EQ(u->table->length, 7);
    EXPECT_EQ(chain(u, 0), (Strings{"zero", "seven"}));
}

TEST(Hashtable, NullKeysAndValuesAreRefusedContainsAndClear) {
    testRuntime();
    VMPtr<Hashtable> t = table();
    t->put(text("k"), text("v"));
    for (const auto& call : std::initializer_list<std::function<void()>>{
             [&] { t->put(text("x"), nullptr); }, [&] { t->put(nullptr, text("v")); }, [&] { t->get(nullptr); },
             [&] { t->remove(nullptr); }, [&] { t->containsKey(nullptr); }, [&] { t->contains(nullptr); }})
        EXPECT_THROW(call(), NullPointerException*);
    EXPECT_EQ(show(t), "{k=v}");
    EXPECT_TRUE(unlocked(t)) << "every throwing call released the monitor";
    EXPECT_TRUE(t->contains(text("v"))) << "values compare by equals";
    EXPECT_FALSE(t->contains(text("k"))) << "keys are not values";

    t->clear();
    EXPECT_TRUE(t->isEmpty());
    EXPECT_EQ(show(t), "{}");
}

TEST(Hashtable, EnumeratorsWalkBucketsDownwardInMatchingOrder) {
    testRuntime();
    VMPtr<Hashtable> t = table();
    t->put(key(2, "k2"), text("v2"));
    t->put(key(9, "k9"), text("v9"));
    t->put(key(13, "k13"), text("v13"));  // bucket 2, ahead of k2
    EXPECT_EQ(drain(t->keys()), (Strings{"k9", "k13", "k2"}));
    EXPECT_EQ(drain(t->elements()), (Strings{"v9", "v13", "v2"}));

    VMPtr<Enumeration> e = t->keys();
    EXPECT_NE(dynamic_cast<java::util::HashtableEnumerator*>(e.get()), nullptr);
    drain(e);
    EXPECT_EQ(classlib::messageOf<java::util::NoSuchElementException>([&] { e->nextElement(); }), "HashtableEnumerator");

    VMPtr<java::util::HashtableEnumerator> orphan = java::util::HashtableEnumerator::_VM_new();
    EXPECT_THROW(orphan->_VM_init(nullptr, true), NullPointerException*);
}

TEST(Hashtable, AnEnumeratorKeepsTheBucketsItWasGiven) {
    testRuntime();
    VMPtr<Hashtable> t = table(3);
    t->put(key(0, "k0"), text("v0"));
    t->put(key(3, "k3"), text("v3"));  // bucket 0 of 3: k3, k0
    VMPtr<Enumeration> before = t->keys();
    t->put(key(1, "k1"), text("v1"));  // rehash to 7: k3 to bucket 3, k0 to bucket 0
    // The old bucket 0 still leads to k3, whose link now ends its new chain.
    EXPECT_EQ(drain(before), (Strings{"k3"}));
    // An enumerator that is part way through sees removals of what it has not reached.
    VMPtr<Enumeration> during = t->keys();
    EXPECT_EQ(show(during->nextElement()), "k3");
    t->remove(key(0, "k0"));
    EXPECT_EQ(drain(during), (Strings{"k1"}));
}

TEST(Hashtable, ToStringListsPairsInEnumerationOrder) {
    testRuntime();
    VMPtr<Hashtable> t = table();
    EXPECT_EQ(show(t), "{}");
    t->put(text("a"), text("1"));
    EXPECT_EQ(show(t), "{a=1}");

    // OpenJDK 17 writes this very text for the same puts.
    VMPtr<Hashtable> numbers = table();
    for (int32_t i = 0; i < 12; ++i) numbers->put(number(i * 7), String::withNumber("v", i));
    EXPECT_EQ(show(numbers),
              "{21=v3, 42=v6, 63=v9, 14=v2, 35=v5, 56=v8, 77=v11, 7=v1, 28=v4, 49=v7, 70=v10, 0=v0}");

    VMPtr<Hashtable> self = table();
    self->put(text("k"), self);
    EXPECT_EQ(show(self), "{k=(this Map)}") << "as OpenJDK writes it";
    EXPECT_TRUE(unlocked(self));
}

TEST(Hashtable, LookupsHoldTheMonitor) {
    testRuntime();
    VMPtr<Hashtable> t = table();
    t->put(key(4, "a"), text("1"));
    VMPtr<Key> probe = key(4, "a");
    probe->watched = t.get();
    EXPECT_TRUE(t->containsKey(probe));
    // equals runs on the stored key with the argument; the probe sees the other side.
    EXPECT_EQ(probe->equalsCalls, 0);
    VMPtr<Key> stored = dynamic_cast<Key*>(t->keys()->nextElement().get());
    stored->watched = t.get();
    EXPECT_TRUE(t->containsKey(probe));
    EXPECT_EQ(stored->equalsCalls, 2);
    EXPECT_TRUE(stored->heldDuringEquals);
    EXPECT_TRUE(unlocked(t));
}

TEST(Hashtable, EntriesSurviveCollectionsWhileHeld) {
    VM* vm = testRuntime();
    VMPtr<Hashtable> t = table();
    VMPtr<Object> tailKey(VMWeakScope::instance());
    VMPtr<Object> tailValue(VMWeakScope::instance());
    VMPtr<Object> removedValue(VMWeakScope::instance());
    {
        VMPtr<Key> k = key(3, "tail");
        VMPtr<Object> v = text("tail value");
        tailKey = k;
        tailValue = v;
        t->put(k, v);  // the tail of bucket 3: reached only through the entries' links
        t->put(key(3, "middle"), text("m"));
        t->put(key(3, "head"), text("h"));
        VMPtr<Object> gone = text("gone");
        removedValue = gone;
        t->put(key(5, "removed"), gone);
    }
    for (int32_t i = 0; i < 20; ++i) t->put(number(i), number(-i));  // rehashes twice
    t->remove(key(5, "removed"));
    VMPtr<Enumeration> values = t->elements();
    t = nullptr;
    vm->collect();
    ASSERT_FALSE(tailKey.isNull());
    ASSERT_FALSE(tailValue.isNull());
    EXPECT_TRUE(removedValue.isNull()) << "a removed entry is no longer held";
    Strings all = drain(values);
    EXPECT_EQ(all.size(), 23u);
    EXPECT_NE(std::find(all.begin(), all.end(), "tail value"), all.end());
}

}  // namespace hashtabletest
