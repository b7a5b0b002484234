// Figures for the http handler over the loopback interface, against a server thread in
// this process:
// - the read rate of a 16 MiB body through HttpInputStream.read(byte[1024]), beside the
//   platform's own 4096-byte block reads of the same body;
// - date parses per second for the three header forms.

#include <chrono>
#include <cstdio>
#include <string>

#include "bench/BenchRuntime.h"
#include "hal/net/HALHttp.h"
#include "pb_src/j2me/com_kelvane_ostrel_midp_io_protocol_http_Protocol.h"
#include "pb_src/j2me/javax_microedition_io_Connector.h"
#include "tests/support/LoopbackHttpServer.h"

namespace {

using Clock = std::chrono::steady_clock;
using com::kelvane::ostrel::midp::io::protocol::http::Protocol;
using java::lang::String;

double secondsSince(Clock::time_point start) { return std::chrono::duration<double>(Clock::now() - start).count(); }

void report(const char* label, size_t total, double seconds) {
    std::printf("%-34s %8.0f MiB/s   (%zu bytes)\n", label, double(total) / seconds / (1 << 20), total);
}

void platformRead(const std::u16string& url) {
    HALHttpConnection* connection = nullptr;
    if (HAL_createHTTPConnection(&connection, url.data(), int32_t(url.size())) != 0) return;
    const auto start = Clock::now();
    uint8_t* block = nullptr;
    int32_t count = 0;
    size_t total = 0;
    while (HAL_readHTTPConnection(connection, &block, &count) == 0) total += size_t(count);
    report("platform 4096-byte blocks", total, secondsSince(start));
    HAL_deleteHTTPConnection(connection);
}

void streamRead(const std::u16string& url) {
    VMPtr<javax::microedition::io::Connection> opened = javax::microedition::io::Connector::open(String::fromUtf16(url));
    VMPtr<Protocol> connection(dynamic_cast<Protocol*>(opened.get()));
    VMPtr<java::io::InputStream> in = connection->openInputStream();
    VMPtr<VMArray<int8_t, 1>> buffer = VMArray<int8_t, 1>::_VM_new(1024);
    const auto start = Clock::now();
    size_t total = 0;
    for (int32_t n; (n = in->read(buffer)) > 0;) total += size_t(n);
    report("HttpInputStream.read(byte[1024])", total, secondsSince(start));
    connection->close();
}

void dateParses() {
    const char* const forms[] = {"Sun, 06 Nov 1994 08:49:37 GMT", "Sunday, 06-Nov-94 08:49:37 GMT", "Sun Nov  6 08:49:37 1994"};
    for (const char* form : forms) {
        VMPtr<String> text = String::fromUtf8(form);
        constexpr int kParses = 200000;
        int64_t sum = 0;
        const auto start = Clock::now();
        for (int i = 0; i < kParses; ++i) sum += Protocol::parseDate(text);
        const double seconds = secondsSince(start);
        std::printf("%-34s %8.0f parses/s   (check %lld)\n", form, kParses / seconds, static_cast<long long>(sum % 1000));
    }
}

}  // namespace

int main() {
    setenv("TZ", "UTC0", 1);
    benchRuntime();
    constexpr size_t kBulk = 16 << 20;
    const std::string bulk = "HTTP/1.1 200 OK\r\nContent-Length: " + std::to_string(kBulk) + "\r\n\r\n" + std::string(kBulk, 'x');
    LoopbackHttpServer server([&](const std::string&) { return bulk; });
    for (int round = 0; round < 3; ++round) {
        platformRead(server.url("/bulk"));
        streamRead(server.url("/bulk"));
    }
    dateParses();
    return 0;
}
