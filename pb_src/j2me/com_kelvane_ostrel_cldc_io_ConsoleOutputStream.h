#pragma once

// The byte stream behind System.out and System.err: each byte goes to the platform console.

#include "pb_src/j2me/java_io_OutputStream.h"

namespace com::kelvane::ostrel::cldc::io {

class ConsoleOutputStream : public ::java::io::OutputStream {
    VM_CLASS(ConsoleOutputStream, ::java::io::OutputStream)
    VMPtr<ConsoleOutputStream> _VM_init() {
        OutputStream::_VM_init();
        return this;
    }
    using OutputStream::write;
    void write(int32_t b) override;
};

}  // namespace com::kelvane::ostrel::cldc::io
