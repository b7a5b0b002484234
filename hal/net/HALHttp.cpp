#include "hal/net/HALHttp.h"

#include "hal/base/HALResult.h"
#include "hal/base/HALString.h"
#include "hal/net/HALHttpConnection.h"
#include "hal/services/Utf8.h"

namespace {

bool badText(const char16_t* text, int32_t length) { return length < 0 || (text == nullptr && length > 0); }

HALString* newString(const std::string& utf8) {
    const std::u16string units = HAL_utf8ToUtf16(utf8.data(), utf8.size());
    return new HALString(units.data(), uint32_t(units.size()));
}

HALString* newString(const std::optional<std::string>& utf8) { return utf8 ? newString(*utf8) : nullptr; }

HALString* shared(HALString* string) {
    if (string) string->addRef();
    return string;
}

// Hands out a URL part: 2 for null arguments, else 0.
template <typename Part> int urlPart(HALHttpConnection* connection, HALString** out, Part part) {
    if (connection == nullptr || out == nullptr) return HAL_BAD_ARGUMENT;
    *out = part(connection->parts());
    return HAL_OK;
}

// Hands out a new reference to the value of the first response header of that name:
// 2 for null arguments, 4 when there is none, else 0.
int responseHeader(HALHttpConnection* connection, const char16_t* name, int32_t length, HALString** out) {
    if (connection == nullptr || out == nullptr || badText(name, length)) return HAL_BAD_ARGUMENT;
    *out = nullptr;
    const HALHeader* entry = connection->responseHeaders().find(name, length);
    if (entry == nullptr) return HAL_NOT_FOUND;
    *out = shared(entry->value);
    return HAL_OK;
}

int64_t decimal(const HALString* text) {
    if (text == nullptr || text->length() == 0 || text->length() > 18) return -1;
    int64_t value = 0;
    for (uint32_t i = 0; i < text->length(); ++i) {
        const char16_t c = text->chars()[i];
        if (c < u'0' || c > u'9') return -1;
        value = value * 10 + (c - u'0');
    }
    return value;
}

}  // namespace

int HAL_createHTTPConnection(HALHttpConnection** out, const char16_t* url, int32_t length) {
    return HALHttpConnection::create(url, length, out);
}

int HAL_deleteHTTPConnection(HALHttpConnection* connection) {
    if (connection == nullptr) return HAL_BAD_ARGUMENT;
    delete connection;
    return HAL_OK;
}

int HAL_closeHTTPConnection(HALHttpConnection* connection) {
    if (connection == nullptr) return HAL_BAD_ARGUMENT;
    connection->close();
    return HAL_OK;
}

int HAL_getHTTPURL(HALHttpConnection* connection, HALString** out) {
    return urlPart(connection, out, [&](const HttpUrl&) { return shared(connection->url()); });
}

int HAL_getHTTPHost(HALHttpConnection* connection, HALString** out) {
    return urlPart(connection, out, [](const HttpUrl& url) { return newString(url.host()); });
}

int HAL_getHTTPPort(HALHttpConnection* connection, int32_t* out) {
    if (connection == nullptr || out == nullptr) return HAL_BAD_ARGUMENT;
    *out = connection->parts().port();
    return HAL_OK;
}

int HAL_getHTTPQuery(HALHttpConnection* connection, HALString** out) {
    return urlPart(connection, out, [](const HttpUrl& url) { return newString(url.query()); });
}

int HAL_getHTTPRef(HALHttpConnection* connection, HALString** out) {
    return urlPart(connection, out, [](const HttpUrl& url) { return newString(url.fragment()); });
}

int HAL_getHTTPFile(HALHttpConnection* connection, HALString** out) {
    return urlPart(connection, out, [](const HttpUrl& url) { return newString(url.path()); });
}

int HAL_getHTTPRequestMethod(HALHttpConnection* connection, HALString** out) {
    if (connection == nullptr || out == nullptr) return HAL_BAD_ARGUMENT;
    *out = connection->method() ? shared(connection->method()) : new HALString(u"GET");
    return HAL_OK;
}

int HAL_setHTTPRequestMethod(HALHttpConnection* connection, const char16_t* method, int32_t length) {
    if (connection == nullptr || method == nullptr || length < 0) return HAL_BAD_ARGUMENT;
    HALString* text = new HALString(method, uint32_t(length));
    connection->setMethod(text);
    text->release();
    return HAL_OK;
}

int HAL_setHTTPRequestProperty(HALHttpConnection* connection, const char16_t* key, int32_t keyLength,
                               const char16_t* value, int32_t valueLength) {
    if (connection == nullptr || badText(key, keyLength) || badText(value, valueLength)) return HAL_BAD_ARGUMENT;
    HALString* name = keyLength > 0 ? new HALString(key, uint32_t(keyLength)) : nullptr;
    HALString* text = value ? new HALString(value, uint32_t(valueLength)) : nullptr;
    const int result = connection->setRequestHeader(name, text);
    if (name) name->release();
    if (text) text->release();
    return result;
}

int HAL_getHTTPRequestProperty(HALHttpConnection* connection, const char16_t* name, int32_t length, HALString** out) {
    if (connection == nullptr || out == nullptr || badText(name, length)) return HAL_BAD_ARGUMENT;
    const HALHeader* entry = connection->requestHeaders().find(name, length);
    *out = entry ? shared(entry->value) : nullptr;
    return HAL_OK;
}

int HAL_writeHTTPConnection(HALHttpConnection* connection, const uint8_t* bytes, int32_t length) {
    if (connection == nullptr || length < 0 || (bytes == nullptr && length > 0)) return HAL_BAD_ARGUMENT;
    return length == 0 ? HAL_OK : connection->write(bytes, size_t(length));
}

int HAL_closeHTTPOutputStream(HALHttpConnection* connection) {
    return connection == nullptr ? HAL_BAD_ARGUMENT : HAL_OK;
}

int HAL_readHTTPConnection(HALHttpConnection* connection, uint8_t** buffer, int32_t* count) {
    if (connection == nullptr || buffer == nullptr || count == nullptr) return HAL_BAD_ARGUMENT;
    return connection->read(buffer, count);
}

int HAL_getHTTPResponseCode(HALHttpConnection* connection, int32_t* code) {
    if (connection == nullptr || code == nullptr) return HAL_BAD_ARGUMENT;
    *code = connection->responseCode();
    return HAL_OK;
}

int HAL_getHTTPLength(HALHttpConnection* connection, int64_t* length) {
    if (connection == nullptr || length == nullptr) return HAL_BAD_ARGUMENT;
    const HALHeader* entry = connection->responseHeaders().find(u"Content-Length", 14);
    *length = entry ? decimal(entry->value) : -1;
    return HAL_OK;
}

int HAL_getHTTPType(HALHttpConnection* connection, HALString** out) {
    const int result = responseHeader(connection, u"Content-Type", 12, out);
    return result == HAL_NOT_FOUND ? HAL_OK : result;
}

int HAL_getHTTPHeaderField(HALHttpConnection* connection, int32_t index, HALString** out) {
    if (connection == nullptr || out == nullptr) return HAL_BAD_ARGUMENT;
    *out = nullptr;
    const HALHeader* entry = connection->responseHeaders().at(index);
    if (entry == nullptr) return HAL_NOT_FOUND;
    *out = shared(entry->value);
    return HAL_OK;
}

int HAL_getHTTPHeaderFieldKey(HALHttpConnection* connection, int32_t index, HALString** out) {
    if (connection == nullptr || out == nullptr) return HAL_BAD_ARGUMENT;
    *out = nullptr;
    const HALHeader* entry = connection->responseHeaders().at(index);
    if (entry == nullptr) return HAL_NOT_FOUND;
    *out = shared(entry->name);
    return HAL_OK;
}

int HAL_getHTTPFirstHeaderField(HALHttpConnection* connection, HALString** out) {
    return HAL_getHTTPHeaderField(connection, 0, out);
}

int HAL_getHTTPHeaderFieldByName(HALHttpConnection* connection, const char16_t* name, int32_t length,
                                 HALString** out) {
    return responseHeader(connection, name, length, out);
}

int HAL_getHTTPTransferEncoding(HALHttpConnection* connection, HALString** out) {
    return responseHeader(connection, u"Transfer-Encoding", 17, out);
}
