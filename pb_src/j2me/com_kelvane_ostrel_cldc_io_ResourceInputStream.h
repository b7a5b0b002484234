#pragma once

// The input stream over one resource file of the application (hal/services/ResourceFiles.h),
// as Class.getResourceAsStream opens it. It keeps its own read position and asks the
// platform for the bytes at that position on every read, so mark and reset cost nothing;
// it keeps no buffer. No operation holds the monitor.

#include "pb_src/j2me/java_io_InputStream.h"

struct HALFile;

namespace com::kelvane::ostrel::cldc::io {

class ResourceInputStream : public ::java::io::InputStream {
    VM_CLASS(ResourceInputStream, ::java::io::InputStream)

    // Closes the file if the stream was never closed, so a dropped stream does not keep its
    // file open beyond the collection that frees it.
    ~ResourceInputStream() override;

    // Opens the resource of that name; IOException "Resource error: <code>" when the platform
    // refuses (4: no such resource), NullPointerException for a null name.
    VMPtr<ResourceInputStream> _VM_init(VMPtr<::java::lang::String> name);

    using InputStream::read;
    int32_t read(VMPtr<ByteArray> b, int32_t off, int32_t len) override;
    int32_t read() override;
    int64_t skip(int64_t n) override;
    // Answers from the fields, also when closed.
    int32_t available() override;
    void close() override;
    // The read limit is ignored: the whole resource stays readable.
    void mark(int32_t readLimit) override;
    void reset() override;
    bool markSupported() override { return true; }

    HALFile* handle = nullptr;  // null when closed or never opened
    int32_t pos = 0;            // offset of the next read from the start of the resource
    int32_t size = 0;           // the resource's length when it was opened
    int32_t markPos = 0;        // where reset returns to

private:
    // IOException without a message when the stream is closed.
    void checkOpen();
};

}  // namespace com::kelvane::ostrel::cldc::io
