#pragma once

// java::io::PrintStream: values as text on an OutputStream, never throwing IOException:
// failures below it, and writes after it was closed, set the error flag that checkError
// reports.

#include "lib_src/vm/VMMonitor.h"
#include "pb_src/j2me/java_io_OutputStreamWriter.h"

namespace java::io {

class PrintStream : public OutputStream {
    VM_CLASS(PrintStream, OutputStream)
    using String = ::java::lang::String;
    using CharArray = VMArray<char16_t, 1>;

    VMPtr<PrintStream> _VM_init(VMPtr<OutputStream> out);

    using OutputStream::write;
    void write(VMPtr<ByteArray> bytes, int32_t offset, int32_t length) override;
    void write(int32_t b) override;
    void flush() override;
    void close() override;
    virtual bool checkError();
    virtual void setError();

    void print(const char* bytes);
    void print(VMPtr<::java::lang::Object> object);
    void print(VMPtr<String> text);
    void print(VMPtr<CharArray> characters);
    void print(double d);
    void print(float f);
    void print(int64_t l);
    void print(int32_t i);
    void print(char16_t c);
    void print(bool b);
    template <typename T> void println(T value) {
        VM_SYNCHRONIZED(this);
        print(value);
        newLine();
    }
    void println();
    void _VM_mark(uint32_t flags) override;

    bool trouble = false;
    bool closing = false;
    VMPtr<OutputStreamWriter> charOut{vmField()};
    VMPtr<OutputStream> out{vmField()};

private:
    // Runs a write holding the monitor: a closed stream or an IOException sets the error flag.
    template <typename Write> void guarded(Write write);
    void writeText(VMPtr<String> text);
    void newLine();
    void writeUnits(const char16_t* units, int32_t count);
};

}  // namespace java::io
