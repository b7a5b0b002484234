#include "hal/net/HttpHeaderGroup.h"

#include <cstring>
#include <new>
#include <string>

#include "hal/base/HALResult.h"
#include "hal/base/HALString.h"
#include "hal/base/Memory.h"
#include "hal/services/HALPtrArray.h"

namespace {

char16_t foldCase(char16_t c) { return c >= u'A' && c <= u'Z' ? char16_t(c + (u'a' - u'A')) : c; }

bool sameName(const HALString* name, const char16_t* other, int32_t length) {
    if (name == nullptr || name->length() != uint32_t(length)) return false;
    for (int32_t i = 0; i < length; ++i)
        if (foldCase(name->chars()[i]) != foldCase(other[i])) return false;
    return true;
}

bool isBlank(char c) { return c == ' ' || c == '\t'; }

// A new string of the bytes, one character per byte.
HALString* latin1(const char* bytes, size_t count) {
    std::u16string units(count, u'\0');
    for (size_t i = 0; i < count; ++i) units[i] = static_cast<unsigned char>(bytes[i]);
    return new HALString(units.data(), uint32_t(count));
}

void trim(const char** text, size_t* length) {
    while (*length > 0 && isBlank(**text)) ++*text, --*length;
    while (*length > 0 && isBlank((*text)[*length - 1])) --*length;
}

void releaseEntry(HALHeader* entry) {
    if (entry->name) entry->name->release();
    if (entry->value) entry->value->release();
    HAL_free(entry);
}

}  // namespace

HttpHeaderGroup::~HttpHeaderGroup() {
    clear();
    HALPtrArray::destroy(entries_);
}

void HttpHeaderGroup::clear() {
    for (int32_t i = 0; i < size(); ++i) releaseEntry(static_cast<HALHeader*>(entries_->at(i)));
    if (entries_) entries_->clear();
}

int32_t HttpHeaderGroup::size() const { return entries_ ? entries_->size() : 0; }

const HALHeader* HttpHeaderGroup::at(int32_t index) const {
    return entries_ ? static_cast<const HALHeader*>(entries_->at(index)) : nullptr;
}

const HALHeader* HttpHeaderGroup::find(const char16_t* name, int32_t length) const {
    if (length < 0 || (name == nullptr && length > 0)) return nullptr;
    for (int32_t i = 0; i < size(); ++i)
        if (sameName(at(i)->name, name, length)) return at(i);
    return nullptr;
}

int HttpHeaderGroup::set(HALString* name, HALString* value) {
    if (name != nullptr) {
        for (int32_t i = 0; i < size(); ++i) {
            auto* entry = static_cast<HALHeader*>(entries_->at(i));
            if (!sameName(entry->name, name->chars(), int32_t(name->length()))) continue;
            name->addRef();
            if (value) value->addRef();
            entry->name->release();
            if (entry->value) entry->value->release();
            entry->name = name;
            entry->value = value;
            return HAL_OK;
        }
    }
    return append(name, value);
}

int HttpHeaderGroup::append(HALString* name, HALString* value) {
    if (entries_ == nullptr) entries_ = HALPtrArray::create();
    void* block = entries_ ? HAL_malloc(sizeof(HALHeader)) : nullptr;
    if (block == nullptr) return HAL_IO_ERROR;
    auto* entry = new (block) HALHeader{group_, name, value};
    if (entries_->append(entry) != HAL_OK) {
        HAL_free(block);
        return HAL_IO_ERROR;
    }
    if (name) name->addRef();
    if (value) value->addRef();
    return HAL_OK;
}

int HttpHeaderGroup::appendHead(const char* bytes, size_t size) {
    for (size_t start = 0; start < size;) {
        const void* end = std::memchr(bytes + start, '\n', size - start);
        const size_t stop = end ? size_t(static_cast<const char*>(end) - bytes) : size;
        size_t length = stop - start;
        if (length > 0 && bytes[start + length - 1] == '\r') --length;
        if (length == 0) break;
        if (const int result = appendLine(bytes + start, length, start == 0); result != HAL_OK) return result;
        start = stop + 1;
    }
    return HAL_OK;
}

int HttpHeaderGroup::appendLine(const char* line, size_t length, bool statusLine) {
    if (statusLine) return appendNew(nullptr, 0, line, length);
    if (isBlank(line[0])) {
        auto* last = size() > 1 ? static_cast<HALHeader*>(entries_->at(size() - 1)) : nullptr;
        if (last == nullptr || last->value == nullptr) return appendNew(nullptr, 0, line, length);
        foldInto(last, line, length);
        return HAL_OK;
    }
    const char* colon = static_cast<const char*>(std::memchr(line, ':', length));
    if (colon == nullptr) return appendNew(nullptr, 0, line, length);
    const size_t nameLength = size_t(colon - line);
    const char* value = colon + 1;
    size_t valueLength = length - nameLength - 1;
    trim(&value, &valueLength);
    return appendNew(line, nameLength, value, valueLength);
}

int HttpHeaderGroup::appendNew(const char* name, size_t nameLength, const char* value, size_t valueLength) {
    HALString* nameText = name ? latin1(name, nameLength) : nullptr;
    HALString* valueText = latin1(value, valueLength);
    const int result = append(nameText, valueText);
    if (nameText) nameText->release();
    valueText->release();
    return result;
}

void HttpHeaderGroup::foldInto(HALHeader* entry, const char* line, size_t length) {
    trim(&line, &length);
    if (length == 0) return;
    HALString* joined = latin1(line, length);
    if (entry->value->length() > 0) {
        HALString* piece = joined;
        joined = new HALString(*entry->value);
        joined->append(u" ");
        joined->append(piece);
        piece->release();
    }
    entry->value->release();
    entry->value = joined;
}
