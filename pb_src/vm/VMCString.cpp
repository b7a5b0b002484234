#include "lib_src/vm/VMCString.h"

#include <cstring>

#include "lib_src/vm/VMHeap.h"

namespace {

char* zeroedBytes(size_t count) {
    auto* bytes = static_cast<char*>(_VM_allocateBytes(count));
    std::memset(bytes, 0, count);
    return bytes;
}

size_t boundedLength(const char* text, int count) { return strnlen(text, size_t(count)); }

}  // namespace

VMCString::VMCString(const char* text) { assign(text); }

VMCString::VMCString(const VMCString& other) {
    if (other.text_) assign(other.text_);
}

VMCString::~VMCString() {
    _VM_free(text_);
    text_ = nullptr;
}

void VMCString::assign(const char* text) {
    const size_t length = std::strlen(text);
    char* copy = zeroedBytes(length + 1);
    std::memcpy(copy, text, length);
    _VM_free(text_);
    text_ = copy;
}

void VMCString::assign(const char* text, int count) {
    if (text == nullptr || count <= 0) return;
    char* copy = zeroedBytes(size_t(count) + 1);
    std::memcpy(copy, text, boundedLength(text, count));
    _VM_free(text_);
    text_ = copy;
}

void VMCString::append(const char* text) {
    if (text != nullptr) append(text, int(std::strlen(text)));
}

void VMCString::append(const char* text, int count) {
    if (text == nullptr || count <= 0) return;
    const size_t oldLength = length();
    char* combined = zeroedBytes(oldLength + size_t(count) + 1);
    if (text_) std::memcpy(combined, text_, oldLength);
    std::memcpy(combined + oldLength, text, boundedLength(text, count));
    _VM_free(text_);
    text_ = combined;
}

int VMCString::compare(const VMCString& other) const { return std::strcmp(text_, other.text_); }

bool VMCString::equals(const char* text) const {
    if (text == nullptr) return false;
    return text_ != nullptr && std::strcmp(text_, text) == 0;
}

size_t VMCString::length() const { return text_ ? std::strlen(text_) : 0; }
