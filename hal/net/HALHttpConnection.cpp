#include "hal/net/HALHttpConnection.h"

#include <cctype>
#include <cstring>
#include <new>
#include <string_view>
#include <type_traits>

#include "hal/base/HALResult.h"
#include "hal/base/HALString.h"
#include "hal/base/Memory.h"
#include "hal/base/VMLock.h"
#include "hal/net/InternetSession.h"
#include "hal/services/Utf8.h"

namespace {

bool isTokenCharacter(uint32_t c) {
    if ((c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z')) return true;
    return c != 0 && c < 0x80 && std::strchr("!#$%&'*+-.^_`|~", int(c)) != nullptr;
}

// True for a name or method HTTP allows: one or more token characters.
template <typename Text> bool isToken(const Text& text) {
    if (text.empty()) return false;
    for (const auto c : text)
        if (!isTokenCharacter(uint32_t(std::make_unsigned_t<std::decay_t<decltype(c)>>(c)))) return false;
    return true;
}

// Text a header value may hold: tab, visible ASCII, space and ISO 8859-1 beyond ASCII.
bool isValueText(const HALString* value) {
    for (uint32_t i = 0; value != nullptr && i < value->length(); ++i) {
        const char16_t c = value->chars()[i];
        if ((c < 0x20 && c != u'\t') || c == 0x7F || c > 0xFF) return false;
    }
    return true;
}

std::string latin1(const HALString* text) {
    std::string bytes;
    for (uint32_t i = 0; text != nullptr && i < text->length(); ++i) bytes += char(text->chars()[i]);
    return bytes;
}

bool sameIgnoringCase(const std::string& a, const char* b) {
    if (a.size() != std::strlen(b)) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

// Splits a whole header line "Name: value" held in value; false when it has no valid name.
bool splitHeaderLine(std::string* name, std::string* value) {
    const size_t colon = value->find(':');
    if (colon == std::string::npos || !isToken(value->substr(0, colon))) return false;
    *name = value->substr(0, colon);
    value->erase(0, colon + 1);
    return true;
}

void trimBlanks(std::string* text) {
    const size_t first = text->find_first_not_of(" \t");
    const size_t last = text->find_last_not_of(" \t");
    *text = first == std::string::npos ? std::string() : text->substr(first, last - first + 1);
}

}  // namespace

int HALHttpConnection::create(const char16_t* url, int32_t length, HALHttpConnection** out) {
    if (out == nullptr || url == nullptr || length < 0) return HAL_BAD_ARGUMENT;
    *out = nullptr;
    std::unique_ptr<HALHttpConnection> connection(new HALHttpConnection(url, length));
    if (!connection->parts_.parse(HAL_utf16ToUtf8(url, size_t(length)))) return HAL_BAD_ARGUMENT;
    // A session or connect failure leaves the socket closed: the first request reports it.
    if (HAL_openInternet() == HAL_OK) {
        const HttpUrl& parts = connection->parts_;
        VMLockReleased unlocked;
        connection->socket_.connect(parts.bareHost(), parts.port(), InternetSession::timeout());
    }
    *out = connection.release();
    return HAL_OK;
}

HALHttpConnection::HALHttpConnection(const char16_t* url, int32_t length)
    : url_(new HALString(url, uint32_t(length))) {}

HALHttpConnection::~HALHttpConnection() {
    transfer_.reset();
    url_->release();
    if (method_) method_->release();
    HAL_free(readBuffer_);
}

void HALHttpConnection::setMethod(HALString* method) {
    method->addRef();
    if (method_) method_->release();
    method_ = method;
}

int HALHttpConnection::setRequestHeader(HALString* name, HALString* value) {
    if (name != nullptr && name->length() == 0) name = nullptr;
    if ((name != nullptr && !isToken(std::u16string_view(name->chars(), name->length()))) || !isValueText(value))
        return HAL_IO_ERROR;
    return requestHeaders_.set(name, value);
}

int HALHttpConnection::write(const uint8_t* bytes, size_t count) {
    try {
        body_.insert(body_.end(), bytes, bytes + count);
    } catch (const std::bad_alloc&) {
        return HAL_OUT_OF_MEMORY;
    }
    return HAL_OK;
}

HttpTransfer::Request HALHttpConnection::buildRequest() {
    HttpTransfer::Request request;
    request.method = method_ ? latin1(method_) : "GET";
    bool hasType = false, hasExpect = false;
    for (int32_t i = 0; i < requestHeaders_.size(); ++i) {
        const HALHeader* entry = requestHeaders_.at(i);
        std::string name = latin1(entry->name), value = latin1(entry->value);
        if (entry->name == nullptr && !splitHeaderLine(&name, &value)) continue;  // no header to send
        if (sameIgnoringCase(name, "Content-Length")) continue;
        hasType = hasType || sameIgnoringCase(name, "Content-Type");
        hasExpect = hasExpect || sameIgnoringCase(name, "Expect");
        trimBlanks(&value);
        request.headerLines.push_back(value.empty() ? name + ";" : name + ": " + value);
    }
    // libcurl would add a form content type to every body and ask a large one to wait for
    // "100 Continue": send neither unless the application asked for it.
    if (!hasType) request.headerLines.push_back("Content-Type:");
    if (!hasExpect) request.headerLines.push_back("Expect:");
    const bool bodiless = sameIgnoringCase(request.method, "GET") || sameIgnoringCase(request.method, "HEAD");
    request.sendsBody = !body_.empty() || !bodiless;
    request.body = std::move(body_);
    body_ = ByteVector();
    return request;
}

int HALHttpConnection::send() {
    if (sendResult_ >= 0) return sendResult_;
    sendResult_ = HAL_NOT_FOUND;
    if (!socket_.isOpen()) {
        lastError_ = CURLE_COULDNT_CONNECT;  // never connected, or closed before anything was sent
        return sendResult_;
    }
    HttpTransfer::Request request = buildRequest();
    if (!isToken(request.method)) {
        lastError_ = CURLE_BAD_FUNCTION_ARGUMENT;  // it would break the request line apart
        return sendResult_;
    }
    transfer_ = std::make_unique<HttpTransfer>(parts_, socket_, std::move(request));
    if (!transfer_->start(InternetSession::userAgent())) {
        lastError_ = transfer_->result();
        transfer_.reset();
        return sendResult_;
    }
    // A status code has three digits; libcurl lets some other numbers through ("HTTP/2 1001").
    const long status = transfer_->status();
    status_ = status >= 100 && status <= 999 ? int32_t(status) : -1;
    if (responseHeaders_.appendHead(transfer_->head().data(), transfer_->head().size()) != HAL_OK)
        responseHeaders_.clear();
    sendResult_ = HAL_OK;
    return sendResult_;
}

int32_t HALHttpConnection::responseCode() { return send() == HAL_OK ? status_ : -1; }

const HttpHeaderGroup& HALHttpConnection::responseHeaders() {
    send();
    return responseHeaders_;
}

int HALHttpConnection::read(uint8_t** buffer, int32_t* count) {
    *count = -1;
    if (send() != HAL_OK || transfer_ == nullptr) return HAL_IO_ERROR;
    if (readBuffer_ == nullptr) readBuffer_ = static_cast<uint8_t*>(HAL_malloc(kReadBufferSize));
    if (readBuffer_ == nullptr) return HAL_IO_ERROR;
    const int64_t read = transfer_->read(readBuffer_, kReadBufferSize);
    *buffer = readBuffer_;
    if (read < 0) {
        lastError_ = transfer_->result();
        return HAL_IO_ERROR;
    }
    *count = int32_t(read);
    return read == 0 ? HAL_NOTHING_READ : HAL_OK;
}

void HALHttpConnection::close() {
    transfer_.reset();
    socket_.close();
}
