#pragma once

// The process's one internet session: libcurl's global state, set up on first use under
// the session lock and torn down at shutdown, and the user-agent text every request
// carries (the application property "MIDlet-Name", read once). It also holds the time
// that a connection attempt, or a transfer that makes no progress, may take before it
// fails.
//
// There is no connection manager on this system to bring a data connection up or to keep
// one: the session is opened directly.

#include <chrono>
#include <string>

class InternetSession {
public:
    static constexpr std::chrono::milliseconds kDefaultTimeout{60000};

    // Opens the session when none is open. 0, or 7 when libcurl cannot be set up.
    static int open();
    // Closes the session (at shutdown, once no connection is left); a later open makes a
    // new one.
    static void close();

    // The user agent as the request header's bytes (ISO 8859-1; other characters as '?').
    static std::string userAgent();

    static std::chrono::milliseconds timeout();
    static void setTimeout(std::chrono::milliseconds timeout);
};

// The platform functions of the session.
int HAL_openInternet();
void HAL_closeInternet();
