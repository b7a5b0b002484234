#pragma once

// One HTTP/1.1 request and its response, carried out by libcurl over a socket that is
// already connected to the URL's host (libcurl adds TLS for https and verifies the
// server's certificate). libcurl parses the response; this object keeps the head of the
// final response (interim 1xx heads are dropped) and hands the body out in pieces as the
// caller asks for it. At most 64 KiB of body wait here: beyond that libcurl stops reading
// from the socket until the caller has taken what is buffered, so a large body never
// piles up in memory.
//
// Waiting (for the head, for body bytes) releases the VM lock. A wait ends with a
// time-out failure once the transfer has made no progress, sent or received, for the
// session's time-out. Used by one thread at a time.

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <curl/curl.h>
#include <string>
#include <vector>

#include "hal/net/CountedAllocator.h"

class HttpUrl;
class TcpSocket;

using ByteVector = std::vector<uint8_t, CountedAllocator<uint8_t>>;

class HttpTransfer {
public:
    static constexpr size_t kBufferedBodyLimit = 64 * 1024;

    struct Request {
        std::string method;                   // sent as given
        std::vector<std::string> headerLines;  // libcurl's form: "Name: value", "Name;" for an empty value,
                                              // "Name:" to leave out a header libcurl would add
        bool sendsBody = false;               // send the body and its length (also when empty)
        ByteVector body;
    };

    // Takes over the socket; url must outlive the transfer.
    HttpTransfer(const HttpUrl& url, TcpSocket& socket, Request request);
    ~HttpTransfer();
    HttpTransfer(const HttpTransfer&) = delete;
    HttpTransfer& operator=(const HttpTransfer&) = delete;

    // Sends the request and waits for the head of the final response: true once it is in,
    // false when the transfer failed first (result() tells why). Called once.
    bool start(const std::string& userAgent);

    // Copies up to capacity bytes of the body into buffer, waiting when none are buffered:
    // the count (above 0), 0 at the end of the body, -1 when the transfer failed first.
    int64_t read(uint8_t* buffer, size_t capacity);

    // The final response's status code (0 before its head is in) and head as received.
    long status() const { return status_; }
    const std::string& head() const { return head_; }
    // CURLE_OK while the transfer runs or after it ended well.
    CURLcode result() const { return result_; }

private:
    CURLcode configure(const std::string& userAgent);
    void configureMethod(CURLcode* code);
    template <typename Ready> void drive(Ready ready);
    void collectResult();
    void finish(CURLcode result);
    void resume();
    size_t buffered() const { return body_.size() - taken_; }
    uint64_t progress() const;

    static size_t onHeader(char* data, size_t size, size_t count, void* self);
    static size_t onBody(char* data, size_t size, size_t count, void* self);
    static curl_socket_t onOpenSocket(void* self, curlsocktype purpose, curl_sockaddr* address);
    static int onSocketOption(void* self, curl_socket_t socket, curlsocktype purpose);

    const HttpUrl& url_;
    Request request_;
    int socket_;
    std::string address_;
    CURL* easy_ = nullptr;
    CURLM* multi_ = nullptr;
    curl_slist* headers_ = nullptr;
    curl_slist* resolve_ = nullptr;
    bool added_ = false;
    bool finished_ = false;
    bool headDone_ = false;
    bool paused_ = false;
    CURLcode result_ = CURLE_OK;
    long status_ = 0;
    std::string head_;
    ByteVector body_;  // received, not yet taken
    size_t taken_ = 0;
    uint64_t received_ = 0;
};
