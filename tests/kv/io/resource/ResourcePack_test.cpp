// The table-form reader through the access layer's pack: flag widths, offsets, empty entries,
// entry streams, part switching with the retry of a failed open, and the saver's exact bytes
// with a round trip through an attached stream.

#include <gtest/gtest.h>

#include "pb_src/j2me/java_io_ByteArrayInputStream.h"
#include "src/kv/io/kv_io_FastInputStream.h"
#include "src/kv/io/resource/kv_io_resource_ResourcePackSaver.h"
#include "src/kv/kv_KvCanvas.h"
#include "src/kv/kv_Resources.h"
#include "tests/kv/io/resource/PackFolder.h"

namespace {

using kv::Resources;
using kv::io::resource::ResourcePack;
using kvtest::entry;
using kvtest::str;
using kvtest::streamOf;
using kvtest::thrown;
using packwriter::Bytes;

std::string readAll(const VMPtr<java::io::DataInputStream>& in) {
    std::string s;
    for (int32_t c; (c = in->read()) != -1;) s += char(c);
    return s;
}

class ResourcePackTest : public testing::Test {
protected:
    kvtest::PackFolder folder;
};

TEST_F(ResourcePackTest, AttachedTableGivesEntriesByOffset) {
    ASSERT_EQ(Resources::attachStream(streamOf(packwriter::table({entry("abcde", 2), entry(""), entry("0123456", -3)}))), 1);
    EXPECT_EQ(ResourcePack::currentPart, 0);
    EXPECT_EQ(Resources::getOffset(0), 0);
    EXPECT_EQ(Resources::getOffset(1), 5);
    EXPECT_EQ(Resources::getOffset(2), 5);
    EXPECT_EQ(Resources::getData(1)->length, 0);
    EXPECT_EQ(str(Resources::getData(0)), "abcde");
    EXPECT_EQ(Resources::getType(2), -3);
    EXPECT_EQ(readAll(Resources::getStream(2)), "0123456");
    EXPECT_EQ(Resources::getPackData(1)->length, 12);
    EXPECT_EQ(Resources::pack->selectEntry(2), 7);
    EXPECT_EQ(kv::KvCanvas::entryData.get(), Resources::getPackData(0).get());
    EXPECT_EQ(kv::KvCanvas::entryOffset, 5);
    EXPECT_NE(thrown([] { Resources::getSize(3); }).find("ArrayIndexOutOfBounds"), std::string::npos);
}

TEST_F(ResourcePackTest, FlagBitZeroChoosesSizeWidth) {
    struct Case { uint8_t flags; bool wide; } cases[] = {{0x41, true}, {0x01, true}, {0x40, false}, {0x00, false}};
    for (const Case& c : cases) {
        Bytes table = packwriter::table({entry(std::string(300, 'x')), entry("yz")}, c.wide);
        table[0] = c.flags;
        ASSERT_EQ(Resources::attachStream(streamOf(table)), 1) << int(c.flags);
        EXPECT_EQ(Resources::getSize(0), 300);
        EXPECT_EQ(str(Resources::getData(1)), "yz");
    }
    // Two-byte sizes are unsigned; four 0xFF bytes read as -1 (refused in a held table).
    Bytes narrow = {0x40, 0, 1, 0xFF, 0xFF, 0xFF, 0, 0, 0xFF, 0xFF};
    narrow.resize(narrow.size() + 0xFFFF, 'q');
    ASSERT_EQ(Resources::attachStream(streamOf(narrow)), 1);
    EXPECT_EQ(Resources::getSize(0), 65535);
    EXPECT_EQ(Resources::attachStream(streamOf({0x41, 0, 1, 0xFF, 0xFF, 0xFF, 0xFF, 0, 0, 0, 0, 0})), 0);
}

TEST_F(ResourcePackTest, MalformedTablesLeaveNothingOpen) {
    const Bytes good = packwriter::table({entry("abc"), entry("de")});
    const Bytes cases[] = {
        Bytes(good.begin(), good.begin() + 5),                       // ends inside the sizes
        Bytes(good.begin(), good.end() - 1),                         // data block one byte short
        {0x41, 0, 1, 0, 0, 0, 9, 0, 0, 0, 0, 2, 'a', 'b'},           // entry beyond the block
        {0x41, 0, 0, 0x7F, 0xFF, 0xFF, 0xFF},                        // huge total, no data
        {0x41, 0, 0, 0x00, 0xF0, 0x00, 0x00, 1, 2, 3},               // 15 MiB claimed, 3 bytes
        {},
    };
    for (const Bytes& bytes : cases) {
        EXPECT_EQ(Resources::attachStream(streamOf(bytes)), 0);
        EXPECT_EQ(ResourcePack::currentPart, -1);
        EXPECT_NE(thrown([] { Resources::getSize(0); }).find("IllegalStateException"), std::string::npos);
    }
}

// A buffering stream reports only its buffered bytes as available; the pack still reads
// through to the end of the data.
TEST_F(ResourcePackTest, AttachReadsPastWhatTheStreamReportsAvailable) {
    const std::string big(3000, 'b');
    VMPtr<kvtest::Bytes> array = kvtest::bytes(packwriter::table({entry("a"), entry(big)}));
    VMPtr<java::io::ByteArrayInputStream> source = java::io::ByteArrayInputStream::_VM_new();
    source->_VM_init(array);
    VMPtr<kv::io::FastInputStream> buffered = kv::io::FastInputStream::_VM_new();
    buffered->_VM_init(source);
    VMPtr<java::io::DataInputStream> in = java::io::DataInputStream::_VM_new();
    in->_VM_init(buffered);
    ASSERT_EQ(Resources::attachStream(in), 1);
    EXPECT_EQ(str(Resources::getData(1)), big);
}

TEST_F(ResourcePackTest, SwitchesPartsOnlyForOtherNonZeroParts) {
    packwriter::writeTablePart(folder.rsc(), 5, {entry("five-0"), entry("five-1")});
    packwriter::writeTablePart(folder.rsc(), 17, {entry("seventeen")});
    EXPECT_EQ(str(Resources::getData(5 << 10 | 1)), "five-1");
    EXPECT_EQ(ResourcePack::currentPart, 5);
    EXPECT_EQ(str(Resources::getData(0)), "five-0");  // part 0: the open part
    EXPECT_EQ(str(Resources::getData(17 << 10)), "seventeen");
    EXPECT_EQ(ResourcePack::currentPart, 17);
    // A negative part closes the pack: nothing is open to read.
    EXPECT_EQ(thrown([] { Resources::getSize(-1 << 10); }),
              "java.lang.IllegalStateException: No resource pack part open for part -1");
    EXPECT_EQ(ResourcePack::currentPart, -1);
    EXPECT_EQ(str(Resources::getData(5 << 10)), "five-0");
}

TEST_F(ResourcePackTest, FileNamesOfPartsAndEntries) {
    struct Case { int32_t part, index; const char* extension; const char* name; } cases[] = {
        {3, -1, nullptr, "/RP3.rp"}, {3, 12, nullptr, "/RP3part12.rp"}, {3, 12, "png", "/RP3part12.png"},
        {-3, -2, nullptr, "/RP-3part-2.rp"}};
    Resources::closePack();
    for (const Case& c : cases) {
        VMPtr<java::lang::String> extension = c.extension ? kvtest::text(c.extension) : nullptr;
        EXPECT_EQ(Resources::pack->getFileName(c.part, c.index, extension)->toUtf8(), c.name);
    }
}

TEST_F(ResourcePackTest, FailedOpenIsRaisedAndRetried) {
    EXPECT_EQ(thrown([] { Resources::getData(18 << 10); }), "java.lang.RuntimeException: java.io.IOException: Missing resource '/RP18.rp'");
    EXPECT_EQ(ResourcePack::currentPart, -1);
    folder.write("RP18.rp", {0x41, 0, 1, 0});
    EXPECT_NE(thrown([] { Resources::getData(18 << 10); }).find("java.lang.RuntimeException: java.io.EOFException"), std::string::npos);
    packwriter::writeTablePart(folder.rsc(), 18, {entry("now")});
    EXPECT_EQ(str(Resources::getData(18 << 10)), "now");
}

TEST_F(ResourcePackTest, SaverWritesTheTableFormExactly) {
    using ByteMatrix = kv::io::resource::ResourcePackSaver::ByteMatrix;
    struct Case { std::vector<std::string> entries; std::vector<int8_t> types; } cases[] = {
        {{}, {}}, {{"abc"}, {2}}, {{"", "xyz", "q"}, {0, -3, 7}}};
    for (const Case& c : cases) {
        VMPtr<ByteMatrix> entries = ByteMatrix::_VM_new(int32_t(c.entries.size()), 0);
        std::vector<packwriter::Entry> expected;
        for (size_t i = 0; i < c.entries.size(); ++i) {
            entries->set(int32_t(i), kvtest::bytes(Bytes(c.entries[i].begin(), c.entries[i].end())));
            expected.push_back(entry(c.entries[i], c.types[i]));
        }
        VMPtr<kvtest::Bytes> types = kvtest::bytes(Bytes(c.types.begin(), c.types.end()));
        const Bytes saved = kvtest::vec(Resources::save(entries, types));
        EXPECT_EQ(saved, packwriter::table(expected));
        ASSERT_EQ(Resources::attachStream(streamOf(saved)), 1);
        for (size_t i = 0; i < c.entries.size(); ++i) {
            EXPECT_EQ(str(Resources::getData(int32_t(i))), c.entries[i]);
            EXPECT_EQ(Resources::getType(int32_t(i)), c.types[i]);
        }
    }
    EXPECT_EQ(packwriter::table({entry("abc", 2)}), (Bytes{0x41, 0, 1, 0, 0, 0, 3, 2, 0, 0, 0, 3, 'a', 'b', 'c'}));
}

TEST_F(ResourcePackTest, SaverRefusesBadArguments) {
    using ByteMatrix = kv::io::resource::ResourcePackSaver::ByteMatrix;
    VMPtr<kvtest::Bytes> oneType = kvtest::Bytes::_VM_new(1);
    VMPtr<ByteMatrix> withNull = ByteMatrix::_VM_new(1, 0);
    withNull->set(0, nullptr);
    VMPtr<ByteMatrix> none = ByteMatrix::_VM_new(0, 0);
    VMPtr<ByteMatrix> many = ByteMatrix::_VM_new(65536, 0);
    const std::function<void()> calls[] = {
        [&] { Resources::save(nullptr, oneType); }, [&] { Resources::save(none, nullptr); },
        [&] { Resources::save(withNull, oneType); }, [&] { Resources::save(none, oneType); },
        [&] { Resources::save(many, kvtest::Bytes::_VM_new(65536)); }};
    for (const auto& call : calls) EXPECT_NE(thrown(call).find("IllegalArgumentException"), std::string::npos);
}

}  // namespace
