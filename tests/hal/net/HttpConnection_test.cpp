#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <curl/curl.h>
#include <functional>
#include <string>
#include <thread>

#include "hal/base/HALString.h"
#include "hal/base/Memory.h"
#include "hal/base/VMLock.h"
#include "hal/net/HALHttp.h"
#include "hal/net/HALHttpConnection.h"
#include "hal/net/InternetSession.h"
#include "hal/services/Properties.h"
#include "tests/hal/base/TestCallbacks.h"
#include "tests/support/LoopbackHttpServer.h"
#include "tests/support/WaitLimit.h"

namespace {

const std::string kHello = "HTTP/1.1 200 OK\r\nContent-Length: 5\r\n\r\nhello";

// The string's characters as bytes (each below 256 here), "<null>" for null; releases it.
std::string take(HALString* string) {
    if (string == nullptr) return "<null>";
    std::string bytes;
    for (uint32_t i = 0; i < string->length(); ++i) bytes += char(string->chars()[i]);
    HAL_deleteString(string);
    return bytes;
}

// What a getter bound to its connection gives, checked to return `expected`, as take() shows it.
template <class Get>
std::string got(Get get, int expected = 0) {
    HALString* value = nullptr;
    EXPECT_EQ(get(&value), expected);
    return take(value);
}

HALHttpConnection* open(const std::u16string& url) {
    HALHttpConnection* connection = nullptr;
    EXPECT_EQ(HAL_createHTTPConnection(&connection, url.data(), int32_t(url.size())), 0);
    return connection;
}

// Reads until a result other than 0; returns the bytes and that result.
std::pair<std::string, int> readAll(HALHttpConnection* connection) {
    std::string body;
    for (;;) {
        uint8_t* block = nullptr;
        int32_t count = 0;
        const int result = HAL_readHTTPConnection(connection, &block, &count);
        if (result != 0) {
            EXPECT_EQ(count, result == 3 ? 0 : -1);
            return {body, result};
        }
        EXPECT_GT(count, 0);
        body.append(reinterpret_cast<const char*>(block), size_t(count));
    }
}

int64_t lengthOf(HALHttpConnection* connection) {
    int64_t length = 0;
    EXPECT_EQ(HAL_getHTTPLength(connection, &length), 0);
    return length;
}

int32_t status(HALHttpConnection* connection) {
    int32_t code = 0;
    EXPECT_EQ(HAL_getHTTPResponseCode(connection, &code), 0);
    return code;
}

std::string header(HALHttpConnection* connection, const std::u16string& name, int expected = 0) {
    HALString* value = nullptr;
    EXPECT_EQ(HAL_getHTTPHeaderFieldByName(connection, name.data(), int32_t(name.size()), &value), expected);
    return take(value);
}

int setProperty(HALHttpConnection* connection, const std::u16string& key, const std::u16string& value) {
    return HAL_setHTTPRequestProperty(connection, key.data(), int32_t(key.size()), value.data(), int32_t(value.size()));
}

bool contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

TEST(HttpConnection, GetReportsStatusHeadersAndASizedBody) {
    HAL_addProperty(kApplicationPropertyList, u"MIDlet-Name", u"Ostrel Test");
    LoopbackHttpServer server([](const std::string&) {
        return "HTTP/1.1 200 OK\r\nContent-Type: text/plain\r\nContent-Length: 11\r\nX-Spaced:    padded  \r\n\r\n"
               "hello world";
    });
    const uint64_t before = HAL_getAllocatedBytes();
    HALHttpConnection* connection = open(server.url("/dir/file.txt?q=1#part"));
    ASSERT_NE(connection, nullptr);
    EXPECT_EQ(status(connection), 200);

    EXPECT_EQ(got(std::bind_front(HAL_getHTTPFirstHeaderField, connection)), "HTTP/1.1 200 OK");
    EXPECT_EQ(got(std::bind_front(HAL_getHTTPHeaderFieldKey, connection, 0), 0), "<null>") << "the status line has no name";
    EXPECT_EQ(got(std::bind_front(HAL_getHTTPHeaderFieldKey, connection, 1)), "Content-Type");
    EXPECT_EQ(got(std::bind_front(HAL_getHTTPHeaderField, connection, 3)), "padded") << "blanks around the value are dropped";
    EXPECT_EQ(got(std::bind_front(HAL_getHTTPHeaderField, connection, 4), 4), "<null>");
    EXPECT_EQ(got(std::bind_front(HAL_getHTTPHeaderFieldKey, connection, -1), 4), "<null>");
    EXPECT_EQ(header(connection, u"content-LENGTH"), "11") << "names compare regardless of case";
    EXPECT_EQ(header(connection, u"X-Missing", 4), "<null>");
    EXPECT_EQ(got(std::bind_front(HAL_getHTTPTransferEncoding, connection), 4), "<null>");
    EXPECT_EQ(got(std::bind_front(HAL_getHTTPType, connection)), "text/plain");
    EXPECT_EQ(lengthOf(connection), 11);

    EXPECT_EQ(readAll(connection), std::make_pair(std::string("hello world"), 3));
    EXPECT_EQ(readAll(connection), std::make_pair(std::string(), 3)) << "the end stays the end";

    ASSERT_EQ(server.requests().size(), 1u) << "the request is sent once";
    const std::string head = LoopbackHttpServer::headOf(server.requests()[0]);
    EXPECT_EQ(head.substr(0, head.find("\r\n")), "GET /dir/file.txt?q=1 HTTP/1.1") << "the path keeps its '/'";
    EXPECT_TRUE(contains(head, "\r\nHost: 127.0.0.1:" + std::to_string(server.port()) + "\r\n")) << head;
    EXPECT_TRUE(contains(head, "\r\nUser-Agent: Ostrel Test\r\n")) << head;
    for (const char* absent : {"Content-Type", "Content-Length", "Expect", "part"})
        EXPECT_FALSE(contains(head, absent)) << absent << " in " << head;
    EXPECT_EQ(HAL_deleteHTTPConnection(connection), 0);
    EXPECT_EQ(HAL_getAllocatedBytes(), before) << "strings, headers and buffers are freed";
}

TEST(HttpConnection, PostSendsTheMethodHeadersAndTheWholeBody) {
    LoopbackHttpServer server(
        [](const std::string&) { return std::string("HTTP/1.1 201 Created\r\nContent-Length: 0\r\n\r\n"); });
    HALHttpConnection* connection = open(server.url("/submit"));
    ASSERT_NE(connection, nullptr);
    EXPECT_EQ(HAL_setHTTPRequestMethod(connection, u"POST", 4), 0);
    EXPECT_EQ(setProperty(connection, u"X-One", u"1"), 0);
    EXPECT_EQ(setProperty(connection, u"x-one", u" 2 "), 0);
    EXPECT_EQ(setProperty(connection, u"Content-Type", u"application/octet-stream"), 0);
    EXPECT_EQ(setProperty(connection, u"Content-Length", u"999"), 0);
    EXPECT_EQ(setProperty(connection, u"X-Empty", u""), 0);
    EXPECT_EQ(setProperty(connection, u"", u"X-Line: whole"), 0);
    EXPECT_EQ(HAL_setHTTPRequestProperty(connection, nullptr, 0, u"no name, no colon", 17), 0);
    EXPECT_EQ(got(std::bind_front(HAL_getHTTPRequestProperty, connection, u"X-ONE", 5)), " 2 ");
    EXPECT_EQ(got(std::bind_front(HAL_getHTTPRequestProperty, connection, u"Nope", 4), 0), "<null>");
    EXPECT_EQ(got(std::bind_front(HAL_getHTTPRequestMethod, connection)), "POST");

    const uint8_t first[] = {'a', 'b', 'c'}, second[] = {0, 1, 'd', 'e', 'f'};
    EXPECT_EQ(HAL_writeHTTPConnection(connection, first, 3), 0);
    EXPECT_EQ(HAL_writeHTTPConnection(connection, second, 5), 0);
    EXPECT_EQ(HAL_writeHTTPConnection(connection, nullptr, 0), 0);
    EXPECT_EQ(HAL_closeHTTPOutputStream(connection), 0);
    EXPECT_EQ(status(connection), 201);
    EXPECT_EQ(HAL_writeHTTPConnection(connection, first, 3), 0) << "kept, never sent";
    EXPECT_EQ(readAll(connection).second, 3);
    HAL_deleteHTTPConnection(connection);

    ASSERT_EQ(server.requests().size(), 1u);
    const std::string request = server.requests()[0];
    const std::string head = LoopbackHttpServer::headOf(request);
    EXPECT_EQ(head.substr(0, head.find("\r\n")), "POST /submit HTTP/1.1");
    // The later setting wins, the body's true length replaces the one asked for, an empty value
    // is sent, a whole line goes as it is.
    for (const char* line : {"x-one: 2", "Content-Type: application/octet-stream", "Content-Length: 8", "X-Empty:",
                             "X-Line: whole"})
        EXPECT_TRUE(contains(head, "\r\n" + std::string(line) + "\r\n")) << line << " in " << head;
    for (const char* absent : {"X-One", "999", "no colon", "Expect"}) EXPECT_FALSE(contains(head, absent)) << absent;
    EXPECT_EQ(LoopbackHttpServer::bodyOf(request), std::string("abc\0\1def", 8));
}

TEST(HttpConnection, HeadAndBodilessPutAreSentAsSuch) {
    LoopbackHttpServer server([](const std::string& request) {
        return request.rfind("HEAD", 0) == 0 ? std::string("HTTP/1.1 200 OK\r\nContent-Length: 5\r\n\r\n") : kHello;
    });
    HALHttpConnection* head = open(server.url("/h"));
    EXPECT_EQ(HAL_setHTTPRequestMethod(head, u"HEAD", 4), 0);
    EXPECT_EQ(lengthOf(head), 5);
    EXPECT_EQ(readAll(head), std::make_pair(std::string(), 3)) << "a HEAD response has no body";
    HAL_deleteHTTPConnection(head);

    HALHttpConnection* put = open(server.url("/p"));
    EXPECT_EQ(HAL_setHTTPRequestMethod(put, u"PUT", 3), 0);
    EXPECT_EQ(readAll(put), std::make_pair(std::string("hello"), 3)) << "reading sends the request first";
    HAL_deleteHTTPConnection(put);
    ASSERT_EQ(server.requests().size(), 2u);
    EXPECT_EQ(server.requests()[0].rfind("HEAD /h HTTP/1.1\r\n", 0), 0u);
    EXPECT_EQ(server.requests()[1].rfind("PUT /p HTTP/1.1\r\n", 0), 0u);
    EXPECT_TRUE(contains(server.requests()[1], "\r\nContent-Length: 0\r\n"));
}

TEST(HttpConnection, ChunkedBodiesAreJoinedAndTheirTrailersIgnored) {
    LoopbackHttpServer server([](const std::string&) {
        return std::string("HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n"
                           "5\r\nhello\r\n1\r\n \r\n5\r\nworld\r\n0\r\nX-Trailer: t\r\n\r\n");
    });
    HALHttpConnection* connection = open(server.url("/"));
    EXPECT_EQ(readAll(connection), std::make_pair(std::string("hello world"), 3));
    EXPECT_EQ(got(std::bind_front(HAL_getHTTPTransferEncoding, connection)), "chunked");
    EXPECT_EQ(lengthOf(connection), -1) << "no Content-Length";
    EXPECT_EQ(header(connection, u"X-Trailer", 4), "<null>");
    EXPECT_EQ(got(std::bind_front(HAL_getHTTPHeaderField, connection, 2), 4), "<null>") << "the status line and one header";
    HAL_deleteHTTPConnection(connection);
    EXPECT_EQ(LoopbackHttpServer::headOf(server.requests()[0]).rfind("GET / HTTP/1.1\r\n", 0), 0u)
        << "an empty path is requested as /";
}

TEST(HttpConnection, ErrorStatusesAndRedirectionsAreResponsesToRead) {
    LoopbackHttpServer server([](const std::string& request) {
        if (request.rfind("GET /moved", 0) == 0)
            return std::string("HTTP/1.1 302 Found\r\nLocation: /new\r\nContent-Length: 0\r\n\r\n");
        if (request.rfind("GET /odd", 0) == 0) return std::string("HTTP/2 1001\r\nContent-Length: 0\r\n\r\n");
        return std::string("HTTP/1.1 404 Not Found\r\nContent-Length: 9\r\n\r\nnot found");
    });
    HALHttpConnection* missing = open(server.url("/missing"));
    EXPECT_EQ(status(missing), 404);
    EXPECT_EQ(got(std::bind_front(HAL_getHTTPFirstHeaderField, missing)), "HTTP/1.1 404 Not Found");
    EXPECT_EQ(readAll(missing), std::make_pair(std::string("not found"), 3));
    HAL_deleteHTTPConnection(missing);

    HALHttpConnection* moved = open(server.url("/moved"));
    EXPECT_EQ(status(moved), 302) << "not followed: the application sees the redirection";
    EXPECT_EQ(header(moved, u"location"), "/new");
    HAL_deleteHTTPConnection(moved);

    HALHttpConnection* odd = open(server.url("/odd"));
    EXPECT_EQ(status(odd), -1) << "a number of four digits is no status code";
    HAL_deleteHTTPConnection(odd);
    EXPECT_EQ(server.requests().size(), 3u);
}

TEST(HttpConnection, ARefusedConnectionFailsTheFirstRequestAndAnUnusableUrlCreation) {
    const std::string refused = "http://127.0.0.1:" + std::to_string(LoopbackHttpServer::closedPort()) + "/";
    const std::u16string url(refused.begin(), refused.end());
    HALHttpConnection* connection = nullptr;
    ASSERT_EQ(HAL_createHTTPConnection(&connection, url.data(), int32_t(url.size())), 0);
    EXPECT_EQ(status(connection), -1);
    EXPECT_EQ(readAll(connection).second, 7);
    HAL_deleteHTTPConnection(connection);

    for (const std::u16string bad : {u"ftp://127.0.0.1/", u"127.0.0.1/x", u"", u"http://", u"http://h:70000/"})
        EXPECT_EQ(HAL_createHTTPConnection(&connection, bad.data(), int32_t(bad.size())), 2);
    EXPECT_EQ(HAL_createHTTPConnection(nullptr, url.data(), int32_t(url.size())), 2);
    EXPECT_EQ(HAL_createHTTPConnection(&connection, nullptr, 0), 2);
    EXPECT_EQ(HAL_createHTTPConnection(&connection, url.data(), -1), 2);
}

TEST(HttpConnection, AServerClosingMidBodyIsAReadFailure) {
    LoopbackHttpServer server([](const std::string& request) {
        if (request.rfind("GET /sized", 0) == 0)
            return std::string("HTTP/1.1 200 OK\r\nContent-Length: 1000\r\n\r\nonly ten b");
        return std::string("HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n5\r\nhello\r\n10\r\ncut");
    });
    for (const char* path : {"/sized", "/chunked"}) {
        HALHttpConnection* connection = open(server.url(path));
        EXPECT_EQ(status(connection), 200);
        const auto [body, result] = readAll(connection);
        EXPECT_EQ(result, 7) << path << ": the body was cut short";
        EXPECT_TRUE(std::string("only ten b").rfind(body, 0) == 0 || std::string("hellocut").rfind(body, 0) == 0)
            << path << " delivered " << body;
        EXPECT_NE(connection->lastError(), CURLE_OK);
        HAL_deleteHTTPConnection(connection);
    }
}

TEST(HttpConnection, HttpsSpeaksTlsToTheUrlsPort) {
    LoopbackHttpServer server([](const std::string&) { return std::string(); }, /*raw=*/true);
    HALHttpConnection* connection = open(server.url("/secret", "https"));
    ASSERT_NE(connection, nullptr);
    int32_t port = 0;
    EXPECT_EQ(HAL_getHTTPPort(connection, &port), 0);
    EXPECT_EQ(port, server.port());
    EXPECT_EQ(status(connection), -1) << "no TLS server there";
    EXPECT_EQ(readAll(connection).second, 7);
    HAL_deleteHTTPConnection(connection);
    ASSERT_EQ(server.requests().size(), 1u);
    const std::string hello = server.requests()[0];
    ASSERT_GE(hello.size(), 2u);
    EXPECT_EQ(hello[0], 0x16) << "a TLS handshake record, not plain text";
    EXPECT_EQ(hello[1], 0x03);
    EXPECT_FALSE(contains(hello, "/secret"));
}

TEST(HttpConnection, ReportsTheUrlsParts) {
    LoopbackHttpServer server([](const std::string&) { return kHello; });
    const std::string whole = "http://127.0.0.1:" + std::to_string(server.port()) + "/a/b.txt?x=1&y=2#part";
    const struct {
        int (*get)(HALHttpConnection*, HALString**);
        const char *full, *bare;  // for the URL above and for one with an empty path
    } parts[] = {{HAL_getHTTPURL, whole.c_str(), nullptr}, {HAL_getHTTPHost, "127.0.0.1", "127.0.0.1"},
                 {HAL_getHTTPQuery, "x=1&y=2", "<null>"},  {HAL_getHTTPRef, "part", "<null>"},
                 {HAL_getHTTPFile, "/a/b.txt", "/"},       {HAL_getHTTPRequestMethod, "GET", "GET"}};
    HALHttpConnection* full = open(server.url("/a/b.txt?x=1&y=2#part"));
    HALHttpConnection* bare = open(server.url(""));
    for (const auto& part : parts) {
        EXPECT_EQ(got(std::bind_front(part.get, full)), part.full);
        if (part.bare != nullptr) {
            EXPECT_EQ(got(std::bind_front(part.get, bare)), part.bare);
        }
    }
    HAL_deleteHTTPConnection(full);
    HAL_deleteHTTPConnection(bare);
    const std::string named = "http://localhost:" + std::to_string(server.port()) + "/named";
    HALHttpConnection* connection = open(std::u16string(named.begin(), named.end()));
    ASSERT_NE(connection, nullptr) << "a host name is looked up";
    EXPECT_EQ(status(connection), 200);
    HAL_deleteHTTPConnection(connection);
}

TEST(HttpConnection, WaitsWithoutTheVMLockAndTakesItBackAtTheSameDepth) {
    CountingCallbacks callbacks;
    std::atomic<bool> otherHadTheLock{false};
    LoopbackHttpServer server([&](const std::string&) {
        eventually([&] { return otherHadTheLock.load(); });  // answer once another thread ran
        return kHello;
    });
    HAL_enterVMLock();
    HAL_enterVMLock();
    HALHttpConnection* connection = open(server.url("/"));
    const int afterConnecting = CountingCallbacks::makeCurrentCalls;
    EXPECT_GE(afterConnecting, 1) << "connecting released the lock and made the thread current again";
    std::thread other([&] {
        HAL_enterVMLock();
        otherHadTheLock = true;
        HAL_leaveVMLock();
    });
    EXPECT_EQ(status(connection), 200);
    EXPECT_TRUE(otherHadTheLock) << "another thread ran while the request waited";
    EXPECT_GT(CountingCallbacks::makeCurrentCalls, afterConnecting);
    EXPECT_TRUE(HAL_holdsVMLock());
    HAL_leaveVMLock();
    EXPECT_TRUE(HAL_holdsVMLock()) << "both levels came back";
    HAL_leaveVMLock();
    other.join();
    HAL_deleteHTTPConnection(connection);
}

// The connection is made under the default limit, so that a busy machine cannot fail it;
// the answer then never comes, and the short limit ends the wait long before the server
// would have ended it.
TEST(HttpConnection, ASilentServerTimesOut) {
    std::atomic<bool> done{false};
    LoopbackHttpServer server([&](const std::string&) {
        for (const WaitLimit limit; !done && !limit.reached();) std::this_thread::sleep_for(std::chrono::milliseconds(1));
        return std::string();
    });
    HALHttpConnection* connection = open(server.url("/"));
    InternetSession::setTimeout(std::chrono::milliseconds(300));
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(status(connection), -1);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(30));
    EXPECT_EQ(connection->lastError(), CURLE_OPERATION_TIMEDOUT);
    EXPECT_EQ(readAll(connection).second, 7);
    HAL_deleteHTTPConnection(connection);
    InternetSession::setTimeout(InternetSession::kDefaultTimeout);
    done = true;
}

TEST(HttpConnection, ALargeBodyStreamsThroughBoundedMemory) {
    constexpr size_t kSize = 4 << 20;
    std::string body(kSize, '\0');
    for (size_t i = 0; i < kSize; ++i) body[i] = char(i * 7 + i / 4096);
    LoopbackHttpServer server([&](const std::string&) {
        return "HTTP/1.1 200 OK\r\nContent-Length: " + std::to_string(kSize) + "\r\n\r\n" + body;
    });
    HALHttpConnection* connection = open(server.url("/big"));
    const uint64_t base = HAL_getAllocatedBytes();
    uint64_t peak = base;
    std::string received;
    uint8_t* block = nullptr;
    int32_t count = 0;
    while (HAL_readHTTPConnection(connection, &block, &count) == 0) {
        EXPECT_LE(count, HALHttpConnection::kReadBufferSize);
        received.append(reinterpret_cast<const char*>(block), size_t(count));
        peak = std::max(peak, HAL_getAllocatedBytes());
    }
    EXPECT_EQ(count, 0);
    EXPECT_TRUE(received == body) << "all " << kSize << " bytes in order; got " << received.size();
    EXPECT_LT(peak - base, uint64_t(256 << 10)) << "at most about 64 KiB waits at a time";
    HAL_deleteHTTPConnection(connection);
}

TEST(HttpConnection, ClosingEndsTheBodyButKeepsTheResponseHead) {
    LoopbackHttpServer server([](const std::string&) { return kHello; });
    HALHttpConnection* connection = open(server.url("/"));
    EXPECT_EQ(status(connection), 200);
    EXPECT_EQ(HAL_closeHTTPConnection(connection), 0);
    EXPECT_EQ(readAll(connection).second, 7);
    EXPECT_EQ(status(connection), 200);
    EXPECT_EQ(header(connection, u"Content-Length"), "5");
    HAL_deleteHTTPConnection(connection);

    connection = open(server.url("/"));
    EXPECT_EQ(HAL_closeHTTPConnection(connection), 0);
    EXPECT_EQ(status(connection), -1) << "closed before the request went out";
    HAL_deleteHTTPConnection(connection);
    EXPECT_TRUE(eventually([&] { return server.requests().size() == 2; }));
    EXPECT_EQ(server.requests()[1], "");
}

TEST(HttpConnection, RefusesHeadersAndMethodsThatWouldBreakTheRequest) {
    LoopbackHttpServer server([](const std::string&) { return kHello; });
    HALHttpConnection* connection = open(server.url("/"));
    EXPECT_EQ(setProperty(connection, u"Bad Name", u"v"), 7);
    EXPECT_EQ(setProperty(connection, u"X-Bad:", u"v"), 7);
    EXPECT_EQ(setProperty(connection, u"X-Split", u"a\r\nInjected: 1"), 7);
    EXPECT_EQ(setProperty(connection, u"X-Wide", u"\u0100"), 7);
    EXPECT_EQ(setProperty(connection, u"", u"Injected: 1\nX: 2"), 7);
    EXPECT_EQ(setProperty(connection, u"X-Latin", u"caf\u00e9\tok"), 0);
    EXPECT_EQ(got(std::bind_front(HAL_getHTTPRequestProperty, connection, u"X-Split", 7), 0), "<null>");
    EXPECT_EQ(status(connection), 200);
    HAL_deleteHTTPConnection(connection);
    EXPECT_TRUE(contains(server.requests()[0], "\r\nX-Latin: caf\xe9\tok\r\n"));
    EXPECT_FALSE(contains(server.requests()[0], "Injected"));

    connection = open(server.url("/"));
    EXPECT_EQ(HAL_setHTTPRequestMethod(connection, u"GET /other HTTP/1.0\r\n", 21), 0);
    EXPECT_EQ(status(connection), -1) << "a method that is not a token is never sent";
    EXPECT_EQ(readAll(connection).second, 7);
    HAL_deleteHTTPConnection(connection);
    ASSERT_TRUE(eventually([&] { return server.requests().size() == 2; }));
    EXPECT_EQ(server.requests()[1], "") << "the server saw the connection close, nothing else";
}

TEST(HttpConnection, NullArgumentsAreRefused) {
    HALString* value = nullptr;
    int32_t number = 0;
    int64_t length = 0;
    uint8_t* block = nullptr;
    for (auto get : {HAL_getHTTPURL, HAL_getHTTPHost, HAL_getHTTPQuery, HAL_getHTTPRef, HAL_getHTTPFile,
                     HAL_getHTTPRequestMethod, HAL_getHTTPType, HAL_getHTTPFirstHeaderField,
                     HAL_getHTTPTransferEncoding})
        EXPECT_EQ(get(nullptr, &value), 2);
    for (int code : {HAL_deleteHTTPConnection(nullptr), HAL_closeHTTPConnection(nullptr),
                     HAL_closeHTTPOutputStream(nullptr), HAL_getHTTPPort(nullptr, &number),
                     HAL_getHTTPResponseCode(nullptr, &number), HAL_getHTTPLength(nullptr, &length),
                     HAL_readHTTPConnection(nullptr, &block, &number), HAL_writeHTTPConnection(nullptr, block, 0),
                     HAL_setHTTPRequestMethod(nullptr, u"GET", 3), HAL_setHTTPRequestProperty(nullptr, u"A", 1, u"b", 1),
                     HAL_getHTTPRequestProperty(nullptr, u"A", 1, &value), HAL_getHTTPHeaderField(nullptr, 0, &value),
                     HAL_getHTTPHeaderFieldKey(nullptr, 0, &value),
                     HAL_getHTTPHeaderFieldByName(nullptr, u"A", 1, &value)})
        EXPECT_EQ(code, 2);

    LoopbackHttpServer server([](const std::string&) { return kHello; });
    HALHttpConnection* connection = open(server.url("/"));
    for (int code : {HAL_getHTTPHost(connection, nullptr), HAL_getHTTPPort(connection, nullptr),
                     HAL_getHTTPResponseCode(connection, nullptr), HAL_getHTTPLength(connection, nullptr),
                     HAL_readHTTPConnection(connection, nullptr, &number),
                     HAL_readHTTPConnection(connection, &block, nullptr), HAL_writeHTTPConnection(connection, nullptr, 3),
                     HAL_writeHTTPConnection(connection, block, -1), HAL_setHTTPRequestMethod(connection, nullptr, 0),
                     HAL_setHTTPRequestProperty(connection, nullptr, 2, u"b", 1),
                     HAL_setHTTPRequestProperty(connection, u"A", 1, u"b", -1),
                     HAL_getHTTPRequestProperty(connection, nullptr, 1, &value),
                     HAL_getHTTPHeaderField(connection, 0, nullptr),
                     HAL_getHTTPHeaderFieldByName(connection, u"A", 1, nullptr)})
        EXPECT_EQ(code, 2);
    EXPECT_EQ(status(connection), 200);
    EXPECT_EQ(server.requests().size(), 1u);
    EXPECT_FALSE(contains(server.requests()[0], "\r\nA:")) << "no refused call changed the request";
    HAL_deleteHTTPConnection(connection);
}

}  // namespace
