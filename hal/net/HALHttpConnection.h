#pragma once

// The native side of one http connection of the profile: the URL and its parts, the
// request being prepared (method, header group 0, body), the socket connected to the host
// when the connection was made, and, once the request has gone out, the transfer with the
// response's status, header group 1 and body.
//
// The request is sent at most once, on the first question about the response or the first
// read, with the method (GET when none was set), the request headers in their order and
// every body byte written until then; bytes written later stay here and are never sent.
// Header values go out as ISO 8859-1. libcurl adds no headers of its own beyond Host,
// User-Agent, Accept and the body's true Content-Length (a Content-Length set by the
// application is not sent: it could disagree with the body). Redirections are not
// followed: the application sees the 3xx response. A connection is used by one thread at
// a time; every wait releases the VM lock.

#include <cstdint>
#include <memory>
#include <string>

#include "hal/net/HttpHeaderGroup.h"
#include "hal/net/HttpTransfer.h"
#include "hal/net/HttpUrl.h"
#include "hal/net/TcpSocket.h"

class HALString;

class HALHttpConnection {
public:
    static constexpr int32_t kReadBufferSize = 4096;

    // Makes a connection for the length units of url and connects to its host and port.
    // 0 with *out set, also when the session cannot be opened or no address of the host
    // accepts the connection (the first request then fails); 2 when the text is not an
    // http or https URL with a host.
    static int create(const char16_t* url, int32_t length, HALHttpConnection** out);
    ~HALHttpConnection();
    HALHttpConnection(const HALHttpConnection&) = delete;
    HALHttpConnection& operator=(const HALHttpConnection&) = delete;

    HALString* url() const { return url_; }
    const HttpUrl& parts() const { return parts_; }

    // The method text, or null when none was set (GET is sent).
    HALString* method() const { return method_; }
    // Keeps a reference of its own to the text.
    void setMethod(HALString* method);

    // Records a request header: 0; 7 when the name is not an HTTP token or the value holds
    // a line break, another control character or a character above U+00FF (it could
    // break the request apart), or memory runs out. An empty name makes an entry without a
    // name, sent as a header line of its own when its value has the "Name: value" form.
    int setRequestHeader(HALString* name, HALString* value);
    const HttpHeaderGroup& requestHeaders() const { return requestHeaders_; }

    // Appends bytes to the body. 0, or 5 when memory runs out.
    int write(const uint8_t* bytes, size_t count);

    // Sends the request unless it went out already: 0 when a response head came back, 4
    // when sending failed (now or the first time).
    int send();
    // The response's status code (three digits), sending first; -1 when there is none.
    int32_t responseCode();
    // The response headers, sending first (empty when sending failed).
    const HttpHeaderGroup& responseHeaders();

    // Reads the next body bytes into the connection's read buffer (made on first use):
    // 0 with a count above 0; 3 with count 0 at the end of the body; 7 with count -1 when
    // sending or reading failed or the connection was closed.
    int read(uint8_t** buffer, int32_t* count);

    // Ends the request and drops the socket; the response's status and headers read so
    // far stay, the body can no longer be read.
    void close();

    // libcurl's code for the last failure of sending or reading (CURLE_OK when none).
    int lastError() const { return lastError_; }

private:
    HALHttpConnection(const char16_t* url, int32_t length);
    HttpTransfer::Request buildRequest();

    HALString* url_;
    HALString* method_ = nullptr;
    HttpUrl parts_;
    TcpSocket socket_;
    std::unique_ptr<HttpTransfer> transfer_;
    int sendResult_ = -1;  // -1 until the request has been tried
    int lastError_ = 0;
    int32_t status_ = -1;
    HttpHeaderGroup requestHeaders_{HttpHeaderGroup::kRequest};
    HttpHeaderGroup responseHeaders_{HttpHeaderGroup::kResponse};
    ByteVector body_;
    uint8_t* readBuffer_ = nullptr;
};
