#pragma once

// A small HTTP server for tests and benchmarks, on 127.0.0.1 at a port of the system's
// choosing, in a thread of the test process: nothing leaves the machine. It takes one
// connection at a time; for each it reads the request (the head up to its empty line and
// then as many body bytes as its Content-Length says, or, in raw mode, only the first
// bytes that arrive), records it, sends what the handler returns and closes the
// connection, so a reply that promises more than it sends is a body cut short.

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cctype>
#include <cstdlib>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

class LoopbackHttpServer {
public:
    using Handler = std::function<std::string(const std::string& request)>;

    explicit LoopbackHttpServer(Handler handler, bool raw = false) : handler_(std::move(handler)), raw_(raw) {
        listener_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t size = sizeof address;
        ::bind(listener_, reinterpret_cast<sockaddr*>(&address), size);
        ::listen(listener_, 16);
        ::getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &size);
        port_ = ntohs(address.sin_port);
        thread_ = std::thread([this] { serve(); });
    }

    ~LoopbackHttpServer() {
        stopping_ = true;
        ::shutdown(listener_, SHUT_RDWR);
        thread_.join();
        ::close(listener_);
    }

    int port() const { return port_; }
    std::u16string url(const std::string& path, const std::string& scheme = "http") const {
        const std::string text = scheme + "://127.0.0.1:" + std::to_string(port_) + path;
        return std::u16string(text.begin(), text.end());
    }

    std::vector<std::string> requests() const {
        std::lock_guard<std::mutex> guard(lock_);
        return requests_;
    }

    // A port on 127.0.0.1 on which nothing listens (it was free a moment ago).
    static int closedPort() {
        const int probe = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t size = sizeof address;
        ::bind(probe, reinterpret_cast<sockaddr*>(&address), size);
        ::getsockname(probe, reinterpret_cast<sockaddr*>(&address), &size);
        ::close(probe);
        return ntohs(address.sin_port);
    }

    // The request's head (up to its empty line) and body, split.
    static std::string headOf(const std::string& request) { return request.substr(0, request.find("\r\n\r\n") + 2); }
    static std::string bodyOf(const std::string& request) {
        const size_t end = request.find("\r\n\r\n");
        return end == std::string::npos ? std::string() : request.substr(end + 4);
    }

private:
    void serve() {
        while (!stopping_) {
            const int client = ::accept4(listener_, nullptr, nullptr, SOCK_CLOEXEC);
            if (client < 0) continue;
            const std::string request = raw_ ? readSome(client) : readRequest(client);
            {
                std::lock_guard<std::mutex> guard(lock_);
                requests_.push_back(request);
            }
            const std::string reply = handler_(request);
            for (size_t sent = 0; sent < reply.size();) {
                const ssize_t step = ::send(client, reply.data() + sent, reply.size() - sent, MSG_NOSIGNAL);
                if (step <= 0) break;
                sent += size_t(step);
            }
            ::close(client);
        }
    }

    static std::string readSome(int client) {
        char buffer[4096];
        pollfd entry{client, POLLIN, 0};
        if (::poll(&entry, 1, 5000) <= 0) return {};
        const ssize_t got = ::recv(client, buffer, sizeof buffer, 0);
        return got > 0 ? std::string(buffer, size_t(got)) : std::string();
    }

    static std::string readRequest(int client) {
        std::string request;
        size_t wanted = std::string::npos;
        while (wanted == std::string::npos || request.size() < wanted) {
            const std::string more = readSome(client);
            if (more.empty()) break;
            request += more;
            const size_t end = request.find("\r\n\r\n");
            if (wanted == std::string::npos && end != std::string::npos) wanted = end + 4 + contentLength(request);
        }
        return request;
    }

    static size_t contentLength(const std::string& request) {
        std::string lower = headOf(request);
        std::transform(lower.begin(), lower.end(), lower.begin(), [](unsigned char c) { return std::tolower(c); });
        const size_t at = lower.find("\r\ncontent-length:");
        return at == std::string::npos ? 0 : size_t(std::strtoul(lower.c_str() + at + 17, nullptr, 10));
    }

    Handler handler_;
    bool raw_;
    int listener_ = -1;
    int port_ = 0;
    std::atomic<bool> stopping_{false};
    std::thread thread_;
    mutable std::mutex lock_;
    std::vector<std::string> requests_;
};
