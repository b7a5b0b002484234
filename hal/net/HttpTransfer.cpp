#include "hal/net/HttpTransfer.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <unistd.h>

#include "hal/base/VMLock.h"
#include "hal/net/CurlLibrary.h"
#include "hal/net/HttpUrl.h"
#include "hal/net/InternetSession.h"
#include "hal/net/TcpSocket.h"

namespace {

using Clock = std::chrono::steady_clock;

bool sameIgnoringCase(const std::string& text, const char* upper) {
    return std::equal(text.begin(), text.end(), upper, upper + std::strlen(upper),
                      [](char a, char b) { return std::toupper(static_cast<unsigned char>(a)) == b; });
}

bool isEmptyLine(const char* data, size_t size) {
    return (size == 2 && data[0] == '\r' && data[1] == '\n') || (size == 1 && data[0] == '\n');
}

}  // namespace

HttpTransfer::HttpTransfer(const HttpUrl& url, TcpSocket& socket, Request request)
    : url_(url), request_(std::move(request)), address_(socket.address()) {
    socket_ = socket.release();
}

HttpTransfer::~HttpTransfer() {
    if (CurlLibrary::get() != nullptr) {  // without it no handle was made
        if (added_ && !finished_) curl().multi_remove_handle(multi_, easy_);
        curl().easy_cleanup(easy_);
        curl().multi_cleanup(multi_);
        curl().slist_free_all(headers_);
        curl().slist_free_all(resolve_);
    }
    if (socket_ >= 0) ::close(socket_);  // libcurl never took it
}

bool HttpTransfer::start(const std::string& userAgent) {
    if (const CURLcode code = configure(userAgent); code != CURLE_OK) {
        finish(code);
        return false;
    }
    if (curl().multi_add_handle(multi_, easy_) != CURLM_OK) {
        finish(CURLE_OUT_OF_MEMORY);
        return false;
    }
    added_ = true;
    drive([this] { return headDone_; });
    return headDone_;
}

CURLcode HttpTransfer::configure(const std::string& userAgent) {
    if (CurlLibrary::get() == nullptr) return CURLE_FAILED_INIT;
    easy_ = curl().easy_init();
    multi_ = curl().multi_init();
    if (easy_ == nullptr || multi_ == nullptr) return CURLE_OUT_OF_MEMORY;
    for (const std::string& line : request_.headerLines) {
        curl_slist* longer = curl().slist_append(headers_, line.c_str());
        if (longer == nullptr) return CURLE_OUT_OF_MEMORY;
        headers_ = longer;
    }
    if (!url_.hostIsNumeric()) {
        // libcurl looks the name up in its cache first: give it the address the socket
        // reaches, so it neither resolves the name again nor disagrees about it.
        const bool v6 = address_.find(':') != std::string::npos;
        const std::string entry = url_.bareHost() + ":" + std::to_string(url_.port()) + ":" +
                                  (v6 ? "[" + address_ + "]" : address_);
        resolve_ = curl().slist_append(nullptr, entry.c_str());
        if (resolve_ == nullptr) return CURLE_OUT_OF_MEMORY;
    }
    CURLcode code = CURLE_OK;
    auto set = [&](CURLoption option, auto value) {
        if (code == CURLE_OK) code = curl().easy_setopt(easy_, option, value);
    };
    set(CURLOPT_CURLU, url_.handle());
    set(CURLOPT_PROTOCOLS_STR, "http,https");
    set(CURLOPT_PROXY, "");  // no proxy, whatever the environment says
    set(CURLOPT_NOSIGNAL, 1L);
    set(CURLOPT_HTTP_VERSION, long(CURL_HTTP_VERSION_1_1));
    set(CURLOPT_FORBID_REUSE, 1L);
    set(CURLOPT_USERAGENT, userAgent.c_str());
    set(CURLOPT_HTTPHEADER, headers_);
    if (resolve_) set(CURLOPT_RESOLVE, resolve_);
    set(CURLOPT_OPENSOCKETFUNCTION, &HttpTransfer::onOpenSocket);
    set(CURLOPT_OPENSOCKETDATA, this);
    set(CURLOPT_SOCKOPTFUNCTION, &HttpTransfer::onSocketOption);
    set(CURLOPT_HEADERFUNCTION, &HttpTransfer::onHeader);
    set(CURLOPT_HEADERDATA, this);
    set(CURLOPT_WRITEFUNCTION, &HttpTransfer::onBody);
    set(CURLOPT_WRITEDATA, this);
    configureMethod(&code);
    return code;
}

void HttpTransfer::configureMethod(CURLcode* code) {
    auto set = [&](CURLoption option, auto value) {
        if (*code == CURLE_OK) *code = curl().easy_setopt(easy_, option, value);
    };
    const std::string& method = request_.method;
    const char* standard;
    if (sameIgnoringCase(method, "HEAD")) {
        set(CURLOPT_NOBODY, 1L);  // libcurl then expects no body, whatever the length says
        standard = "HEAD";
    } else if (request_.sendsBody) {
        static const char kNoBytes[] = "";
        set(CURLOPT_POSTFIELDS, request_.body.empty() ? kNoBytes : reinterpret_cast<const char*>(request_.body.data()));
        set(CURLOPT_POSTFIELDSIZE_LARGE, curl_off_t(request_.body.size()));
        standard = "POST";
    } else {
        set(CURLOPT_HTTPGET, 1L);
        standard = "GET";
    }
    if (method != standard) set(CURLOPT_CUSTOMREQUEST, method.c_str());
}

template <typename Ready> void HttpTransfer::drive(Ready ready) {
    if (finished_ || ready()) return;  // nothing to wait for: keep the VM lock
    VMLockReleased unlocked;
    resume();
    const auto timeout = InternetSession::timeout();
    auto quietSince = Clock::now();
    uint64_t lastProgress = progress();
    while (!finished_ && !ready()) {
        int running = 0;
        if (curl().multi_perform(multi_, &running) != CURLM_OK) {
            finish(CURLE_RECV_ERROR);
            break;
        }
        collectResult();
        if (finished_ || ready()) break;
        const auto now = Clock::now();
        if (progress() != lastProgress) {
            lastProgress = progress();
            quietSince = now;
        } else if (now - quietSince >= timeout) {
            finish(CURLE_OPERATION_TIMEDOUT);
            break;
        }
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(timeout - (now - quietSince));
        curl().multi_poll(multi_, nullptr, 0, int(std::clamp<int64_t>(left.count(), 1, 1000)), nullptr);
    }
}

void HttpTransfer::collectResult() {
    int left = 0;
    while (CURLMsg* message = curl().multi_info_read(multi_, &left))
        if (message->msg == CURLMSG_DONE) finish(message->data.result);
}

void HttpTransfer::finish(CURLcode result) {
    if (finished_) return;
    finished_ = true;
    result_ = result;
    if (added_) curl().multi_remove_handle(multi_, easy_);
}

void HttpTransfer::resume() {
    if (!paused_ || finished_) return;
    paused_ = false;
    // May hand over held-back bytes at once, through onBody.
    if (const CURLcode code = curl().easy_pause(easy_, CURLPAUSE_CONT); code != CURLE_OK) finish(code);
}

uint64_t HttpTransfer::progress() const {
    curl_off_t sent = 0;
    curl().easy_getinfo(easy_, CURLINFO_SIZE_UPLOAD_T, &sent);
    return received_ + uint64_t(sent);
}

int64_t HttpTransfer::read(uint8_t* buffer, size_t capacity) {
    if (buffered() == 0) drive([this] { return buffered() > 0; });
    const size_t count = std::min(buffered(), capacity);
    if (count == 0) return result_ == CURLE_OK ? 0 : -1;
    std::memcpy(buffer, body_.data() + taken_, count);
    taken_ += count;
    if (taken_ == body_.size()) {
        body_.clear();
        taken_ = 0;
    }
    return int64_t(count);
}

size_t HttpTransfer::onHeader(char* data, size_t size, size_t count, void* self) {
    auto* transfer = static_cast<HttpTransfer*>(self);
    const size_t bytes = size * count;
    transfer->received_ += bytes;
    if (transfer->headDone_) return bytes;  // trailers after a chunked body
    transfer->head_.append(data, bytes);
    if (!isEmptyLine(data, bytes)) return bytes;
    long status = 0;
    curl().easy_getinfo(transfer->easy_, CURLINFO_RESPONSE_CODE, &status);
    if (status >= 100 && status < 200) {
        transfer->head_.clear();  // an interim response: the final one follows
    } else {
        transfer->status_ = status;
        transfer->headDone_ = true;
    }
    return bytes;
}

size_t HttpTransfer::onBody(char* data, size_t size, size_t count, void* self) {
    auto* transfer = static_cast<HttpTransfer*>(self);
    const size_t bytes = size * count;
    if (transfer->buffered() >= kBufferedBodyLimit) {
        transfer->paused_ = true;
        return CURL_WRITEFUNC_PAUSE;
    }
    try {
        transfer->body_.insert(transfer->body_.end(), data, data + bytes);
    } catch (const std::bad_alloc&) {
        return 0;  // libcurl ends the transfer with a write error
    }
    transfer->received_ += bytes;
    return bytes;
}

curl_socket_t HttpTransfer::onOpenSocket(void* self, curlsocktype, curl_sockaddr*) {
    // The one connection of this transfer is the socket made when the connection was
    // created; libcurl owns and closes it from here on.
    auto* transfer = static_cast<HttpTransfer*>(self);
    const int socket = transfer->socket_;
    transfer->socket_ = -1;
    return socket >= 0 ? socket : CURL_SOCKET_BAD;
}

int HttpTransfer::onSocketOption(void*, curl_socket_t, curlsocktype) { return CURL_SOCKOPT_ALREADY_CONNECTED; }
