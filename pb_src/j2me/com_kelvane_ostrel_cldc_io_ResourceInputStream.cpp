#include "pb_src/j2me/com_kelvane_ostrel_cldc_io_ResourceInputStream.h"

#include "hal/base/HALResult.h"
#include "hal/services/ResourceFiles.h"
#include "pb_src/j2me/java_io_IOException.h"
#include "pb_src/j2me/java_lang_NullPointerException.h"
#include "pb_src/j2me/java_lang_String.h"

namespace com::kelvane::ostrel::cldc::io {

VM_DEFINE_CLASS(ResourceInputStream, "com.kelvane.ostrel.cldc.io.ResourceInputStream", "java.io.InputStream",
                VM_NO_CLINIT)

namespace {

[[noreturn]] void throwResourceError(int code) {
    ::vm::throwNew<::java::io::IOException>(::java::lang::String::withNumber("Resource error: ", code));
}

}  // namespace

ResourceInputStream::~ResourceInputStream() { HAL_closeFile(handle); }

VMPtr<ResourceInputStream> ResourceInputStream::_VM_init(VMPtr<::java::lang::String> name) {
    if (!name) ::vm::throwNew<::java::lang::NullPointerException>();
    handle = nullptr;
    // The name's characters are not terminated: the platform takes exactly its length.
    const int code = HAL_openResource(&handle, name->chars(), name->length());
    if (code != HAL_OK) throwResourceError(code);
    if (handle == nullptr) ::vm::throwNew<::java::io::IOException>();
    size = HAL_getResourceSize(handle);
    pos = 0;
    markPos = 0;
    return this;
}

void ResourceInputStream::checkOpen() {
    if (handle == nullptr) ::vm::throwNew<::java::io::IOException>();
}

int32_t ResourceInputStream::read() {
    checkOpen();
    uint8_t byte = 0;
    int32_t count = 1;
    const int code = HAL_readResource(handle, &byte, pos, &count);
    if (code != HAL_OK && code != HAL_NOTHING_READ) throwResourceError(code);
    if (count < 1) return -1;
    ++pos;
    return byte;
}

int32_t ResourceInputStream::read(VMPtr<ByteArray> b, int32_t off, int32_t len) {
    checkOpen();
    checkArrayRange(b.get(), off, len);
    if (len == 0) return 0;
    if (pos >= size) return -1;
    if (int64_t(pos) + len > size) len = size - pos;
    if (len <= 0) return 0;
    int32_t count = len;
    const int code = HAL_readResource(handle, b->elements() + off, pos, &count);
    if (code != HAL_OK && code != HAL_NOTHING_READ) throwResourceError(code);
    // Nothing delivered means the file ended early (it shrank since it was opened): the end.
    if (count < 1) return -1;
    pos += count;
    return count;
}

int64_t ResourceInputStream::skip(int64_t n) {
    checkOpen();
    if (n <= 0) return 0;
    if (pos + n > size) n = size > pos ? size - pos : 0;
    pos += int32_t(n);
    return n;
}

int32_t ResourceInputStream::available() { return size - pos; }

void ResourceInputStream::close() {
    if (handle == nullptr) return;
    HAL_closeFile(handle);
    handle = nullptr;
}

void ResourceInputStream::mark(int32_t readLimit) { markPos = pos; }

void ResourceInputStream::reset() {
    checkOpen();
    pos = markPos;
}

}  // namespace com::kelvane::ostrel::cldc::io
