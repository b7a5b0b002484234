#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <thread>
#include <vector>

#include "hal/base/SystemClock.h"
#include "hal/services/DatabaseFolder.h"
#include "hal/services/ModulePath.h"
#include "hal/services/RecordStoreFaults.h"
#include "hal/services/RecordStores.h"
#include "hal/services/StoreMetadata.h"
#include "tests/support/TemporaryFolder.h"

namespace fs = std::filesystem;

namespace {

class RecordStores : public testing::Test {
protected:
    void SetUp() override { setenv("OSTREL_DATABASE_DIR", database().c_str(), 1); }
    void TearDown() override { HAL_setRecordStoreFaultHook(nullptr); }

    std::string database() const { return folder.path() + "/database"; }
    std::string storeFolder(const std::string& folderName) const { return database() + "/" + folderName; }

    static HALRecordStore* open(const std::u16string& name, int32_t create = 1) {
        HALRecordStore* store = nullptr;
        EXPECT_EQ(HAL_openRecordStore(&store, name.data(), int32_t(name.size()), create), 0);
        return store;
    }
    static int32_t add(HALRecordStore* store, const std::string& bytes) {
        int32_t id = -1;
        EXPECT_EQ(HAL_addRecord(store, &id, bytes.data(), int32_t(bytes.size())), 0);
        return id;
    }
    // The record's bytes, or "<code>" when it cannot be read.
    static std::string read(HALRecordStore* store, int32_t id) {
        std::string bytes(100, '\0');
        int32_t length = int32_t(bytes.size());
        const int result = HAL_getRecord(store, id, bytes.data(), &length);
        if (result != 0) return std::string(1, '<').append(std::to_string(result)).append(1, '>');
        return bytes.substr(0, size_t(length));
    }
    static std::vector<int32_t> ids(HALRecordStore* store) {
        std::vector<int32_t> listed;
        int32_t id = 0;
        for (int32_t n = 1; HAL_getNthRecordID(store, n, &id) == 0; ++n) listed.push_back(id);
        return listed;
    }
    template <class T>
    static T numberOf(int (*get)(HALRecordStore*, T*), HALRecordStore* store) {
        T value = -1;
        EXPECT_EQ(get(store, &value), 0);
        return value;
    }
    std::vector<std::string> entries(const std::string& path) const {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(path)) names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }
    StoreMetadata metadataFile(const std::string& folderName) const {
        std::ifstream file(storeFolder(folderName) + "/metadata.info", std::ios::binary);
        const std::string bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
        StoreMetadata metadata;
        EXPECT_TRUE(metadata.decode(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size()));
        EXPECT_EQ(bytes.size(), StoreMetadata::kFileSize);
        return metadata;
    }
    void writeMetadata(const std::string& folderName, const StoreMetadata& metadata, size_t size = StoreMetadata::kFileSize) {
        uint8_t bytes[StoreMetadata::kFileSize];
        metadata.encode(bytes);
        folder.write("database/" + folderName + "/metadata.info", std::string(reinterpret_cast<char*>(bytes), size));
    }

    TemporaryFolder folder;
};

TEST_F(RecordStores, ANewStoreIsMadeOnlyWhenAsked) {
    HALRecordStore* store = reinterpret_cast<HALRecordStore*>(1);
    EXPECT_EQ(HAL_openRecordStore(&store, u"Scores", 6, 0), 4);
    EXPECT_EQ(store, nullptr);
    EXPECT_EQ(entries(database()), std::vector<std::string>{}) << "nothing made for a missing store";

    const int64_t before = HAL_currentTimeMillis();
    store = open(u"Scores");
    EXPECT_EQ(entries(storeFolder("store-Scores")), std::vector<std::string>{"metadata.info"});
    StoreMetadata expected;  // version 0, next id 1, size 0, no records
    expected.lastModified = metadataFile("store-Scores").lastModified;
    EXPECT_EQ(metadataFile("store-Scores"), expected);
    EXPECT_GE(expected.lastModified, before);
    EXPECT_EQ(numberOf(HAL_getRecordStoreLastModified, store), expected.lastModified) << "all 64 bits";
    EXPECT_EQ(numberOf(HAL_getNextRecordID, store), 1);
    EXPECT_EQ(numberOf(HAL_getNumRecords, store) + numberOf(HAL_getRecordStoreVersion, store) + numberOf(HAL_getRecordStoreSize, store), 0);
    HAL_closeRecordStore(store);
    HAL_closeRecordStore(nullptr);

    EXPECT_EQ(HAL_openRecordStore(&store, nullptr, 3, 1), 4);
    EXPECT_EQ(HAL_openRecordStore(&store, u"x", 0, 1), 4);
    EXPECT_EQ(HAL_openRecordStore(nullptr, u"x", 1, 1), 2);
    const std::u16string longest(32, u'n'), tooLong(33, u'n');
    HAL_closeRecordStore(open(longest));
    EXPECT_EQ(HAL_openRecordStore(&store, tooLong.data(), 33, 1), 2);
    EXPECT_EQ(HAL_openRecordStore(&store, tooLong.data(), 33, 0), 4);
}

TEST_F(RecordStores, IdsRiseFromOneAndAreNeverGivenTwice) {
    HALRecordStore* store = open(u"s");
    EXPECT_EQ(add(store, "one"), 1);
    EXPECT_EQ(add(store, "two"), 2);
    EXPECT_EQ(add(store, "three"), 3);
    EXPECT_EQ(entries(storeFolder("store-s")),
              (std::vector<std::string>{"metadata.info", "record-1.bin", "record-2.bin", "record-3.bin"}));
    EXPECT_EQ(HAL_deleteRecord(store, 2), 0);
    EXPECT_EQ(add(store, "four"), 4);
    EXPECT_EQ(ids(store), (std::vector<int32_t>{1, 3, 4}));
    int32_t id = -1;
    EXPECT_EQ(HAL_getNthRecordID(store, 0, &id), 4);
    EXPECT_EQ(HAL_getNthRecordID(store, 4, &id), 4) << "beyond the last record";
    EXPECT_EQ(id, -1);
    // Deleting the highest record does not lower the next id, also across a reopen.
    EXPECT_EQ(HAL_deleteRecord(store, 4), 0);
    HAL_closeRecordStore(store);
    store = open(u"s", 0);
    EXPECT_EQ(numberOf(HAL_getNextRecordID, store), 5);
    EXPECT_EQ(ids(store), (std::vector<int32_t>{1, 3}));
    EXPECT_EQ(read(store, 3), "three");
    HAL_closeRecordStore(store);

    HALRecordStore* empty = open(u"empty");
    EXPECT_EQ(HAL_getNthRecordID(empty, 1, &id), 4) << "an empty store has no first record";
    HAL_closeRecordStore(empty);
}

TEST_F(RecordStores, CountAndSizeStayTrueThroughAddsSetsAndDeletes) {
    HALRecordStore* store = open(u"s");
    add(store, std::string(10, 'a'));
    add(store, std::string(20, 'b'));
    EXPECT_EQ(numberOf(HAL_getRecordStoreSize, store), 30);
    EXPECT_EQ(HAL_setRecord(store, 1, "12345", 5), 0);
    EXPECT_EQ(numberOf(HAL_getRecordStoreSize, store), 25);
    EXPECT_EQ(HAL_deleteRecord(store, 2), 0);
    EXPECT_EQ(numberOf(HAL_getRecordStoreSize, store), 5);
    EXPECT_EQ(numberOf(HAL_getNumRecords, store), 1);
    EXPECT_EQ(read(store, 1), "12345");
    const StoreMetadata saved = metadataFile("store-s");
    EXPECT_TRUE(saved.size == 5u && saved.recordCount == 1 && saved.nextRecordId == 3);
    HAL_closeRecordStore(store);
}

TEST_F(RecordStores, EmptyRecordsBadDataAndRoomThatDoesNotHoldTheRecord) {
    HALRecordStore* store = open(u"s");
    int32_t id = -1, size = -1, length = 0;
    EXPECT_EQ(HAL_addRecord(store, &id, nullptr, 0), 0) << "no data and no length: an empty record";
    EXPECT_EQ(fs::file_size(storeFolder("store-s") + "/record-1.bin"), 0u);
    EXPECT_EQ(HAL_getRecordSize(store, id, &size), 0);
    EXPECT_EQ(size, 0);
    EXPECT_EQ(HAL_getRecord(store, id, nullptr, &length), 0);
    for (int code : {HAL_addRecord(store, &id, nullptr, 3), HAL_addRecord(store, &id, "abc", -1),
                     HAL_addRecord(store, nullptr, "abc", 3), HAL_addRecord(nullptr, &id, "abc", 3),
                     HAL_setRecord(store, 1, nullptr, 1)})
        EXPECT_EQ(code, 2);
    EXPECT_EQ(add(store, "0123456789"), 2);
    char buffer[16];
    std::fill(std::begin(buffer), std::end(buffer), 'x');
    length = 4;
    EXPECT_EQ(HAL_getRecord(store, 2, buffer, &length), 2);
    EXPECT_EQ(length, 10) << "the size the caller needs";
    EXPECT_EQ(std::string(buffer, 16), std::string(16, 'x')) << "nothing written";
    EXPECT_EQ(HAL_getRecord(store, 2, buffer, &length), 0);
    EXPECT_EQ(std::string(buffer, 16), "0123456789xxxxxx");
    for (int code : {HAL_getRecord(store, 2, nullptr, &length), HAL_getRecord(store, 2, buffer, nullptr),
                     HAL_getRecord(nullptr, 2, buffer, &length)})
        EXPECT_EQ(code, 2);
    EXPECT_EQ(HAL_setRecord(store, 2, nullptr, 0), 0);
    EXPECT_EQ(read(store, 2), "");
    EXPECT_EQ(numberOf(HAL_getNumRecords, store), 2);
    HAL_closeRecordStore(store);
}

TEST_F(RecordStores, MissingRecordsAreNotFoundAndNeverCreated) {
    HALRecordStore* store = open(u"s");
    add(store, "kept");
    for (const int32_t id : {2, 0, -1, INT32_MAX}) {
        int32_t size = -1;
        EXPECT_EQ(HAL_deleteRecord(store, id), 4);
        EXPECT_EQ(HAL_getRecordSize(store, id, &size), 4);
        EXPECT_EQ(read(store, id), "<4>");
        EXPECT_EQ(HAL_setRecord(store, id, "new", 3), 4);
    }
    EXPECT_EQ(entries(storeFolder("store-s")), (std::vector<std::string>{"metadata.info", "record-1.bin"}));
    EXPECT_EQ(numberOf(HAL_getNumRecords, store), 1);
    EXPECT_EQ(numberOf(HAL_getNextRecordID, store), 2);

    // A null store: bad argument for record operations, not found for the counters.
    int32_t value = 0;
    int64_t time = 0;
    for (int code : {HAL_setRecord(nullptr, 1, "x", 1), HAL_deleteRecord(nullptr, 1), HAL_getRecordSize(nullptr, 1, &value),
                     HAL_getRecordSize(store, 1, nullptr), HAL_getNthRecordID(store, 1, nullptr),
                     HAL_getNumRecords(store, nullptr), HAL_getNextRecordID(nullptr, &value),
                     HAL_getNextRecordID(store, nullptr)})
        EXPECT_EQ(code, 2);
    for (int code : {HAL_getNthRecordID(nullptr, 1, &value), HAL_getNumRecords(nullptr, &value),
                     HAL_getRecordStoreVersion(nullptr, &value), HAL_getRecordStoreSize(nullptr, &value),
                     HAL_getRecordStoreLastModified(nullptr, &time)})
        EXPECT_EQ(code, 4);
    HAL_closeRecordStore(store);
}

TEST_F(RecordStores, NamesStayInsideTheDatabaseFolderAndListAsGiven) {
    const std::vector<std::u16string> names = {u"../escape", u"a/b", u"\\x", u"..", u"%41", u"\u00dcber \U0001F600",
                                               std::u16string(u"nul\0", 4)};
    for (const std::u16string& name : names) HAL_closeRecordStore(open(name));
    EXPECT_EQ(entries(folder.path()), std::vector<std::string>{"database"}) << "nothing outside the database folder";
    EXPECT_EQ(entries(database()).size(), names.size());
    std::vector<std::u16string> sorted = names;
    std::sort(sorted.begin(), sorted.end());
    ASSERT_EQ(HAL_getNumRecordStores(), int32_t(names.size()));
    for (int32_t n = 1; n <= HAL_getNumRecordStores(); ++n) {
        char16_t buffer[34];
        int32_t length = 34;
        ASSERT_EQ(HAL_getNthRecordStoreName(n, buffer, &length), 0);
        EXPECT_EQ(std::u16string(buffer, size_t(length)), sorted[size_t(n) - 1]);
        EXPECT_EQ(buffer[length], u'\0');
    }
    // The reopened store is the same one.
    HALRecordStore* store = open(u"../escape", 0);
    ASSERT_NE(store, nullptr);
    HAL_closeRecordStore(store);
}

TEST_F(RecordStores, ListingIsBoundedByTheRoomGiven) {
    HAL_closeRecordStore(open(u"abcdef"));
    char16_t buffer[8] = {u'x', u'x', u'x', u'x', u'x', u'x', u'x', u'x'};
    int32_t length = 5;
    EXPECT_EQ(HAL_getNthRecordStoreName(1, buffer, &length), 2);
    EXPECT_EQ(length, 6);
    EXPECT_EQ(std::u16string(buffer, 8), u"xxxxxxxx");
    EXPECT_EQ(HAL_getNthRecordStoreName(1, buffer, &length), 0) << "exactly the room: no terminator";
    EXPECT_EQ(std::u16string(buffer, 8), u"abcdefxx");
    EXPECT_EQ(HAL_getNthRecordStoreName(2, buffer, &length), 4);
    EXPECT_EQ(HAL_getNthRecordStoreName(0, buffer, &length), 2);
    EXPECT_EQ(HAL_getNthRecordStoreName(1, buffer, nullptr), 2);
}

TEST_F(RecordStores, EntriesThatAreNoStoresAreIgnored) {
    for (const char* name : {"store-", "store-%2f00", "store-%0041", "store-%12", "other"}) folder.makeFolder("database/" + std::string(name));
    folder.write("database/store-file", "a file, not a folder");
    folder.write("database/Game.instance", "");
    fs::create_directory_symlink(folder.path(), database() + "/store-link");
    EXPECT_EQ(HAL_getNumRecordStores(), 0);
    char16_t buffer[34];
    int32_t length = 34;
    EXPECT_EQ(HAL_getNthRecordStoreName(1, buffer, &length), 4);
    HALRecordStore* store = nullptr;
    EXPECT_EQ(HAL_openRecordStore(&store, u"link", 4, 0), 4) << "a link is no store folder";
    EXPECT_EQ(HAL_openRecordStore(&store, u"file", 4, 1), 7) << "a file holds the store's name";
    EXPECT_EQ(HAL_deleteRecordStore(u"file", 4), 4);
    EXPECT_TRUE(fs::exists(database() + "/store-file"));

    // A store folder made by hand is a store: it opens as a new one.
    folder.makeFolder("database/store-ok");
    ASSERT_EQ(HAL_getNumRecordStores(), 1);
    ASSERT_EQ(HAL_getNthRecordStoreName(1, buffer, &length), 0);
    EXPECT_EQ(std::u16string(buffer, size_t(length)), u"ok");
    store = open(u"ok", 0);
    EXPECT_EQ(numberOf(HAL_getNextRecordID, store), 1);
    EXPECT_EQ(metadataFile("store-ok").recordCount, 0);
    HAL_closeRecordStore(store);
}

TEST_F(RecordStores, DeletingAStoreRemovesItAndItsOpenHandlesFindNothing) {
    EXPECT_EQ(HAL_deleteRecordStore(u"s", 1), 4) << "no database folder";
    HALRecordStore* store = open(u"s");
    add(store, "saved");
    add(store, "more");
    EXPECT_EQ(HAL_deleteRecordStore(u"s", 1), 0);
    EXPECT_EQ(entries(database()), std::vector<std::string>{}) << "no folder left, renamed or not";
    EXPECT_EQ(HAL_getNumRecordStores(), 0);
    EXPECT_EQ(HAL_deleteRecordStore(u"s", 1), 4);
    EXPECT_EQ(HAL_deleteRecordStore(nullptr, 1), 4);

    int32_t id = 0;
    EXPECT_EQ(HAL_addRecord(store, &id, "late", 4), 7) << "a deleted store takes no records";
    EXPECT_EQ(read(store, 1), "<4>");
    EXPECT_EQ(HAL_setRecord(store, 1, "x", 1), 4);
    EXPECT_EQ(numberOf(HAL_getNumRecords, store), 0);
    EXPECT_EQ(numberOf(HAL_getRecordStoreSize, store), 0);

    HALRecordStore* again = open(u"s");
    EXPECT_EQ(add(again, "fresh"), 1) << "a new store of the old name starts over";
    EXPECT_EQ(HAL_addRecord(store, &id, "late", 4), 7) << "the old handle never reaches the new store";
    EXPECT_EQ(ids(again), std::vector<int32_t>{1});
    HAL_closeRecordStore(store);
    HAL_closeRecordStore(again);
}

TEST_F(RecordStores, HandlesOfOneStoreShareItsCounters) {
    HALRecordStore* first = open(u"s");
    HALRecordStore* second = open(u"s");
    EXPECT_EQ(add(first, "a"), 1);
    EXPECT_EQ(add(second, "b"), 2);
    EXPECT_EQ(numberOf(HAL_getNumRecords, first), 2);
    HAL_closeRecordStore(first);
    EXPECT_EQ(add(second, "c"), 3);
    EXPECT_EQ(read(second, 1), "a");
    HAL_closeRecordStore(second);

    // Threads adding through handles of their own never get one id twice.
    constexpr int kThreads = 4, kEach = 15;
    std::vector<int32_t> given[kThreads];
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t)
        threads.emplace_back([&, t] {
            HALRecordStore* own = open(u"s");
            for (int i = 0; i < kEach; ++i) given[t].push_back(add(own, std::to_string(t)));
            HAL_closeRecordStore(own);
        });
    for (std::thread& thread : threads) thread.join();
    std::vector<int32_t> all;
    for (const auto& ids : given) all.insert(all.end(), ids.begin(), ids.end());
    std::sort(all.begin(), all.end());
    for (size_t i = 0; i < all.size(); ++i) EXPECT_EQ(all[i], int32_t(4 + i));
    HALRecordStore* store = open(u"s", 0);
    EXPECT_EQ(numberOf(HAL_getNumRecords, store), 3 + kThreads * kEach);
    HAL_closeRecordStore(store);
}

TEST_F(RecordStores, OpeningReconcilesWhatACrashLeft) {
    StoreMetadata stale{.lastModified = 0x123456789AB, .version = 2, .nextRecordId = 2, .size = 3, .recordCount = 1};
    writeMetadata("store-s", stale);
    folder.write("database/store-s/record-1.bin", "abc");
    folder.write("database/store-s/record-5.bin", "hello");  // written, counted nowhere
    folder.write("database/store-s/.tmp-record-6.bin", "half");
    folder.write("database/store-s/.tmp-metadata.info", "x");
    for (const char* unknown : {"record-07.bin", "record-x.bin", "notes.txt"}) folder.write("database/store-s/" + std::string(unknown), "?");

    HALRecordStore* store = open(u"s", 0);
    EXPECT_EQ(numberOf(HAL_getNumRecords, store), 2);
    EXPECT_EQ(numberOf(HAL_getRecordStoreSize, store), 8);
    EXPECT_EQ(numberOf(HAL_getNextRecordID, store), 6);
    EXPECT_EQ(numberOf(HAL_getRecordStoreVersion, store), 2);
    EXPECT_EQ(ids(store), (std::vector<int32_t>{1, 5}));
    EXPECT_EQ(entries(storeFolder("store-s")), (std::vector<std::string>{"metadata.info", "notes.txt", "record-07.bin",
                                                                        "record-1.bin", "record-5.bin", "record-x.bin"}));
    const StoreMetadata expected{.lastModified = stale.lastModified, .version = 2, .nextRecordId = 6, .size = 8, .recordCount = 2};
    EXPECT_EQ(metadataFile("store-s"), expected) << "rewritten; the time of the last change is kept";
    EXPECT_EQ(add(store, "new"), 6);
    HAL_closeRecordStore(store);

    // A stored next id above the highest record is kept; a short file is read as far as it goes.
    stale.nextRecordId = 40;
    writeMetadata("store-t", stale, 12);
    folder.write("database/store-t/record-3.bin", "xyz");
    store = open(u"t", 0);
    EXPECT_EQ(numberOf(HAL_getNextRecordID, store), 40);
    EXPECT_EQ(numberOf(HAL_getRecordStoreVersion, store), 2);
    EXPECT_EQ(metadataFile("store-t").recordCount, 1);
    HAL_closeRecordStore(store);

    // A next id at the limit is damage: it is rebuilt from the highest record, so adds go on.
    stale.nextRecordId = INT32_MAX;
    writeMetadata("store-u", stale);
    folder.write("database/store-u/record-3.bin", "xyz");
    store = open(u"u", 0);
    EXPECT_EQ(add(store, "x"), 4);
    HAL_closeRecordStore(store);

    // Only when the highest record holds the last id is there none left: adding fails.
    writeMetadata("store-v", stale);
    folder.write("database/store-v/record-" + std::to_string(INT32_MAX) + ".bin", "z");
    store = open(u"v", 0);
    int32_t id = 0;
    EXPECT_EQ(HAL_addRecord(store, &id, "x", 1), 2);
    EXPECT_EQ(ids(store), std::vector<int32_t>{INT32_MAX});
    HAL_closeRecordStore(store);
}

TEST_F(RecordStores, AFolderOrLinkInPlaceOfTheMetadataIsReplacedSoTheListedStoreOpens) {
    for (const char* store : {"store-d", "store-l"}) folder.write(std::string("database/") + store + "/record-2.bin", "ab");
    fs::create_directories(storeFolder("store-d") + "/metadata.info/inside");
    fs::create_symlink("/etc/passwd", storeFolder("store-l") + "/metadata.info");
    for (const std::u16string name : {u"d", u"l"}) {
        HALRecordStore* store = open(name, 0);
        ASSERT_NE(store, nullptr);
        EXPECT_EQ(numberOf(HAL_getNumRecords, store), 1);
        EXPECT_EQ(add(store, "c"), 3);
        HAL_closeRecordStore(store);
    }
    EXPECT_TRUE(fs::is_regular_file(fs::symlink_status(storeFolder("store-l") + "/metadata.info")));
}

TEST_F(RecordStores, IdsNamedByEntriesThatAreNoRecordsAreNeverGiven) {
    folder.makeFolder("database/store-d/record-1.bin");
    fs::create_symlink(folder.path() + "/elsewhere", storeFolder("store-d") + "/record-2.bin");
    HALRecordStore* store = open(u"d", 0);
    EXPECT_EQ(numberOf(HAL_getNumRecords, store), 0) << "a folder or a link is no record";
    EXPECT_EQ(add(store, "new"), 3) << "a new record could not take the folder's place";
    EXPECT_EQ(read(store, 3), "new");
    HAL_closeRecordStore(store);
}

TEST_F(RecordStores, AFileWithoutTheHighHalfOfTheTimeIsStillRead) {
    writeMetadata("store-old", StoreMetadata{.lastModified = 0x7FFF0000}, StoreMetadata::kShortFileSize);
    HALRecordStore* store = open(u"old", 0);
    EXPECT_EQ(numberOf(HAL_getRecordStoreLastModified, store), 0x7FFF0000);
    add(store, "x");
    EXPECT_GT(metadataFile("store-old").lastModified, int64_t(UINT32_MAX)) << "written again with all 24 bytes";
    HAL_closeRecordStore(store);
}

// Fails the n-th file step (counting from 1) with EIO and remembers its kind.
int failAt = 0, stepsSeen = 0;
RecordStoreStep failedStep;
int failNthStep(RecordStoreStep step, const char*) {
    if (++stepsSeen != failAt) return 0;
    failedStep = step;
    return EIO;
}

TEST_F(RecordStores, FailedWritesAreReportedAndLeaveTheRecordsAsTheyWere) {
    HALRecordStore* store = open(u"s");
    add(store, "first");
    // What reads back: each record with its bytes, the size, and any temporary file left.
    const auto state = [&] {
        std::string text;
        for (const int32_t id : ids(store)) text += std::to_string(id) + "=" + read(store, id) + ";";
        text += "size " + std::to_string(numberOf(HAL_getRecordStoreSize, store));
        for (const std::string& name : entries(storeFolder("store-s")))
            if (name.rfind(".tmp-", 0) == 0) text += " " + name;
        return text;
    };
    // Fails the first step of the change, then the second, and so on. Each failure is
    // reported and changes nothing, until the last step, the folder's flush: the change is
    // then in place, only perhaps not yet on the device.
    const auto failEachStepOf = [&](auto change) {
        HAL_setRecordStoreFaultHook(&failNthStep);
        for (failAt = 1; failAt < 20; ++failAt) {
            const std::string before = state();
            stepsSeen = 0;
            EXPECT_EQ(change(), 7) << "step " << failAt;
            ASSERT_GE(stepsSeen, failAt) << "the folder's flush is the last step of every change";
            if (failedStep == RecordStoreStep::kFlushFolder) break;
            EXPECT_EQ(state(), before) << "step " << failAt;
        }
        EXPECT_GE(failAt, 5) << "writes, flushes and renames were all tried";
        HAL_setRecordStoreFaultHook(nullptr);
    };
    int32_t id = 0;
    failEachStepOf([&] { return HAL_addRecord(store, &id, "second", 6); });
    EXPECT_EQ(read(store, id), "second");
    failEachStepOf([&] { return HAL_setRecord(store, 1, "changed", 7); });
    EXPECT_EQ(read(store, 1), "changed");
    failEachStepOf([&] { return HAL_deleteRecord(store, 1); });
    EXPECT_EQ(read(store, 1), "<4>");
    EXPECT_GT(id, 2) << "an add that failed after the metadata was replaced skips its id";

    // The files agree with the counters when the store is opened afresh.
    const std::string last = state();
    const int32_t nextId = numberOf(HAL_getNextRecordID, store);
    HAL_closeRecordStore(store);
    store = open(u"s", 0);
    EXPECT_EQ(state(), last);
    EXPECT_EQ(numberOf(HAL_getNextRecordID, store), nextId);
    HAL_closeRecordStore(store);
}

TEST_F(RecordStores, AStoreIsGoneOnceItsFolderIsRenamedAway) {
    // A deletion that a crash cut short left this behind: the first use clears it.
    folder.write("database/.deleted-store-old/record-1.bin", "old");
    HALRecordStore* store = open(u"s");
    EXPECT_FALSE(fs::exists(database() + "/.deleted-store-old"));
    add(store, "data");
    HAL_closeRecordStore(store);

    HAL_setRecordStoreFaultHook([](RecordStoreStep step, const char*) { return step == RecordStoreStep::kRenameFolder ? EIO : 0; });
    EXPECT_EQ(HAL_deleteRecordStore(u"s", 1), 7);
    EXPECT_EQ(HAL_getNumRecordStores(), 1) << "a store that could not be renamed away is untouched";
    HAL_setRecordStoreFaultHook([](RecordStoreStep step, const char*) { return step == RecordStoreStep::kRemoveFile ? EIO : 0; });
    EXPECT_EQ(HAL_deleteRecordStore(u"s", 1), 0) << "renamed away: deleted, whatever is left of its files";
    EXPECT_EQ(HAL_getNumRecordStores(), 0);
    EXPECT_EQ(entries(database()), std::vector<std::string>{".deleted-store-s"});
    HAL_setRecordStoreFaultHook(nullptr);

    // A second deletion of a store of the same name takes another name for its leftovers.
    HAL_closeRecordStore(open(u"s"));
    EXPECT_EQ(HAL_deleteRecordStore(u"s", 1), 0);
    EXPECT_EQ(entries(database()), std::vector<std::string>{".deleted-store-s"});
}

TEST_F(RecordStores, TheDatabaseFolderCanBeRedirected) {
    EXPECT_EQ(HAL_databaseDirectory(), database());
    setenv("OSTREL_DATABASE_DIR", (database() + "//").c_str(), 1);
    EXPECT_EQ(HAL_databaseDirectory(), database());
    unsetenv("OSTREL_DATABASE_DIR");
    EXPECT_EQ(HAL_databaseDirectory(), std::string(HAL_getModuleDirectory()) + "/database");
}

TEST_F(RecordStores, SpaceAvailableIsTheFreeSpaceOfTheFileSystem) {
    HALRecordStore* store = open(u"s");
    int32_t available = -1;
    EXPECT_EQ(HAL_getRecordStoreSizeAvailable(store, &available), 0);
    const auto space = int64_t(std::min<uintmax_t>(fs::space(database()).available, INT32_MAX));
    EXPECT_NEAR(double(available), double(space), 64.0 * 1024 * 1024) << "other programs may write meanwhile";
    EXPECT_EQ(HAL_getRecordStoreSizeAvailable(nullptr, &available), 0);
    EXPECT_GT(available, 0);
    EXPECT_EQ(HAL_getRecordStoreSizeAvailable(store, nullptr), 0);
    HAL_closeRecordStore(store);
}

}  // namespace
