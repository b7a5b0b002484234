#pragma once

// The parts of an http or https URL, split by libcurl's own URL parser, so that the host,
// port and path a connection reports are exactly the ones its request goes to.
//
// Only absolute URLs with the scheme http or https (any case), a host and a port above 0
// are accepted. The port is the URL's own, else 80 for http and 443 for https. The path
// always begins with "/" ("/" when the URL has none); the query is the text after the '?'
// that ends the path (empty after a lone '?') and the fragment the text after the first
// '#', each absent when the URL has none. Text is kept as written (no percent-decoding);
// dot segments of the path are resolved.

#include <optional>
#include <string>

typedef struct Curl_URL CURLU;

class HttpUrl {
public:
    HttpUrl() = default;
    ~HttpUrl();
    HttpUrl(const HttpUrl&) = delete;
    HttpUrl& operator=(const HttpUrl&) = delete;

    // Splits the text (ASCII or UTF-8); false, leaving the parts empty, when it is not a
    // usable http or https URL.
    bool parse(const std::string& text);

    bool secure() const { return secure_; }
    // The host as written; an IPv6 address keeps its brackets.
    const std::string& host() const { return host_; }
    // The host as the resolver takes it: an IPv6 address without its brackets.
    std::string bareHost() const;
    bool hostIsNumeric() const;
    int port() const { return port_; }
    const std::string& path() const { return path_; }
    const std::optional<std::string>& query() const { return query_; }
    const std::optional<std::string>& fragment() const { return fragment_; }

    // The parsed URL for libcurl's transfer; valid while this object lives.
    CURLU* handle() const { return handle_; }

private:
    void clear();

    CURLU* handle_ = nullptr;
    bool secure_ = false;
    std::string host_;
    int port_ = 0;
    std::string path_;
    std::optional<std::string> query_;
    std::optional<std::string> fragment_;
};
