// Figures for HTTP over the loopback interface, against a server thread in this process:
// - the round trip of a small GET: connect, send, read the status and a 5-byte body,
//   close (p50, p99), with the VM lock held by the caller as the profile holds it;
// - the same with a 2 KiB POST body;
// - the read rate of a 16 MiB body through the 4096-byte reads of the profile.

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "hal/base/VMLock.h"
#include "hal/net/HALHttp.h"
#include "hal/net/InternetSession.h"
#include "tests/support/LoopbackHttpServer.h"

namespace {

using Clock = std::chrono::steady_clock;

double percentile(std::vector<double> samples, double fraction) {
    std::sort(samples.begin(), samples.end());
    return samples[size_t(fraction * double(samples.size() - 1))];
}

// One request on a new connection; false when anything failed.
bool roundTrip(const std::u16string& url, const std::string& body) {
    HALHttpConnection* connection = nullptr;
    if (HAL_createHTTPConnection(&connection, url.data(), int32_t(url.size())) != 0) return false;
    if (!body.empty()) {
        HAL_setHTTPRequestMethod(connection, u"POST", 4);
        HAL_writeHTTPConnection(connection, reinterpret_cast<const uint8_t*>(body.data()), int32_t(body.size()));
    }
    int32_t code = 0, count = 0;
    uint8_t* block = nullptr;
    HAL_getHTTPResponseCode(connection, &code);
    int result;
    while ((result = HAL_readHTTPConnection(connection, &block, &count)) == 0) {}
    HAL_deleteHTTPConnection(connection);
    return code == 200 && result == 3;
}

void roundTrips(const char* label, const std::u16string& url, const std::string& body) {
    constexpr int kRounds = 2000;
    std::vector<double> samples;
    samples.reserve(kRounds);
    for (int i = 0; i < kRounds; ++i) {
        const auto start = Clock::now();
        if (!roundTrip(url, body)) {
            std::printf("%-26s failed\n", label);
            return;
        }
        samples.push_back(std::chrono::duration<double, std::micro>(Clock::now() - start).count());
    }
    std::printf("%-26s p50 %8.1f us   p99 %8.1f us   (%d requests)\n", label, percentile(samples, 0.5),
                percentile(samples, 0.99), kRounds);
}

void bulkRead(const std::u16string& url, size_t size) {
    HALHttpConnection* connection = nullptr;
    if (HAL_createHTTPConnection(&connection, url.data(), int32_t(url.size())) != 0) return;
    const auto start = Clock::now();
    uint8_t* block = nullptr;
    int32_t count = 0;
    size_t total = 0;
    while (HAL_readHTTPConnection(connection, &block, &count) == 0) total += size_t(count);
    const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
    HAL_deleteHTTPConnection(connection);
    std::printf("%-26s %8.0f MiB/s   (%zu of %zu bytes)\n", "16 MiB body read", double(total) / seconds / (1 << 20),
                total, size);
}

}  // namespace

int main() {
    constexpr size_t kBulk = 16 << 20;
    const std::string bulk = "HTTP/1.1 200 OK\r\nContent-Length: " + std::to_string(kBulk) + "\r\n\r\n" +
                             std::string(kBulk, 'x');
    LoopbackHttpServer server([&](const std::string& request) {
        if (request.rfind("GET /bulk", 0) == 0) return bulk;
        return std::string("HTTP/1.1 200 OK\r\nContent-Length: 5\r\n\r\nhello");
    });
    HAL_enterVMLock();
    roundTrips("GET round trip", server.url("/small"), "");
    roundTrips("POST 2 KiB round trip", server.url("/post"), std::string(2048, 'p'));
    bulkRead(server.url("/bulk"), kBulk);
    HAL_leaveVMLock();
    HAL_closeInternet();
    return 0;
}
