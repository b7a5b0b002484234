#include "pb_src/j2me/com_kelvane_ostrel_midp_io_protocol_http_Protocol.h"

#include "hal/base/HALString.h"
#include "lib_src/vm/VMException.h"
#include "lib_src/vm/VMLiterals.h"
#include "pb_src/j2me/com_kelvane_ostrel_midp_io_HttpInputStream.h"
#include "pb_src/j2me/com_kelvane_ostrel_midp_io_HttpOutputStream.h"
#include "pb_src/j2me/java_io_IOException.h"
#include "pb_src/j2me/java_io_PrintStream.h"
#include "pb_src/j2me/java_lang_IllegalArgumentException.h"
#include "pb_src/j2me/java_lang_Integer.h"
#include "pb_src/j2me/java_lang_NumberFormatException.h"
#include "pb_src/j2me/java_lang_System.h"

namespace com::kelvane::ostrel::midp::io::protocol::http {

using ::java::io::IOException;
using ::java::lang::String;
using ::javax::microedition::io::HttpConnection;

VM_DEFINE_CLASS(Protocol, "com.kelvane.ostrel.midp.io.protocol.http.Protocol", "java.lang.Object", &Protocol::_VM_clinit)
VM_IMPLEMENTS(Protocol, "com.kelvane.ostrel.cldc.io.ConnectionBaseInterface")
VM_IMPLEMENTS(Protocol, "javax.microedition.io.HttpConnection")

VMPtr<String> Protocol::protocolName{VMStaticScope::instance()};
VMPtr<VMArray<String*, 1>> Protocol::dateWords{VMStaticScope::instance()};

namespace {

constexpr int kInputOutputFailure = 7;

[[noreturn]] void throwIOException(const char* text) { ::vm::throwNew<IOException>(VMPtr<String>::fromLiteral(text)); }

// A managed copy of a platform string when the call succeeded; the platform's is released.
VMPtr<String> adopt(int result, HALString* text) {
    VMPtr<String> copy;
    if (result == 0 && text != nullptr) {
        copy = String::_VM_new();
        copy->_VM_init(text);
    }
    if (text != nullptr) HAL_deleteString(text);
    return copy;
}

const char16_t* charsOf(const VMPtr<String>& text) { return text ? text->chars() : nullptr; }
int32_t lengthOf(const VMPtr<String>& text) { return text ? text->length() : 0; }

}  // namespace

void Protocol::_VM_clinit() {
    static const char* const words[kDateWordCount] = {
        "am", "pm", "monday", "tuesday", "wednesday", "thursday", "friday", "saturday", "sunday",
        "january", "february", "march", "april", "may", "june", "july", "august", "september",
        "october", "november", "december", "gmt", "ut", "utc", "est", "edt", "cst", "cdt", "mst", "mdt",
        "pst", "pdt"};
    protocolName = VMPtr<String>::fromLiteral("http");
    VMPtr<VMArray<String*, 1>> table = VMArray<String*, 1>::_VM_new(kDateWordCount);
    for (int32_t i = 0; i < kDateWordCount; ++i) table->set(i, VMPtr<String>::fromLiteral(words[i]));
    dateWords = table;
}

const int32_t Protocol::dateWordActions[kDateWordCount] = {
    14, 1, 0, 0, 0, 0, 0, 0, 0, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13,
    10000, 10000, 10000, 10300, 10240, 10360, 10300, 10420, 10360, 10480, 10420};

VMPtr<Protocol> Protocol::_VM_init() {
    Object::_VM_init();
    return this;
}

Protocol::~Protocol() {
    if (nativeConnection != nullptr) HAL_deleteHTTPConnection(nativeConnection);
}

VMPtr<::javax::microedition::io::Connection> Protocol::createNativeConnection(VMPtr<String> name, int32_t, bool) {
    const int result = HAL_createHTTPConnection(&nativeConnection, charsOf(name), lengthOf(name));
    if (result != 0) {
        nativeConnection = nullptr;
        ::vm::throwNew<IOException>(String::withNumber("HAL_createHTTPConnection error: ", result));
    }
    return this;
}

void Protocol::close() {
    if (inputStream) {
        try {
            inputStream->close();
        } catch (::java::lang::Throwable* caught) {
            VMPtr<::java::lang::Throwable> ignored(caught);
        }
        inputStream = nullptr;
    }
    if (outputStream) {
        try {
            outputStream->close();
        } catch (::java::lang::Throwable* caught) {
            VMPtr<::java::lang::Throwable> ignored(caught);
        }
        outputStream = nullptr;
    }
    HAL_deleteHTTPConnection(nativeConnection);
    state = kClosed;
    nativeConnection = nullptr;
}

void Protocol::ensureOpen() {
    if (state == kClosed) throwIOException("HttpConnection error: the connection is closed");
}

void Protocol::connect() {
    ensureOpen();
    if (state == kSetup) state = kConnected;
}

VMPtr<::java::io::InputStream> Protocol::openInputStream() {
    connect();
    VMPtr<::com::kelvane::ostrel::midp::io::HttpInputStream> stream = ::com::kelvane::ostrel::midp::io::HttpInputStream::_VM_new();
    stream->_VM_init(this);
    inputStream = stream;
    return stream;
}

VMPtr<::java::io::DataInputStream> Protocol::openDataInputStream() {
    VMPtr<::java::io::DataInputStream> data = ::java::io::DataInputStream::_VM_new();
    data->_VM_init(openInputStream());
    return data;
}

VMPtr<::java::io::OutputStream> Protocol::openOutputStream() {
    ensureOpen();
    VMPtr<::com::kelvane::ostrel::midp::io::HttpOutputStream> stream = ::com::kelvane::ostrel::midp::io::HttpOutputStream::_VM_new();
    stream->_VM_init(this);
    outputStream = stream;
    return stream;
}

VMPtr<::java::io::DataOutputStream> Protocol::openDataOutputStream() {
    VMPtr<::java::io::DataOutputStream> data = ::java::io::DataOutputStream::_VM_new();
    data->_VM_init(openOutputStream());
    return data;
}

// URL and request getters: the platform's text, or null; never an exception but the
// closed check.
#define PROTOCOL_URL_GETTER(Name, Call)                   \
    VMPtr<String> Protocol::Name() {                      \
        ensureOpen();                                     \
        HALString* text = nullptr;                        \
        const int result = Call(nativeConnection, &text); \
        return adopt(result, text);                       \
    }

PROTOCOL_URL_GETTER(getURL, HAL_getHTTPURL)
PROTOCOL_URL_GETTER(getHost, HAL_getHTTPHost)
PROTOCOL_URL_GETTER(getFile, HAL_getHTTPFile)
PROTOCOL_URL_GETTER(getRef, HAL_getHTTPRef)
PROTOCOL_URL_GETTER(getQuery, HAL_getHTTPQuery)
PROTOCOL_URL_GETTER(getRequestMethod, HAL_getHTTPRequestMethod)
#undef PROTOCOL_URL_GETTER

VMPtr<String> Protocol::getProtocol() {
    ensureOpen();
    return protocolName;
}

int32_t Protocol::getPort() {
    ensureOpen();
    int32_t port = 0;
    return HAL_getHTTPPort(nativeConnection, &port) == 0 ? port : 80;
}

VMPtr<String> Protocol::getRequestProperty(VMPtr<String> key) {
    ensureOpen();
    HALString* text = nullptr;
    const int result = HAL_getHTTPRequestProperty(nativeConnection, charsOf(key), lengthOf(key), &text);
    return adopt(result, text);
}

void Protocol::setRequestMethod(VMPtr<String> method) {
    ensureOpen();
    if (state == kConnected) throwIOException("HttpConnection error: HTTP method cannot be reset");
    ::vm::ensureInitialized(::java::lang::System::_VM_getClass());
    ::java::lang::System::out->println(method);
    ::vm::ensureInitialized(HttpConnection::_VM_getClass());
    if (!HttpConnection::HEAD->equalsIgnoreCase(method) && !HttpConnection::GET->equalsIgnoreCase(method) &&
        !HttpConnection::POST->equalsIgnoreCase(method))
        throwIOException("HttpConnection error: Invalid HTTP method");
    HAL_setHTTPRequestMethod(nativeConnection, method->chars(), method->length());
}

void Protocol::setRequestProperty(VMPtr<String> key, VMPtr<String> value) {
    ensureOpen();
    if (state == kConnected)
        throwIOException("HttpConnection error: HTTP request property cannot be set because the connection is in the Connected state");
    HAL_setHTTPRequestProperty(nativeConnection, charsOf(key), lengthOf(key), charsOf(value), lengthOf(value));
}

template <typename Call> VMPtr<String> Protocol::responseString(Call call) {
    connect();
    HALString* text = nullptr;
    const int result = call(&text);
    if (result == kInputOutputFailure) {
        adopt(result, text);
        ::vm::throwNew<IOException>(String::withNumber("HttpConnection error: ", result));
    }
    return adopt(result, text);
}

int32_t Protocol::getResponseCode() {
    connect();
    int32_t code = -1;
    const int result = HAL_getHTTPResponseCode(nativeConnection, &code);
    if (result == kInputOutputFailure) ::vm::throwNew<IOException>(String::withNumber("HttpConnection error: ", result));
    return result == 0 ? code : -1;
}

int64_t Protocol::getLength() {
    connect();
    int64_t length = -1;
    const int result = HAL_getHTTPLength(nativeConnection, &length);
    if (result == kInputOutputFailure) ::vm::throwNew<IOException>(String::withNumber("HttpConnection error: ", result));
    return result == 0 ? length : -1;
}

VMPtr<String> Protocol::getResponseMessage() {
    return responseString([&](HALString** out) { return HAL_getHTTPFirstHeaderField(nativeConnection, out); });
}

VMPtr<String> Protocol::getType() {
    return responseString([&](HALString** out) { return HAL_getHTTPType(nativeConnection, out); });
}

VMPtr<String> Protocol::getEncoding() {
    return responseString([&](HALString** out) { return HAL_getHTTPTransferEncoding(nativeConnection, out); });
}

VMPtr<String> Protocol::getHeaderField(int32_t n) {
    return responseString([&](HALString** out) { return HAL_getHTTPHeaderField(nativeConnection, n, out); });
}

VMPtr<String> Protocol::getHeaderFieldKey(int32_t n) {
    return responseString([&](HALString** out) { return HAL_getHTTPHeaderFieldKey(nativeConnection, n, out); });
}

VMPtr<String> Protocol::getHeaderField(VMPtr<String> name) { return headerValue(name); }

VMPtr<String> Protocol::headerValue(const VMPtr<String>& name) {
    return responseString([&](HALString** out) {
        return HAL_getHTTPHeaderFieldByName(nativeConnection, charsOf(name), lengthOf(name), out);
    });
}

int32_t Protocol::getHeaderFieldInt(VMPtr<String> name, int32_t def) {
    VMPtr<String> value = headerValue(name);
    if (!value) return def;
    try {
        return ::java::lang::Integer::parseInt(value);
    } catch (::java::lang::NumberFormatException* caught) {
        VMPtr<::java::lang::NumberFormatException> ignored(caught);
        return def;
    }
}

int64_t Protocol::getHeaderFieldDate(VMPtr<String> name, int64_t def) {
    VMPtr<String> value = headerValue(name);
    if (!value) return def;
    try {
        return parseDate(value);
    } catch (::java::lang::IllegalArgumentException* caught) {
        VMPtr<::java::lang::IllegalArgumentException> ignored(caught);
        return def;
    }
}

int64_t Protocol::getExpiration() { return getHeaderFieldDate(VMPtr<String>::fromLiteral("expires"), 0); }

int64_t Protocol::getDate() { return getHeaderFieldDate(VMPtr<String>::fromLiteral("date"), 0); }

int64_t Protocol::getLastModified() { return getHeaderFieldDate(VMPtr<String>::fromLiteral("last-modified"), 0); }

void Protocol::_VM_mark(uint32_t flags) {
    Object::_VM_mark(flags);
    vmMarkField(inputStream, flags);
    vmMarkField(outputStream, flags);
}

}  // namespace com::kelvane::ostrel::midp::io::protocol::http
