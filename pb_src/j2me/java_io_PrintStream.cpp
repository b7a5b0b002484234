#include "pb_src/j2me/java_io_PrintStream.h"

#include <cstring>

#include "lib_src/vm/VMLiterals.h"
#include "lib_src/vm/VMMonitor.h"
#include "pb_src/j2me/java_io_IOException.h"
#include "pb_src/j2me/java_lang_Integer.h"
#include "pb_src/j2me/java_lang_Long.h"
#include "pb_src/j2me/java_lang_NullPointerException.h"

namespace java::io {

VM_DEFINE_CLASS(PrintStream, "java.io.PrintStream", "java.io.OutputStream", VM_NO_CLINIT)

VMPtr<PrintStream> PrintStream::_VM_init(VMPtr<OutputStream> stream) {
    OutputStream::_VM_init();
    if (!stream) vm::throwNew<::java::lang::NullPointerException>();
    out = stream;
    VMPtr<OutputStreamWriter> writer = OutputStreamWriter::_VM_new();
    charOut = writer->_VM_init(stream);
    return this;
}

template <typename Write> void PrintStream::guarded(Write write) {
    VM_SYNCHRONIZED(this);
    // A closed stream sets the error flag rather than throwing: an uncaught-exception
    // report printed through a closed stream must not raise a second exception.
    if (!charOut) {
        trouble = true;
        return;
    }
    try {
        write();
    } catch (IOException* caught) {
        VMPtr<IOException> held(caught);
        trouble = true;
    }
}

void PrintStream::write(int32_t b) {
    guarded([&] { out->write(b); });
}

void PrintStream::write(VMPtr<ByteArray> bytes, int32_t offset, int32_t length) {
    guarded([&] { out->write(bytes, offset, length); });
}

void PrintStream::flush() {
    guarded([&] { charOut->flush(); });
}

void PrintStream::close() {
    VM_SYNCHRONIZED(this);
    if (closing) return;
    closing = true;
    try {
        charOut->close();
    } catch (IOException* caught) {
        VMPtr<IOException> held(caught);
        trouble = true;
    }
    charOut = nullptr;
    out = nullptr;
}

bool PrintStream::checkError() {
    if (charOut) flush();
    return trouble;
}

void PrintStream::setError() { trouble = true; }

void PrintStream::writeText(VMPtr<String> text) {
    guarded([&] { charOut->write(text); });
}

void PrintStream::newLine() {
    guarded([&] { charOut->write(int32_t('\n')); });
}

void PrintStream::print(const char* bytes) {
    guarded([&] {
        for (const char* b = bytes; *b; ++b) write(int32_t(static_cast<signed char>(*b)));
    });
}

void PrintStream::print(VMPtr<String> text) { writeText(text ? text : VMPtr<java::lang::String>::fromLiteral("null")); }

void PrintStream::print(VMPtr<CharArray> characters) {
    if (!characters) vm::throwNew<::java::lang::NullPointerException>();
    guarded([&] { charOut->write(characters); });
}

void PrintStream::print(VMPtr<::java::lang::Object> object) { writeText(String::valueOf(object)); }
void PrintStream::print(double d) { writeText(String::valueOf(d)); }
void PrintStream::print(float f) { writeText(String::valueOf(f)); }
// Numbers and characters go to the writer from a native buffer: no String is made for them.
void PrintStream::writeUnits(const char16_t* units, int32_t count) {
    guarded([&] { charOut->write(units, count); });
}

void PrintStream::print(int64_t l) {
    char16_t text[::java::lang::Long::kMaxChars];
    char16_t* const end = text + ::java::lang::Long::kMaxChars;
    const char16_t* begin = ::java::lang::Long::writeText(l, 10, end);
    writeUnits(begin, int32_t(end - begin));
}

void PrintStream::print(int32_t i) {
    char16_t text[::java::lang::Integer::kMaxChars];
    char16_t* const end = text + ::java::lang::Integer::kMaxChars;
    const char16_t* begin = ::java::lang::Integer::writeText(i, 10, end);
    writeUnits(begin, int32_t(end - begin));
}

void PrintStream::print(char16_t c) { writeUnits(&c, 1); }
void PrintStream::print(bool b) { writeText(String::valueOf(b)); }

void PrintStream::println() {
    VM_SYNCHRONIZED(this);
    newLine();
}

void PrintStream::_VM_mark(uint32_t flags) {
    OutputStream::_VM_mark(flags);
    vmMarkField(charOut, flags);
    vmMarkField(out, flags);
}

}  // namespace java::io
