// The extension block of a pack part: per-entry slices, streams, sizes, and the block
// dropped by close and by a part switch.

#include <gtest/gtest.h>

#include "src/kv/io/resource/kv_io_resource_ResourcePackExtension.h"
#include "src/kv/kv_Resources.h"
#include "tests/kv/io/resource/PackFolder.h"

namespace {

using kv::io::resource::ResourcePackExtension;
using kvtest::entry;
using kvtest::thrown;
using packwriter::Bytes;

VMPtr<java::io::DataInputStream> streamOf(const Bytes& bytes) {
    VMPtr<kvtest::Bytes> array = kvtest::bytes(bytes);
    return kv::Resources::createStream(array, 0, array->length);
}

class PackExtensionTest : public testing::Test {
protected:
    kvtest::PackFolder folder;
    VMPtr<ResourcePackExtension> pack = [] {
        VMPtr<ResourcePackExtension> p = ResourcePackExtension::_VM_new();
        return p->_VM_init();
    }();
};

TEST_F(PackExtensionTest, EntriesGetTheirSlices) {
    ASSERT_TRUE(pack->attach(streamOf(packwriter::table({entry("a"), entry("b"), entry("c")})), false));
    EXPECT_FALSE(pack->getExtensionData(0));
    EXPECT_EQ(pack->getExtensionSize(0), -1);
    pack->readExtension(streamOf({0, 3, 0, 0, 0, 2, 0x11, 0x22, 0x33, 0x44, 0x55}));
    EXPECT_TRUE(pack->hasExtension());
    EXPECT_EQ(kvtest::vec(pack->getExtensionData(0)), (Bytes{0x11, 0x22, 0x33}));
    EXPECT_EQ(pack->getExtensionData(1)->length, 0);
    EXPECT_EQ(pack->getExtensionSize(2), 2);
    VMPtr<java::io::DataInputStream> stream = pack->getExtensionStream(2);
    EXPECT_EQ(stream->read(), 0x44);
    EXPECT_EQ(stream->read(), 0x55);
    EXPECT_EQ(stream->read(), -1);
    // Offsets sum every earlier size.
    pack->readExtension(streamOf({0, 1, 0, 2, 0, 3, 1, 2, 3, 4, 5, 6}));
    EXPECT_EQ(kvtest::vec(pack->getExtensionData(2)), (Bytes{4, 5, 6}));
    pack->close();
    EXPECT_FALSE(pack->hasExtension());
}

TEST_F(PackExtensionTest, PartSwitchDropsTheBlockAndShortBlocksFail) {
    packwriter::writeTablePart(folder.rsc(), 20, {entry("x")});
    ASSERT_TRUE(pack->attach(streamOf(packwriter::table({entry("a")})), false));
    EXPECT_NE(thrown([&] { pack->readExtension(streamOf({0xFF, 0xFF, 1})); }).find("EOFException"), std::string::npos);
    pack->readExtension(streamOf({0, 1, 9}));
    // A block that ends early still replaces sizes and bytes together: the new size over
    // the bytes read so far, never the old bytes.
    EXPECT_NE(thrown([&] { pack->readExtension(streamOf({0, 4, 7, 8})); }).find("EOFException"), std::string::npos);
    EXPECT_EQ(kvtest::vec(pack->getExtensionData(0)), (Bytes{7, 8, 0, 0}));
    EXPECT_EQ(pack->getExtensionSize(20 << 10), -1);
}

}  // namespace
