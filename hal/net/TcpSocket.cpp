#include "hal/net/TcpSocket.h"

#include <arpa/inet.h>
#include <cerrno>
#include <netdb.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

using Clock = std::chrono::steady_clock;

// Waits until the non-blocking connect of the socket completes; true when it succeeded.
bool awaitConnect(int descriptor, Clock::time_point deadline) {
    for (;;) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
        if (left <= 0) return false;
        pollfd entry{descriptor, POLLOUT, 0};
        const int ready = ::poll(&entry, 1, int(left));
        if (ready < 0 && errno == EINTR) continue;
        if (ready <= 0) return false;
        int error = 0;
        socklen_t size = sizeof error;
        return ::getsockopt(descriptor, SOL_SOCKET, SO_ERROR, &error, &size) == 0 && error == 0;
    }
}

// A socket connected to the address, or -1.
int connectTo(const addrinfo& address, Clock::time_point deadline) {
    const int descriptor = ::socket(address.ai_family, address.ai_socktype | SOCK_NONBLOCK | SOCK_CLOEXEC,
                                    address.ai_protocol);
    if (descriptor < 0) return -1;
    if (::connect(descriptor, address.ai_addr, address.ai_addrlen) == 0 ||
        (errno == EINPROGRESS && awaitConnect(descriptor, deadline)))
        return descriptor;
    ::close(descriptor);
    return -1;
}

std::string numeric(const addrinfo& address) {
    char text[INET6_ADDRSTRLEN] = {};
    const void* bytes;
    if (address.ai_family == AF_INET6)
        bytes = &reinterpret_cast<const sockaddr_in6*>(address.ai_addr)->sin6_addr;
    else
        bytes = &reinterpret_cast<const sockaddr_in*>(address.ai_addr)->sin_addr;
    return ::inet_ntop(address.ai_family, bytes, text, sizeof text) ? text : "";
}

}  // namespace

bool TcpSocket::connect(const std::string& host, int port, std::chrono::milliseconds timeout) {
    close();
    const auto deadline = Clock::now() + timeout;
    addrinfo hints{};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_STREAM;
    hints.ai_flags = AI_NUMERICSERV;
    addrinfo* addresses = nullptr;
    if (::getaddrinfo(host.c_str(), std::to_string(port).c_str(), &hints, &addresses) != 0) return false;
    for (const addrinfo* address = addresses; address != nullptr && descriptor_ < 0; address = address->ai_next) {
        descriptor_ = connectTo(*address, deadline);
        if (descriptor_ >= 0) address_ = numeric(*address);
    }
    ::freeaddrinfo(addresses);
    return descriptor_ >= 0;
}

void TcpSocket::close() {
    if (descriptor_ >= 0) ::close(descriptor_);
    descriptor_ = -1;
    address_.clear();
}

int TcpSocket::release() {
    const int descriptor = descriptor_;
    descriptor_ = -1;
    return descriptor;
}
