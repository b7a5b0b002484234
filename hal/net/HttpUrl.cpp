#include "hal/net/HttpUrl.h"

#include <arpa/inet.h>
#include <cctype>
#include <cstdlib>

#include "hal/net/CurlLibrary.h"

namespace {

// The part's text, or nothing when the URL lacks it.
std::optional<std::string> part(CURLU* url, CURLUPart which, unsigned flags = 0) {
    char* text = nullptr;
    if (curl().url_get(url, which, &text, flags) != CURLUE_OK || text == nullptr) return std::nullopt;
    std::string value(text);
    curl().free(text);
    return value;
}

bool equalsIgnoringCase(const std::string& text, const char* lower) {
    size_t i = 0;
    for (; i < text.size() && lower[i] != 0; ++i)
        if (char(std::tolower(static_cast<unsigned char>(text[i]))) != lower[i]) return false;
    return i == text.size() && lower[i] == 0;
}

}  // namespace

HttpUrl::~HttpUrl() { clear(); }

void HttpUrl::clear() {
    if (handle_ != nullptr) curl().url_cleanup(handle_);
    handle_ = nullptr;
    secure_ = false;
    host_.clear();
    port_ = 0;
    path_.clear();
    query_.reset();
    fragment_.reset();
}

bool HttpUrl::parse(const std::string& text) {
    clear();
    if (CurlLibrary::get() == nullptr) return false;
    handle_ = curl().url();
    if (handle_ == nullptr || text.find('\0') != std::string::npos ||
        curl().url_set(handle_, CURLUPART_URL, text.c_str(), 0) != CURLUE_OK) {
        clear();
        return false;
    }
    const auto scheme = part(handle_, CURLUPART_SCHEME);
    const auto host = part(handle_, CURLUPART_HOST);
    const auto port = part(handle_, CURLUPART_PORT, CURLU_DEFAULT_PORT);
    const auto path = part(handle_, CURLUPART_PATH);
    const bool http = scheme && equalsIgnoringCase(*scheme, "http");
    const bool https = scheme && equalsIgnoringCase(*scheme, "https");
    if (!(http || https) || !host || host->empty() || !port || std::atoi(port->c_str()) <= 0) {
        clear();
        return false;
    }
    secure_ = https;
    host_ = *host;
    port_ = std::atoi(port->c_str());
    path_ = path && !path->empty() ? *path : "/";
    if (path_[0] != '/') path_.insert(0, 1, '/');
    query_ = part(handle_, CURLUPART_QUERY);
    fragment_ = part(handle_, CURLUPART_FRAGMENT);
    return true;
}

std::string HttpUrl::bareHost() const {
    if (host_.size() >= 2 && host_.front() == '[' && host_.back() == ']') return host_.substr(1, host_.size() - 2);
    return host_;
}

bool HttpUrl::hostIsNumeric() const {
    unsigned char address[sizeof(in6_addr)];
    const std::string bare = bareHost();
    return inet_pton(AF_INET, bare.c_str(), address) == 1 || inet_pton(AF_INET6, bare.c_str(), address) == 1;
}
