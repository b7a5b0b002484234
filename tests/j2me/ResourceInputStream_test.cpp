#include <filesystem>

#include "hal/services/ModulePath.h"
#include "pb_src/j2me/com_kelvane_ostrel_cldc_io_ResourceInputStream.h"
#include "tests/support/TemporaryFolder.h"
#include "tests/j2me/ClassLibrary.h"

namespace resourcetest {

// A class outside every package: its resource names get no prefix.
class Widget : public virtual java::lang::Object {
    VM_CLASS(Widget, java::lang::Object)
};

}  // namespace resourcetest

VM_DEFINE_CLASS(resourcetest::Widget, "ResourceTestWidget", "java.lang.Object", VM_NO_CLINIT)

namespace {

using com::kelvane::ostrel::cldc::io::ResourceInputStream;
using java::io::IOException;
using java::lang::String;
using ByteArray = VMArray<int8_t, 1>;

// Bytes 0, 1, 128, 255, 4 ... 9: 128 and 255 must come out unsigned.
const int32_t kTen[10] = {0, 1, 128, 255, 4, 5, 6, 7, 8, 9};

class ResourceStream : public testing::Test {
protected:
    void SetUp() override {
        testRuntime();
        HAL_setModuleDirectory(folder.path().c_str());
        folder.write("rsc/ten.bin", std::string("\x00\x01\x80\xff\x04\x05\x06\x07\x08\x09", 10));
    }
    void TearDown() override { HAL_setModuleDirectory(nullptr); }

    static VMPtr<ResourceInputStream> open(VMPtr<String> name) {
        VMPtr<ResourceInputStream> stream = ResourceInputStream::_VM_new();
        stream->_VM_init(name);
        return stream;
    }

    TemporaryFolder folder;
};

// The message of the IOException the operation throws: "<null>" without one, "<none>" when
// nothing is thrown.
template <typename Operation> std::string ioFailure(Operation operation) {
    try {
        operation();
    } catch (IOException* caught) {
        VMPtr<IOException> e(caught);
        return e->getMessage() ? e->getMessage()->toUtf8() : "<null>";
    }
    return "<none>";
}

TEST_F(ResourceStream, SingleReadsDeliverUnsignedBytesThenTheEnd) {
    VMPtr<ResourceInputStream> stream = open(String::fromUtf8("ten.bin"));
    for (int32_t i = 0; i < 10; ++i) {
        EXPECT_EQ(stream->available(), 10 - i);
        EXPECT_EQ(stream->read(), kTen[i]);
    }
    EXPECT_EQ(stream->read(), -1);
    EXPECT_EQ(stream->available(), 0) << "the end does not move the position";
}

TEST_F(ResourceStream, ArrayReadsAreCheckedAndCutToTheResource) {
    VMPtr<ResourceInputStream> stream = open(String::fromUtf8("ten.bin"));
    VMPtr<ByteArray> buffer = ByteArray::_VM_new(100);
    EXPECT_THROW(stream->read(nullptr, 0, 1), java::lang::NullPointerException*);
    EXPECT_THROW(stream->read(buffer, 99, 2), java::lang::IndexOutOfBoundsException*);
    EXPECT_THROW(stream->read(buffer, 0, -1), java::lang::IndexOutOfBoundsException*);
    EXPECT_EQ(stream->read(buffer, 2, 3), 3);
    EXPECT_EQ(uint8_t(buffer->at(4)), 128);
    EXPECT_EQ(stream->read(buffer, 0, 100), 7);
    EXPECT_EQ(uint8_t(buffer->at(0)), 255);
    EXPECT_EQ(stream->read(buffer, 0, 100), -1);
    EXPECT_EQ(stream->read(buffer, 0, 0), 0) << "an empty read answers 0 even at the end";
    stream->close();
    EXPECT_EQ(ioFailure([&] { stream->read(nullptr, 0, 1); }), "<null>") << "closed is tested first";
}

TEST_F(ResourceStream, SkipMarkAndResetMoveThePositionAndClosingKeepsTheFields) {
    VMPtr<ResourceInputStream> stream = open(String::fromUtf8("ten.bin"));
    EXPECT_EQ(stream->skip(4), 4);
    stream->mark(0);
    EXPECT_EQ(stream->read(), 4);
    EXPECT_EQ(stream->read(), 5);
    stream->reset();
    EXPECT_EQ(stream->read(), 4) << "the fifth byte again";
    EXPECT_EQ(stream->skip(-1), 0);
    EXPECT_EQ(stream->skip(1000), 5) << "cut to what is left";
    EXPECT_EQ(stream->skip(1), 0);
    // A closed stream refuses reads but answers from its fields.
    stream = open(String::fromUtf8("ten.bin"));
    stream->read();
    stream->close();
    EXPECT_EQ(ioFailure([&] { stream->read(); }), "<null>");
    EXPECT_EQ(ioFailure([&] { stream->skip(1); }), "<null>");
    EXPECT_EQ(ioFailure([&] { stream->reset(); }), "<null>");
    EXPECT_EQ(stream->available(), 9);
    stream->mark(0);
    EXPECT_EQ(stream->markPos, 1);
    stream->close();  // a second close does nothing
    EXPECT_EQ(stream->handle, nullptr);
}

TEST_F(ResourceStream, OpeningFailuresCarryThePlatformsCode) {
    EXPECT_EQ(ioFailure([] { open(String::fromUtf8("none.bin")); }), "Resource error: 4");
    EXPECT_EQ(ioFailure([] { open(String::fromUtf8("")); }), "Resource error: 2");
    EXPECT_THROW(open(nullptr), java::lang::NullPointerException*);
    // A string that is a window onto a longer text: only its own characters name the file.
    EXPECT_EQ(open(String::fromUtf8("ten.binary")->substring(0, 7))->size, 10);
}

TEST_F(ResourceStream, ACollectedStreamClosesItsFile) {
    auto openFiles = [] { return std::distance(std::filesystem::directory_iterator("/proc/self/fd"), {}); };
    const auto before = openFiles();
    open(String::fromUtf8("ten.bin"));
    EXPECT_EQ(openFiles(), before + 1);
    testRuntime()->collect();
    EXPECT_EQ(openFiles(), before);
}

TEST_F(ResourceStream, ClassesResolveNamesByTheirPackageAndOpenThem) {
    java::lang::Class* string = String::_VM_getClass();
    java::lang::Class* widget = resourcetest::Widget::_VM_getClass();
    auto resolve = [](java::lang::Class* c, const char* name) { return c->resolveResourceName(String::fromUtf8(name))->toUtf8(); };
    EXPECT_EQ(resolve(string, "x.png"), "java/lang/x.png");
    EXPECT_EQ(resolve(string, "/img/x.png"), "img/x.png");
    EXPECT_EQ(resolve(widget, "x.png"), "x.png");
    EXPECT_EQ(resolve(widget, "//x.png"), "/x.png") << "one slash only";

    folder.write("rsc/java/lang/packaged.bin", "pk");
    VMPtr<java::io::InputStream> packaged = string->getResourceAsStream(String::fromUtf8("packaged.bin"));
    ASSERT_TRUE(packaged);
    EXPECT_EQ(packaged->read(), 'p');
    EXPECT_TRUE(ResourceInputStream::_VM_getClass()->isInstance(packaged.get()));
    EXPECT_EQ(string->getResourceAsStream(String::fromUtf8("/ten.bin"))->available(), 10);
    EXPECT_FALSE(string->getResourceAsStream(String::fromUtf8("ten.bin"))) << "looked for in java/lang/";
    EXPECT_FALSE(string->getResourceAsStream(String::fromUtf8("/")));
    EXPECT_TRUE(widget->getResourceAsStream(String::fromUtf8("TEN.BIN"))) << "case is ignored when the exact name is missing";
}

}  // namespace
