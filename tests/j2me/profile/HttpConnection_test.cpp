// The http and https handlers against a loopback server: requests, state rules, response
// accessors, bodies, use after close, failed bodies, and TLS that never falls back.

#include <algorithm>
#include <cstdlib>

#include "hal/base/Memory.h"
#include "pb_src/j2me/com_kelvane_ostrel_midp_io_HttpInputStream.h"
#include "pb_src/j2me/com_kelvane_ostrel_midp_io_protocol_https_Protocol.h"
#include "pb_src/j2me/javax_microedition_io_Connector.h"
#include "tests/support/LoopbackHttpServer.h"
#include "tests/j2me/ClassLibrary.h"

namespace httptest {

using java::lang::String;
using javax::microedition::io::HttpConnection;
using Bytes = VMArray<int8_t, 1>;

VMPtr<String> text(const std::string& s) { return String::fromUtf8(s.c_str()); }
std::string str(const VMPtr<String>& s) { return s ? s->toUtf8() : "(null)"; }

// Body byte i of the sized bodies: every value, 0xFF included.
char bodyByte(size_t i) { return char(i * 7 % 256); }
std::string pattern(size_t size) {
    std::string body;
    for (size_t i = 0; i < size; ++i) body += bodyByte(i);
    return body;
}

std::string reply(const std::string& path) {
    if (path == "/sized") return "HTTP/1.1 200 OK\r\nContent-Length: 6000\r\nConnection: close\r\n\r\n" + pattern(6000);
    if (path == "/chunked")
        return "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\nConnection: close\r\n\r\n3\r\nabc\r\n2\r\nde\r\n0\r\n\r\n";
    if (path == "/cut") return "HTTP/1.1 200 OK\r\nContent-Length: 100\r\nConnection: close\r\n\r\n0123456789";
    return "HTTP/1.1 201 Made\r\nContent-Type: text/plain\r\nContent-Length: 2\r\nX-Count: abc\r\n"
           "Expires: Sun, 06 Nov 1994 08:49:37 GMT\r\nDate: Mon, 07 Nov 1994 08:49:37 GMT\r\n"
           "Last-Modified: Tue, 08 Nov 1994 08:49:37 GMT\r\nConnection: close\r\n\r\nok";
}

std::string pathOf(const std::string& request) {
    const size_t start = request.find(' ') + 1;
    return request.substr(start, request.find(' ', start) - start);
}

using classlib::failureOf;

const char* const kClosed = "java.io.IOException: HttpConnection error: the connection is closed";

class HttpConnectionTest : public testing::Test {
protected:
    void SetUp() override {
        setenv("TZ", "UTC0", 1);
        testRuntime();
    }
    VMPtr<HttpConnection> open(const std::string& path, const std::string& scheme = "http") {
        const std::u16string url = server.url(path, scheme);
        VMPtr<javax::microedition::io::Connection> c = javax::microedition::io::Connector::open(String::fromUtf16(url));
        return VMPtr<HttpConnection>(dynamic_cast<HttpConnection*>(c.get()));
    }
    LoopbackHttpServer server{[](const std::string& request) { return reply(pathOf(request)); }};
};

TEST_F(HttpConnectionTest, PostSendsMethodHeadersAndBodyAndReadsTheResponse) {
    VMPtr<HttpConnection> c = open("/a/b?x=1#frag");
    EXPECT_EQ(str(c->getRequestMethod()), "GET");
    EXPECT_EQ(failureOf([&] { c->setRequestMethod(text("PUT")); }), "java.io.IOException: HttpConnection error: Invalid HTTP method");
    c->setRequestMethod(text("post"));
    VMPtr<java::io::OutputStream> out = c->openOutputStream();
    VMPtr<Bytes> body = Bytes::_VM_new(6);
    for (int i = 0; i < 6; ++i) body->elements()[i] = int8_t("-hey!-"[i]);
    out->write(body, 1, 4);
    out->write(0x1FF);
    EXPECT_EQ(failureOf([&] { out->write(body, 3, 4); }), "java.lang.IndexOutOfBoundsException");
    c->setRequestProperty(text("X-Late"), text("after body"));
    EXPECT_EQ(str(c->getRequestProperty(text("x-late"))), "after body");

    EXPECT_EQ(c->getResponseCode(), 201);
    const std::string request = server.requests().at(0);
    EXPECT_EQ(request.substr(0, request.find("\r\n")), "post /a/b?x=1 HTTP/1.1");
    EXPECT_NE(LoopbackHttpServer::headOf(request).find("\r\nX-Late: after body\r\n"), std::string::npos);
    EXPECT_EQ(LoopbackHttpServer::bodyOf(request), "hey!\xFF");

    const struct {
        const char* what;
        std::string actual;
        const char* expected;
    } rows[] = {
        {"url", str(c->getURL()), "http://127.0.0.1:"},
        {"protocol", str(c->getProtocol()), "http"},
        {"host", str(c->getHost()), "127.0.0.1"},
        {"file", str(c->getFile()), "/a/b"},
        {"query", str(c->getQuery()), "x=1"},
        {"ref", str(c->getRef()), "frag"},
        {"message", str(c->getResponseMessage()), "HTTP/1.1 201 Made"},
        {"key 0", str(c->getHeaderFieldKey(0)), "(null)"},
        {"key 1", str(c->getHeaderFieldKey(1)), "Content-Type"},
        {"field 1", str(c->getHeaderField(1)), "text/plain"},
        {"field 99", str(c->getHeaderField(99)), "(null)"},
        {"by name", str(c->getHeaderField(text("content-type"))), "text/plain"},
        {"type", str(c->getType()), "text/plain"},
        {"encoding", str(c->getEncoding()), "(null)"},
        {"set property", failureOf([&] { c->setRequestProperty(text("A"), text("b")); }),
         "java.io.IOException: HttpConnection error: HTTP request property cannot be set because the connection is in the Connected state"},
        {"set method", failureOf([&] { c->setRequestMethod(text("GET")); }),
         "java.io.IOException: HttpConnection error: HTTP method cannot be reset"},
    };
    for (const auto& row : rows) EXPECT_EQ(row.actual.substr(0, std::string(row.expected).size()), row.expected) << row.what;
    EXPECT_EQ(c->getPort(), server.port());
    EXPECT_EQ(c->getLength(), 2);
    EXPECT_EQ(c->getHeaderFieldInt(text("Content-Length"), -1), 2);
    EXPECT_EQ(c->getHeaderFieldInt(text("X-Count"), -1), -1);
    EXPECT_EQ(c->getHeaderFieldInt(text("X-None"), -1), -1);
    EXPECT_EQ(c->getHeaderFieldDate(text("X-Count"), 5), 5);
    // Servers capitalise the names the date getters ask for in lower case.
    EXPECT_EQ(c->getExpiration(), 784111777000);
    EXPECT_EQ(c->getDate(), 784111777000 + 86400000);
    EXPECT_EQ(c->getLastModified(), 784111777000 + 2 * 86400000);
    c->close();
}

TEST_F(HttpConnectionTest, OpeningTheInputStreamConnectsBeforeAnyRead) {
    VMPtr<HttpConnection> c = open("/plain");
    c->openInputStream();
    EXPECT_NE(failureOf([&] { c->setRequestProperty(text("A"), text("b")); }), "");
    EXPECT_TRUE(server.requests().empty());
    c->close();
}

TEST_F(HttpConnectionTest, ReadsBodiesByteByByteInBlocksAndBySkipping) {
    const std::string expected = pattern(6000);
    VMPtr<java::io::InputStream> bytewise = open("/sized")->openInputStream();
    EXPECT_EQ(bytewise->available(), 0);
    std::string got;
    for (int32_t b; (b = bytewise->read()) >= 0;) got += char(b);
    EXPECT_EQ(got, expected);

    VMPtr<java::io::InputStream> blocks = open("/sized")->openInputStream();
    VMPtr<Bytes> buffer = Bytes::_VM_new(8192);
    EXPECT_EQ(blocks->read(buffer, 0, 0), 0);
    EXPECT_EQ(failureOf([&] { blocks->read(buffer, 8000, 500); }), "java.lang.IndexOutOfBoundsException");
    got.clear();
    for (int32_t n; (n = blocks->read(buffer, 0, 8192)) > 0;) {
        EXPECT_LE(n, 4096);
        got.append(reinterpret_cast<char*>(buffer->elements()), size_t(n));
    }
    EXPECT_EQ(got, expected);

    VMPtr<java::io::InputStream> skipping = open("/sized")->openInputStream();
    EXPECT_EQ(skipping->skip(5000), 5000);
    EXPECT_EQ(skipping->read(), uint8_t(bodyByte(5000)));
    EXPECT_EQ(skipping->skip(5000), 999);

    VMPtr<HttpConnection> chunked = open("/chunked");
    EXPECT_EQ(str(chunked->getEncoding()), "chunked");
    VMPtr<java::io::DataInputStream> data = chunked->openDataInputStream();
    got.clear();
    for (int32_t b; (b = data->read()) >= 0;) got += char(b);
    EXPECT_EQ(got, "abcde");
}

TEST_F(HttpConnectionTest, AvailableCountsTheBytesLeftInTheBlock) {
    VMPtr<java::io::InputStream> in = open("/sized")->openInputStream();
    EXPECT_EQ(in->available(), 0);
    in->read();
    const int32_t left = in->available();
    ASSERT_GT(left, 1);
    in->read();
    EXPECT_EQ(in->available(), left - 1);
}

TEST_F(HttpConnectionTest, ABodyCutShortStaysFailed) {
    VMPtr<java::io::InputStream> in = open("/cut")->openInputStream();
    VMPtr<Bytes> buffer = Bytes::_VM_new(100);
    int32_t total = 0;
    std::string failure;
    for (int i = 0; i < 5 && failure.empty(); ++i) failure = failureOf([&] { total += std::max(in->read(buffer, 0, 100), 0); });
    EXPECT_EQ(total, 10);
    EXPECT_EQ(failure, "java.io.IOException: HttpConnection error: 7");
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(failureOf([&] { in->read(); }), "java.io.IOException: HttpConnection error: 7");
        EXPECT_EQ(in->available(), 0);
    }
}

// An unreachable host opens like any other; the failure shows once the request is sent.
TEST_F(HttpConnectionTest, AnUnreachableHostFailsAtTheFirstRequest) {
    const std::string url = "http://127.0.0.1:" + std::to_string(LoopbackHttpServer::closedPort()) + "/";
    VMPtr<javax::microedition::io::Connection> c = javax::microedition::io::Connector::open(text(url));
    VMPtr<HttpConnection> connection(dynamic_cast<HttpConnection*>(c.get()));
    ASSERT_TRUE(connection);
    EXPECT_EQ(connection->getResponseCode(), -1);
    VMPtr<java::io::InputStream> in = connection->openInputStream();
    EXPECT_EQ(failureOf([&] { in->read(); }), "java.io.IOException: HttpConnection error: 7");
    connection->close();
}

TEST_F(HttpConnectionTest, StreamsAndConnectionRefuseUseAfterClose) {
    VMPtr<HttpConnection> c = open("/sized");
    VMPtr<java::io::InputStream> early = c->openInputStream();
    VMPtr<java::io::InputStream> late = c->openInputStream();
    VMPtr<java::io::OutputStream> out = c->openOutputStream();
    EXPECT_GE(early->read(), 0);
    late->close();
    EXPECT_EQ(failureOf([&] { late->read(); }), "java.io.IOException: The input stream has been closed");
    c->close();
    c->close();
    EXPECT_EQ(failureOf([&] { early->read(); }), kClosed);
    EXPECT_EQ(failureOf([&] { early->skip(10); }), kClosed);
    EXPECT_EQ(early->available(), 0);
    early->close();
    early->close();
    EXPECT_NE(failureOf([&] { out->write(1); }), "");
    EXPECT_EQ(failureOf([&] { c->getURL(); }), kClosed);
    EXPECT_EQ(failureOf([&] { c->getResponseCode(); }), kClosed);
}

TEST_F(HttpConnectionTest, ACollectedConnectionReleasesItsPlatformRecord) {
    auto readOneByte = [&](bool close) {
        VMPtr<HttpConnection> c = open("/sized");
        EXPECT_GE(c->openInputStream()->read(), 0);
        if (close) c->close();
    };
    readOneByte(true);
    testRuntime()->collect();
    const uint64_t baseline = HAL_getAllocatedBytes();
    for (int i = 0; i < 4; ++i) readOneByte(false);
    testRuntime()->collect();
    // Each connection left open holds at least its 4096-byte read block.
    EXPECT_LT(HAL_getAllocatedBytes(), baseline + 4096);
}

TEST_F(HttpConnectionTest, HttpsNeverFallsBackToClearText) {
    LoopbackHttpServer plain([](const std::string&) { return std::string("HTTP/1.1 200 OK\r\n\r\n"); }, true);
    const std::u16string url = plain.url("/secret", "https");
    VMPtr<HttpConnection> c(dynamic_cast<HttpConnection*>(javax::microedition::io::Connector::open(String::fromUtf16(url)).get()));
    auto* secure = dynamic_cast<com::kelvane::ostrel::midp::io::protocol::https::Protocol*>(c.get());
    ASSERT_NE(secure, nullptr);
    EXPECT_EQ(str(c->getProtocol()), "https");
    EXPECT_EQ(c->getPort(), plain.port());
    EXPECT_EQ(c->getResponseCode(), -1);
    EXPECT_EQ(str(c->getResponseMessage()), "(null)");
    EXPECT_EQ(failureOf([&] { c->openInputStream()->read(); }), "java.io.IOException: HttpConnection error: 7");
    c->close();
    EXPECT_EQ(secure->getSecurityInfo(), nullptr);
    ASSERT_FALSE(plain.requests().empty());
    for (const std::string& seen : plain.requests()) {
        EXPECT_EQ(seen.substr(0, 1), "\x16");  // a TLS handshake record
        EXPECT_EQ(seen.find("secret"), std::string::npos);
    }
}

}  // namespace httptest
