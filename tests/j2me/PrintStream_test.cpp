#include "pb_src/j2me/java_io_ByteArrayOutputStream.h"
#include "pb_src/j2me/java_io_PrintStream.h"
#include "tests/support/CapturedStdout.h"
#include "tests/j2me/ClassLibrary.h"

namespace test {

// A byte stream that records the size of every array write and can be made to fail.
class RecordingStream : public java::io::OutputStream {
    VM_CLASS(RecordingStream, java::io::OutputStream)
    VMPtr<RecordingStream> _VM_init() {
        OutputStream::_VM_init();
        return this;
    }
    using OutputStream::write;
    void write(int32_t b) override {
        failIfAsked();
        bytes += char(b);
    }
    void write(VMPtr<ByteArray> b, int32_t off, int32_t len) override {
        failIfAsked();
        writes.push_back(len);
        bytes.append(reinterpret_cast<const char*>(b->elements()) + off, size_t(len));
    }
    void failIfAsked() {
        if (failing) vm::throwNew<java::io::IOException>();
    }
    std::string bytes;
    std::vector<int32_t> writes;
    bool failing = false;
};

}  // namespace test

VM_DEFINE_CLASS(test::RecordingStream, "test.RecordingStream", "java.io.OutputStream", VM_NO_CLINIT)

namespace {

using java::io::PrintStream;
using java::lang::String;

struct Printer {
    VMPtr<test::RecordingStream> sink = test::RecordingStream::_VM_new();
    VMPtr<PrintStream> stream = PrintStream::_VM_new();
    Printer() {
        sink->_VM_init();
        stream->_VM_init(sink);
    }
};

TEST(PrintStream, PrintsEveryTypeAsUtf8WithPlainLineFeeds) {
    testRuntime();
    Printer p;
    p.stream->println(String::fromUtf16(u"\u00e9"));
    p.stream->println(true);
    p.stream->print(VMPtr<String>());
    p.stream->print(VMPtr<java::lang::Object>());
    p.stream->print(char16_t(u'c'));
    p.stream->print(int32_t(-5));
    p.stream->print(int64_t(1) << 33);
    p.stream->print(0.5);
    p.stream->println(1.5f);
    p.stream->println();
    EXPECT_EQ(p.sink->bytes, "\xC3\xA9\ntrue\nnullnullc-585899345920.51.5\n\n");
    p.sink->writes.clear();
    p.stream->print(String::fromUtf16(std::u16string(3000, u'a')));
    EXPECT_EQ(p.sink->writes, (std::vector<int32_t>{2048, 952})) << "long texts go in rounds of the byte buffer";
    EXPECT_EQ(p.sink->bytes.size(), 3000u + 37);
}

TEST(PrintStream, FailuresBelowAndClosingSetTheErrorFlagForGood) {
    testRuntime();
    Printer p;
    p.stream->print("caf\xE9");
    EXPECT_EQ(p.sink->bytes, "caf\xE9") << "native text passes its bytes unchanged";
    EXPECT_FALSE(p.stream->checkError());
    p.sink->failing = true;
    p.stream->println(VMPtr<java::lang::String>::fromLiteral("x"));
    p.sink->failing = false;
    p.stream->println(VMPtr<java::lang::String>::fromLiteral("y"));
    EXPECT_TRUE(p.stream->checkError()) << "the flag is never cleared";
    Printer closed;
    closed.stream->close();
    closed.stream->close();  // a second close does nothing
    closed.stream->println(VMPtr<java::lang::String>::fromLiteral("lost"));
    closed.stream->write(int32_t('x'));
    EXPECT_TRUE(closed.stream->checkError());
    EXPECT_EQ(closed.sink->bytes, "");
}

TEST(Writer, ChecksOpennessBeforeRanges) {
    testRuntime();
    VMPtr<test::RecordingStream> sink = test::RecordingStream::_VM_new();
    sink->_VM_init();
    VMPtr<java::io::OutputStreamWriter> writer = java::io::OutputStreamWriter::_VM_new();
    writer->_VM_init(sink);
    VMPtr<VMArray<char16_t, 1>> chars = VMArray<char16_t, 1>::_VM_new(2);
    EXPECT_THROW(writer->write(chars, 1, 2), java::lang::IndexOutOfBoundsException*);
    writer->write(chars, 0, 0);
    writer->close();
    writer->close();
    EXPECT_EQ(classlib::messageOf<java::io::IOException>([&] { writer->write(chars, 0, 0); }), "Stream closed");
    VMPtr<java::io::OutputStreamWriter> none = java::io::OutputStreamWriter::_VM_new();
    EXPECT_THROW(none->_VM_init(VMPtr<java::io::OutputStream>()), java::lang::NullPointerException*);
}

TEST(Console, OutAndErrAreOneStreamAndTheUncaughtExceptionReportNamesThreadClassAndMessage) {
    testRuntime();
    CapturedStdout captured;
    EXPECT_EQ(java::lang::System::out.get(), java::lang::System::err.get());
    java::lang::System::out->println(String::fromUtf16(u"\u00e9"));
    java::lang::System::err->println(int32_t(42));
    VMPtr<java::io::IOException> e = java::io::IOException::_VM_new();
    e->_VM_init(VMPtr<java::lang::String>::fromLiteral("Stream closed"));
    e->printStackTrace();
    VMPtr<java::lang::NullPointerException> bare = java::lang::NullPointerException::_VM_new();
    bare->_VM_init();
    VM* vm = VM::instance();
    vm->currentThread = nullptr;  // without a current thread the report says only "Exception"
    bare->printStackTrace();
    vm->currentThread = vm->mainThread;
    EXPECT_EQ(captured.text(),
              "\xC3\xA9\n42\n"
              "Exception in thread \"System\" java.io.IOException: Stream closed\n"
              "    at <unknown>\n"
              "Exception java.lang.NullPointerException\n"
              "    at <unknown>\n");
}

TEST(Console, ByteArrayOutputStreamsDecodeTheirBytesAsUtf8) {
    testRuntime();
    VMPtr<java::io::ByteArrayOutputStream> bytes = java::io::ByteArrayOutputStream::_VM_new();
    bytes->_VM_init();
    VMPtr<PrintStream> stream = PrintStream::_VM_new();
    stream->_VM_init(bytes);
    stream->print(String::fromUtf16(u"\u20ac5"));
    EXPECT_EQ(bytes->toString()->toUtf16(), u"\u20ac5");
}

}  // namespace
