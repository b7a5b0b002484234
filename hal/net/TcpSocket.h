#pragma once

// A connected TCP socket and the numeric address it reaches, owned until closed or handed
// over. Connecting resolves the host (a name or a numeric address) and tries each address
// the resolver gives, in its order, until one accepts; the whole attempt ends when the time
// allowed runs out. The socket is non-blocking and closed on exec. Connecting blocks: the
// caller releases the VM lock around it.

#include <chrono>
#include <string>

class TcpSocket {
public:
    TcpSocket() = default;
    ~TcpSocket() { close(); }
    TcpSocket(const TcpSocket&) = delete;
    TcpSocket& operator=(const TcpSocket&) = delete;

    // Closes any socket held, then connects. True when connected.
    bool connect(const std::string& host, int port, std::chrono::milliseconds timeout);
    void close();
    // Gives the descriptor up to a new owner; -1 when none is held.
    int release();

    bool isOpen() const { return descriptor_ >= 0; }
    // The address connected to, as digits ("127.0.0.1", "::1").
    const std::string& address() const { return address_; }

private:
    int descriptor_ = -1;
    std::string address_;
};
