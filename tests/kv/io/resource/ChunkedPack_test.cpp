// Chunks, the directory chunk and the chunked pack over parts written by the pack writer:
// chunk bytes round trip, directory parsing and extensions, split and directory parts,
// chunk order and duplicates, every format error inside the raised text with the retry,
// and the directory dropped by close and attach.

#include <gtest/gtest.h>

#include "src/kv/io/resource/kv_io_resource_ChunkVirtualFileSystemOrganization.h"
#include "src/kv/io/resource/kv_io_resource_ResourcePackChunked.h"
#include "src/kv/kv_Resources.h"
#include "tests/kv/io/resource/PackFolder.h"

namespace {

using kv::Resources;
using kv::io::resource::Chunk;
using kv::io::resource::ChunkVirtualFileSystemOrganization;
using kv::io::resource::ResourcePack;
using kv::io::resource::ResourcePackChunked;
using kvtest::entry;
using kvtest::str;
using kvtest::streamOf;
using kvtest::thrown;
using packwriter::Bytes;

const std::vector<packwriter::Entry> kEntries = {entry("alpha", 2), entry(""), entry("gamma-gamma", -3)};

Bytes rphe() { return packwriter::chunk(packwriter::kIdRphe, packwriter::table(kEntries, true, false)); }

class ChunkedPackTest : public testing::Test {
protected:
    kvtest::PackFolder folder;

    void expectEntries(int32_t part) {
        for (size_t i = 0; i < kEntries.size(); ++i) {
            const int32_t id = part << 10 | int32_t(i);
            EXPECT_EQ(str(Resources::getData(id)), std::string(kEntries[i].bytes.begin(), kEntries[i].bytes.end()));
            EXPECT_EQ(Resources::getType(id), kEntries[i].type);
        }
        EXPECT_EQ(ResourcePack::currentPart, part);
    }
};

TEST_F(ChunkedPackTest, ChunkWritesBackTheBytesItRead) {
    const Bytes bytes = {0x52, 0x50, 0x48, 0x65, 0, 0, 0, 3, 0, 0, 0, 7, 0x0A, 0x0B, 0x0C};
    VMPtr<Chunk> chunk = Chunk::read(streamOf(bytes));
    EXPECT_TRUE(chunk->isId(Chunk::ID_RPHE));
    EXPECT_EQ(chunk->getAttribute(), 7);
    EXPECT_EQ(chunk->getLength(), 3);
    EXPECT_EQ(kvtest::vec(chunk->toByteArray()), bytes);
    EXPECT_EQ(Chunk::idToString(Chunk::ID_RPHE)->toUtf8(), "eHPR");
    // A body past the pack length ceiling is refused unread; one within it reads to the end.
    EXPECT_EQ(thrown([&] { Chunk::read(streamOf({0x52, 0x50, 0x48, 0x65, 0x7F, 0, 0, 0, 0, 0, 0, 0})); }),
              "java.io.IOException: Invalid RP length 2130706432");
    EXPECT_NE(thrown([&] { Chunk::read(streamOf({0x52, 0x50, 0x48, 0x65, 0, 0x10, 0, 0, 0, 0, 0, 0, 1})); }).find("EOFException"),
              std::string::npos);
}

TEST_F(ChunkedPackTest, DirectoryParsesEntriesAndExtensions) {
    // Header 0, three entries (types -3, 13 and 100), then one extra byte that is kept in
    // the body but not parsed.
    const Bytes body = {0, 0, 0, 0, 0, 0, 0, 3, 0xFD, 0, 0, 5, 0, 0, 0, 0x10, 0, 0, 0, 0, 13, 0, 0, 1, 0, 0,
                        0, 0, 0, 0, 0, 9, 100, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0, 9, 0xEE};
    VMPtr<Chunk> chunk = Chunk::read(streamOf(packwriter::chunk(packwriter::kIdVfso, body)));
    auto* directory = dynamic_cast<ChunkVirtualFileSystemOrganization*>(chunk.get());
    ASSERT_NE(directory, nullptr);
    EXPECT_EQ(directory->getCount(), 3);
    EXPECT_EQ(directory->getTypeCode(0), -3);
    EXPECT_EQ(directory->getFile(0x400), 5);
    EXPECT_EQ(directory->getOffset(0), 16);
    EXPECT_EQ(directory->getValue(1), 9);
    EXPECT_EQ(directory->getExtension(0)->toUtf8(), "png");
    EXPECT_EQ(directory->getExtension(1)->toUtf8(), "rp");
    EXPECT_EQ(directory->getExtension(2)->toUtf8(), "rp");
    EXPECT_EQ(directory->getLength(), int32_t(body.size()));
    // A count whose entries cannot fit the body fails before anything is allocated.
    for (uint32_t count : {0x40000000u, 0x15555556u, 0xFFFFFFFFu}) {
        Bytes bad = {0, 0, 0, 0, uint8_t(count >> 24), uint8_t(count >> 16), uint8_t(count >> 8), uint8_t(count)};
        EXPECT_NE(thrown([&] { Chunk::read(streamOf(packwriter::chunk(packwriter::kIdVfso, bad))); }), "");
    }
}

TEST_F(ChunkedPackTest, OnlyPartsOneToSixteenButFiveAreChunked) {
    for (int32_t part = -1; part <= 33; ++part)
        EXPECT_EQ(ResourcePackChunked::isChunkedPart(part), part >= 1 && part <= 16 && part != 5) << part;
}

TEST_F(ChunkedPackTest, SplitPartConcatenatesItsDataFiles) {
    packwriter::writeSplitPart(folder.rsc(), 3, kEntries, {10, 6});
    expectEntries(3);
    EXPECT_EQ(Resources::getPackData(3 << 10)->length, 16);
    EXPECT_EQ(Resources::getOffset(3 << 10 | 2), 5);
    EXPECT_FALSE(Resources::pack->getFileName(2));
}

TEST_F(ChunkedPackTest, SplitFilesShortOfTheTotalLeaveTheTailZero) {
    packwriter::writeSplitPart(folder.rsc(), 3, kEntries, {10, 6});
    folder.write("RP3part0.rp", packwriter::container({rphe(), packwriter::chunk(packwriter::kIdFslm,
                                                       {0, 0, 0, 20, 0, 0, 0, 2, 0, 0, 0, 10, 0, 0, 0, 6})}));
    expectEntries(3);
    const Bytes block = kvtest::vec(Resources::getPackData(3 << 10));
    ASSERT_EQ(block.size(), 20u);
    EXPECT_EQ(Bytes(block.begin() + 16, block.end()), Bytes(4, 0));
}

TEST_F(ChunkedPackTest, DirectoryPartReadsEntryFiles) {
    packwriter::writeDirectoryPart(folder.rsc(), 2, kEntries);
    expectEntries(2);
    EXPECT_EQ(Resources::pack->getFileName(2 << 10 | 2)->toUtf8(), "/RP2part3.png");
    EXPECT_EQ(Resources::pack->getFileName(0)->toUtf8(), "/RP2part1.mp3");
    EXPECT_EQ(Resources::getOffset(2 << 10 | 2), 0);
}

TEST_F(ChunkedPackTest, ChunkOrderIsFreeAndTheFirstDuplicateWins) {
    const Bytes vfso = packwriter::chunk(packwriter::kIdVfso, packwriter::directory(kEntries));
    const Bytes junkFslm = packwriter::chunk(packwriter::kIdFslm, {0xFF, 0xFF});
    const Bytes otherRphe = packwriter::chunk(packwriter::kIdRphe, packwriter::table({entry("z")}, true, false));
    packwriter::writeDirectoryPart(folder.rsc(), 4, kEntries);
    folder.write("RP4part0.rp", packwriter::container({junkFslm, vfso, rphe(), otherRphe}));
    expectEntries(4);
    packwriter::writeSplitPart(folder.rsc(), 6, kEntries, {16});
    const Bytes fslm = packwriter::chunk(packwriter::kIdFslm, packwriter::splitList({16}));
    folder.write("RP6part0.rp", packwriter::container({fslm, rphe()}));
    expectEntries(6);
}

TEST_F(ChunkedPackTest, FormatErrorsAreRaisedAndRetried) {
    Bytes badMarker = packwriter::container({rphe()});
    badMarker[0] = 'X';
    Bytes unknown = packwriter::container({packwriter::chunk(0x41424344, {})});
    Bytes pastTotal = packwriter::container({rphe(), packwriter::chunk(packwriter::kIdFslm, {0, 0, 0, 12, 0, 0, 0, 1, 0, 0, 0, 16})});
    struct Case { Bytes container; std::string message; } cases[] = {
        {badMarker, "java.io.IOException: Invalid chunked RP file marker, expecting '%PR%' instead of '%PRX'"},
        {packwriter::container({rphe()}, 3), "java.io.IOException: Invalid RP version, expecting '4' instead of '3'"},
        {unknown, "java.io.IOException: Unknown RP chunk id 'DCBA'"},
        {packwriter::container({}), "java.io.IOException: Missing RP chunk 'eHPR'"},
        {packwriter::container({rphe()}), "java.io.IOException: Missing RP chunk 'MLSF'"},
        {pastTotal, "java.io.IOException: RP split files exceed their data block of 12"},
        {packwriter::container({rphe(), packwriter::chunk(packwriter::kIdFslm, packwriter::splitList({8, 8}))}),
         "java.io.IOException: Missing resource '/RP7part1.rp'"},
    };
    for (const Case& c : cases) {
        folder.write("RP7part0.rp", c.container);
        EXPECT_EQ(thrown([] { Resources::getData(7 << 10); }), "java.lang.RuntimeException: " + c.message);
        EXPECT_EQ(ResourcePack::currentPart, -1);
    }
    EXPECT_EQ(thrown([] { Resources::getData(8 << 10); }),
              "java.lang.RuntimeException: java.io.IOException: Missing resource '/RP8part0.rp'");
    packwriter::writeSplitPart(folder.rsc(), 7, kEntries, {8, 8});
    folder.write("RP7part2.rp", Bytes(7, 'x'));  // one byte short
    EXPECT_NE(thrown([] { Resources::getData(7 << 10); }).find("EOFException"), std::string::npos);
    packwriter::writeSplitPart(folder.rsc(), 7, kEntries, {8, 8});
    expectEntries(7);
}

TEST_F(ChunkedPackTest, MissingOrShortEntryFileIsRaised) {
    packwriter::writeDirectoryPart(folder.rsc(), 9, kEntries);
    std::filesystem::remove(folder.rsc() + "/RP9part1.mp3");
    folder.write("RP9part3.png", Bytes(3, 'g'));
    EXPECT_EQ(thrown([] { Resources::getData(9 << 10); }),
              "java.lang.RuntimeException: java.io.IOException: Missing resource '/RP9part1.mp3'");
    EXPECT_NE(thrown([] { Resources::getData(9 << 10 | 2); }).find("RuntimeException: java.io.EOFException"), std::string::npos);
    EXPECT_EQ(Resources::getData(9 << 10 | 1)->length, 0);
}

TEST_F(ChunkedPackTest, CloseAndAttachDropTheDirectory) {
    packwriter::writeDirectoryPart(folder.rsc(), 2, kEntries);
    expectEntries(2);
    ASSERT_EQ(Resources::attachStream(streamOf(packwriter::table({entry("held-0"), entry("held-1")}))), 1);
    EXPECT_EQ(str(Resources::getData(0)), "held-0");
    EXPECT_FALSE(Resources::pack->getFileName(0));
    Resources::closePack();
    EXPECT_FALSE(dynamic_cast<ResourcePackChunked*>(Resources::pack.get())->directory);
    expectEntries(2);
}

}  // namespace
