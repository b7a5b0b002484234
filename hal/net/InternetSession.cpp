#include "hal/net/InternetSession.h"

#include <atomic>
#include <mutex>

#include "hal/base/HALResult.h"
#include "hal/net/CurlLibrary.h"
#include "hal/services/Properties.h"

namespace {

struct SessionState {
    std::mutex lock;  // the session lock: guards opening and closing
    bool open = false;
    std::string userAgent;
};

SessionState& session() {
    // Never destroyed: a thread may still close its connection while the process exits.
    static SessionState* state = new SessionState();
    return *state;
}

std::atomic<int64_t> timeoutMilliseconds{InternetSession::kDefaultTimeout.count()};

std::string latin1(const char16_t* text) {
    std::string bytes;
    for (; *text != 0; ++text) bytes += *text <= 0xFF ? char(*text) : '?';
    return bytes;
}

}  // namespace

int InternetSession::open() {
    SessionState& state = session();
    std::lock_guard<std::mutex> guard(state.lock);
    if (state.open) return HAL_OK;
    if (CurlLibrary::get() == nullptr || curl().global_init(CURL_GLOBAL_DEFAULT) != CURLE_OK) return HAL_IO_ERROR;
    const char16_t* name = HAL_getMIDletName();
    state.userAgent = latin1(name);
    HAL_releaseMIDletName(name);
    state.open = true;
    return HAL_OK;
}

void InternetSession::close() {
    SessionState& state = session();
    std::lock_guard<std::mutex> guard(state.lock);
    if (!state.open) return;
    curl().global_cleanup();
    state.open = false;
}

std::string InternetSession::userAgent() {
    SessionState& state = session();
    std::lock_guard<std::mutex> guard(state.lock);
    return state.userAgent;
}

std::chrono::milliseconds InternetSession::timeout() { return std::chrono::milliseconds(timeoutMilliseconds.load()); }

void InternetSession::setTimeout(std::chrono::milliseconds timeout) { timeoutMilliseconds = timeout.count(); }

int HAL_openInternet() { return InternetSession::open(); }

void HAL_closeInternet() { InternetSession::close(); }
