// RecordStore and its enumeration over the platform's stores in a temporary database folder:
// argument and open checks, ids, listeners, reads into callers' buffers, and the cursor,
// filter, comparator and keep-updated rules of the enumeration.

#include <csignal>
#include <cstdlib>
#include <sys/wait.h>
#include <unistd.h>

#include "pb_src/j2me/java_lang_IllegalStateException.h"
#include "pb_src/j2me/javax_microedition_rms_InvalidRecordIDException.h"
#include "pb_src/j2me/javax_microedition_rms_RecordStore.h"
#include "pb_src/j2me/javax_microedition_rms_RecordStoreNotFoundException.h"
#include "pb_src/j2me/javax_microedition_rms_RecordStoreNotOpenException.h"
#include "tests/support/TemporaryFolder.h"
#include "tests/j2me/ClassLibrary.h"

namespace rmstest {

using namespace javax::microedition::rms;
using java::lang::String;
using AIOOBE = java::lang::ArrayIndexOutOfBoundsException;
using Bytes = VMArray<int8_t, 1>;

VMPtr<String> text(const std::string& s) { return String::fromUtf8(s.c_str()); }

VMPtr<Bytes> bytes(const std::string& s) {
    VMPtr<Bytes> array = Bytes::_VM_new(int32_t(s.size()));
    for (size_t i = 0; i < s.size(); ++i) array->elements()[i] = int8_t(s[i]);
    return array;
}

std::string str(const VMPtr<Bytes>& array) { return std::string(reinterpret_cast<char*>(array->elements()), size_t(array->length)); }

class RecordStoreTest : public testing::Test {
protected:
    void SetUp() override {
        setenv("OSTREL_DATABASE_DIR", (folder.path() + "/database").c_str(), 1);
        testRuntime();
    }
    static VMPtr<RecordStore> open(const char* name = "s", bool create = true) {
        return RecordStore::openRecordStore(text(name), create);
    }
    static int32_t add(const VMPtr<RecordStore>& store, const std::string& data) {
        return store->addRecord(bytes(data), 0, int32_t(data.size()));
    }
    static std::vector<int32_t> walk(const VMPtr<RecordEnumeration>& e) {
        std::vector<int32_t> ids;
        while (e->hasNextElement()) ids.push_back(e->nextRecordId());
        return ids;
    }
    TemporaryFolder folder;
};

// Records ordered by their first byte; counts the listener calls of a store.
class FirstByteOrder : public virtual java::lang::Object, public virtual RecordComparator {
    VM_CLASS(FirstByteOrder, java::lang::Object)
    int32_t compare(VMPtr<Bytes> a, VMPtr<Bytes> b) override {
        return a->at(0) < b->at(0) ? PRECEDES : a->at(0) > b->at(0) ? FOLLOWS : EQUIVALENT;
    }
};
class NotLetterX : public virtual java::lang::Object, public virtual RecordFilter {
    VM_CLASS(NotLetterX, java::lang::Object)
    bool matches(VMPtr<Bytes> candidate) override { return candidate->length == 0 || candidate->at(0) != 'x'; }
};
class Counting : public virtual java::lang::Object, public virtual RecordListener {
    VM_CLASS(Counting, java::lang::Object)
    void recordAdded(VMPtr<RecordStore>, int32_t id) override { seen += "a" + std::to_string(id); }
    void recordChanged(VMPtr<RecordStore>, int32_t id) override { seen += "c" + std::to_string(id); }
    void recordDeleted(VMPtr<RecordStore>, int32_t id) override { seen += "d" + std::to_string(id); }
    std::string seen;
};
VM_DEFINE_CLASS(rmstest::FirstByteOrder, "rmstest.FirstByteOrder", "java.lang.Object", VM_NO_CLINIT)
VM_DEFINE_CLASS(rmstest::NotLetterX, "rmstest.NotLetterX", "java.lang.Object", VM_NO_CLINIT)
VM_DEFINE_CLASS(rmstest::Counting, "rmstest.Counting", "java.lang.Object", VM_NO_CLINIT)

TEST_F(RecordStoreTest, NamesAreCheckedAndAMissingStoreIsOnlyMadeWhenAsked) {
    EXPECT_THROW(RecordStore::openRecordStore(nullptr, true), java::lang::NullPointerException*);
    for (size_t length : {0u, 33u})
        EXPECT_THROW(open(std::string(length, 'n').c_str()), java::lang::IllegalArgumentException*) << length;
    EXPECT_EQ(RecordStore::listRecordStores().get(), nullptr) << "null, not an empty array";
    EXPECT_THROW(open("s", false), RecordStoreNotFoundException*);
    VMPtr<RecordStore> store = open(std::string(32, 'n').c_str());
    EXPECT_EQ(add(store, "first"), 1);
    VMPtr<VMArray<String*, 1>> names = RecordStore::listRecordStores();
    ASSERT_EQ(names->length, 1);
    EXPECT_EQ(names->at(0)->toUtf8(), std::string(32, 'n'));
    EXPECT_THROW(RecordStore::deleteRecordStore(text("absent")), RecordStoreNotFoundException*);
}

TEST_F(RecordStoreTest, AClosedStoreRefusesEverythingButIsOpenAndListeners) {
    VMPtr<RecordStore> store = open();
    VMPtr<RecordStore> second = open();
    store->closeRecordStore();
    EXPECT_FALSE(store->isOpen());
    EXPECT_TRUE(second->isOpen()) << "each open has a handle of its own";
    const std::vector<void (*)(RecordStore*)> refused = {
        [](RecordStore* s) { s->closeRecordStore(); },  [](RecordStore* s) { s->getName(); },
        [](RecordStore* s) { s->getNumRecords(); },     [](RecordStore* s) { s->getNextRecordID(); },
        [](RecordStore* s) { s->getRecord(1); },        [](RecordStore* s) { s->deleteRecord(1); },
        [](RecordStore* s) { s->addRecord(nullptr, 0, 0); },
        [](RecordStore* s) { s->enumerateRecords(nullptr, nullptr, false); },
    };
    for (auto call : refused) EXPECT_THROW(call(store.get()), RecordStoreNotOpenException*);
    EXPECT_THROW(store->addRecord(nullptr, 0, 1), java::lang::NullPointerException*) << "null data is checked first";
    store->addRecordListener(Counting::_VM_new());
}

TEST_F(RecordStoreTest, IdsRiseAfterDeletesAndTwoOpensShareOneCounter) {
    VMPtr<RecordStore> a = open();
    VMPtr<RecordStore> b = open();
    EXPECT_EQ(add(a, "1"), 1);
    EXPECT_EQ(add(b, "2"), 2);
    a->deleteRecord(2);
    EXPECT_EQ(add(b, "3"), 3);
    EXPECT_EQ(a->addRecord(nullptr, 0, 0), 4) << "an empty record";
    EXPECT_EQ(b->getRecord(4)->length, 0);
    EXPECT_EQ(a->getNumRecords(), 3);
    EXPECT_THROW(a->getRecord(2), InvalidRecordIDException*);
    EXPECT_THROW(a->deleteRecord(2), InvalidRecordIDException*);
    VMPtr<VMArray<int32_t, 1>> ids = b->getRecordIDs();
    EXPECT_EQ((std::vector<int32_t>(ids->elements(), ids->elements() + ids->length)), (std::vector<int32_t>{1, 3, 4}));
}

TEST_F(RecordStoreTest, RangesAreCheckedWithoutOverflowAndNothingIsWrittenPastABuffer) {
    VMPtr<RecordStore> store = open();
    for (auto [offset, count] : {std::pair{2, 3}, {-1, 1}, {0, -1}, {0x7FFFFFFF, 1}, {1, 0x7FFFFFFF}}) {
        EXPECT_THROW(store->addRecord(bytes("abcd"), offset, count), AIOOBE*) << offset << "," << count;
        EXPECT_THROW(store->setRecord(1, bytes("abcd"), offset, count), AIOOBE*) << offset << "," << count;
    }
    const int32_t id = add(store, "hello");
    VMPtr<Bytes> buffer = bytes("..........");
    EXPECT_EQ(store->getRecord(id, buffer, 5), 5);
    EXPECT_EQ(str(buffer), ".....hello");
    for (int32_t offset : {6, 11, -1}) EXPECT_THROW(store->getRecord(id, buffer, offset), AIOOBE*) << offset;
    EXPECT_EQ(str(buffer), ".....hello") << "a record that does not fit is not copied";
    EXPECT_THROW(store->getRecord(id, nullptr, 0), java::lang::NullPointerException*);
}

TEST_F(RecordStoreTest, ListenersHearEachSuccessfulChangeOnce) {
    VMPtr<RecordStore> store = open();
    VMPtr<Counting> listener = Counting::_VM_new();
    store->addRecordListener(listener);
    store->addRecordListener(listener);
    const int32_t id = add(store, "x");
    store->setRecord(id, bytes("y"), 0, 1);
    EXPECT_THROW(store->setRecord(9, bytes("y"), 0, 1), RecordStoreException*);
    EXPECT_THROW(store->deleteRecord(9), InvalidRecordIDException*);
    store->deleteRecord(id);
    store->removeRecordListener(listener);
    add(store, "z");
    EXPECT_EQ(listener->seen, "a1c1d1");
}

TEST_F(RecordStoreTest, TheCursorWalksBothWaysAndStopsAtTheEnds) {
    VMPtr<RecordStore> store = open();
    VMPtr<RecordEnumeration> empty = store->enumerateRecords(nullptr, nullptr, false);
    EXPECT_EQ(empty->numRecords(), 0);
    EXPECT_FALSE(empty->hasNextElement() || empty->hasPreviousElement());
    EXPECT_THROW(empty->nextRecordId(), InvalidRecordIDException*);
    EXPECT_THROW(empty->previousRecordId(), InvalidRecordIDException*);
    for (const char* r : {"a", "b", "c"}) add(store, r);
    VMPtr<RecordEnumeration> e = store->enumerateRecords(nullptr, nullptr, false);
    EXPECT_EQ(e->nextRecordId(), 1);
    EXPECT_EQ(str(e->nextRecord()), "b");
    e->reset();
    EXPECT_EQ(e->previousRecordId(), 3);
    EXPECT_EQ(walk(e), std::vector<int32_t>{}) << "at the last id";
    store->deleteRecord(2);
    e->reset();
    e->nextRecordId();
    EXPECT_THROW(e->nextRecord(), InvalidRecordIDException*) << "not kept updated: the id stays";
    EXPECT_EQ(e->nextRecordId(), 3) << "the cursor moved all the same";
    e->destroy();
    EXPECT_THROW(e->numRecords(), java::lang::IllegalStateException*);
    EXPECT_THROW(e->destroy(), java::lang::IllegalStateException*);
}

TEST_F(RecordStoreTest, FilterAndComparatorChooseAndOrder) {
    VMPtr<RecordStore> store = open();
    for (const char* r : {"d", "x1", "b", "a", "x2", "c"}) add(store, r);
    VMPtr<RecordEnumeration> e = store->enumerateRecords(NotLetterX::_VM_new(), FirstByteOrder::_VM_new(), false);
    EXPECT_EQ(walk(e), (std::vector<int32_t>{4, 3, 6, 1}));
}

TEST_F(RecordStoreTest, KeptUpdatedItPlacesChangesAtOnce) {
    VMPtr<RecordStore> store = open();
    for (const char* r : {"a", "b", "c"}) add(store, r);
    VMPtr<RecordEnumeration> plain = store->enumerateRecords(nullptr, nullptr, true);
    EXPECT_EQ(plain->nextRecordId(), 1);
    EXPECT_EQ(plain->nextRecordId(), 2);
    add(store, "d");  // id 4, enumerated first; the cursor stays on id 2
    EXPECT_EQ(plain->nextRecordId(), 3);
    plain->reset();
    EXPECT_EQ(walk(plain), (std::vector<int32_t>{4, 1, 2, 3}));

    VMPtr<RecordEnumeration> sorted = store->enumerateRecords(nullptr, FirstByteOrder::_VM_new(), true);
    add(store, "b");     // id 5: before the equivalent id 2
    store->deleteRecord(1);
    store->setRecord(3, bytes("a"), 0, 1);  // moves to the front
    EXPECT_EQ(walk(sorted), (std::vector<int32_t>{3, 5, 2, 4}));
    sorted->keepUpdated(false);
    add(store, "0");
    sorted->reset();
    EXPECT_EQ(sorted->numRecords(), 4);
    sorted->destroy();
    EXPECT_NO_THROW(add(store, "1")) << "a destroyed enumeration is no longer told";
}

// Destroying an enumeration that is still kept updated takes it off the store's
// listeners: later changes reach only the listeners that remain.
TEST_F(RecordStoreTest, DestroyStopsAKeptUpdatedEnumerationListening) {
    VMPtr<RecordStore> store = open();
    add(store, "a");
    VMPtr<Counting> listener = Counting::_VM_new();
    store->addRecordListener(listener);
    VMPtr<RecordEnumeration> e = store->enumerateRecords(nullptr, nullptr, true);
    EXPECT_EQ(store->recordListeners->size(), 2);
    e->destroy();
    EXPECT_EQ(store->recordListeners->size(), 1);
    EXPECT_TRUE(store->recordListeners->contains(listener));
    EXPECT_NO_THROW(add(store, "b"));
    EXPECT_NO_THROW(store->setRecord(1, bytes("c"), 0, 1));
    EXPECT_NO_THROW(store->deleteRecord(2));
    EXPECT_EQ(listener->seen, "a2c1d2");
}

}  // namespace rmstest

namespace rmstest {

// The game's way of saving: a 20-byte and a 25-byte record replaced in place, again and
// again. A child saves through the profile and reports each acknowledged generation over a
// pipe; it is killed with SIGKILL at moments drawn from a fixed seed, after its first save.
// Each record must then read back whole, as the last acknowledged generation or the one in
// flight.
std::string progress(uint32_t generation, int32_t length) {
    std::string bytes(size_t(length), '\0');
    for (int32_t i = 0; i < length; ++i) bytes[size_t(i)] = char((generation * 31 + uint32_t(i)) & 0xFF);
    return bytes;
}

TEST_F(RecordStoreTest, SavesThroughTheProfileSurviveSigkillAtAnyMoment) {
    constexpr int32_t kLengths[2] = {20, 25};
    {
        VMPtr<RecordStore> store = open("progress");
        for (int32_t length : kLengths) add(store, progress(0, length));
        store->closeRecordStore();
    }
    uint32_t acknowledged = 0;
    uint32_t seed = 12345;
    for (int kill = 0; kill < 10; ++kill) {
        int ends[2];
        ASSERT_EQ(::pipe(ends), 0);
        const pid_t child = ::fork();
        if (child == 0) {
            ::close(ends[0]);
            VMPtr<RecordStore> store = open("progress", false);
            for (uint32_t generation = acknowledged + 1;; ++generation) {
                for (int32_t id = 1; id <= 2; ++id)
                    store->setRecord(id, bytes(progress(generation, kLengths[id - 1])), 0, kLengths[id - 1]);
                if (::write(ends[1], &generation, sizeof generation) != sizeof generation) _exit(3);
            }
        }
        ::close(ends[1]);
        // The moment is counted from the child's first acknowledged save, so that a busy
        // machine still lets every child save before it dies.
        uint32_t reported;
        if (::read(ends[0], &reported, sizeof reported) == ssize_t(sizeof reported)) acknowledged = reported;
        seed = seed * 1103515245 + 12345;
        ::usleep(useconds_t(10000 + (seed >> 8) % 50000));
        ::kill(child, SIGKILL);
        while (::read(ends[0], &reported, sizeof reported) == ssize_t(sizeof reported)) acknowledged = reported;
        ::close(ends[0]);
        int status = 0;
        ::waitpid(child, &status, 0);
        ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL) << "the child ended by itself: " << status;

        VMPtr<RecordStore> store = open("progress", false);
        ASSERT_EQ(store->getNumRecords(), 2);
        for (int32_t id = 1; id <= 2; ++id) {
            const std::string saved = str(store->getRecord(id));
            EXPECT_TRUE(saved == progress(acknowledged, kLengths[id - 1]) || saved == progress(acknowledged + 1, kLengths[id - 1]))
                << "record " << id << " after the kill at generation " << acknowledged;
        }
        store->closeRecordStore();
    }
    EXPECT_GT(acknowledged, 2u) << "the children got to save";
}

}  // namespace rmstest
