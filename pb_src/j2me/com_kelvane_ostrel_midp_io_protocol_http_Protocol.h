#pragma once

// com::kelvane::ostrel::midp::io::protocol::http::Protocol: the handler of "http" URLs, an
// HttpConnection over one platform connection. States: Setup until the first response,
// header or input-stream operation, then Connected (request method and properties are
// refused), Closed after close (everything but close is refused). The platform sends the
// request once, when the response is first asked for. A platform input or output failure
// in a response operation is an IOException; other failures give the operation's "no
// value" answer. The platform record is deleted by close or when the object is collected;
// streams keep their connection reachable and refuse to work once it is closed.

#include "hal/net/HALHttp.h"
#include "pb_src/j2me/com_kelvane_ostrel_cldc_io_ConnectionBaseInterface.h"
#include "pb_src/j2me/com_kelvane_ostrel_midp_io_HttpInputStream.h"
#include "pb_src/j2me/com_kelvane_ostrel_midp_io_HttpOutputStream.h"
#include "pb_src/j2me/javax_microedition_io_HttpConnection.h"

namespace com::kelvane::ostrel::midp::io::protocol::http {

class Protocol : public virtual ::com::kelvane::ostrel::cldc::io::ConnectionBaseInterface,
                 public virtual ::javax::microedition::io::HttpConnection {
    VM_CLASS(Protocol, ::java::lang::Object)
    using String = ::java::lang::String;
    using Connection = ::javax::microedition::io::Connection;

    static constexpr int32_t kSetup = 0;
    static constexpr int32_t kConnected = 1;
    static constexpr int32_t kClosed = 2;
    static constexpr int32_t kDateWordCount = 32;

    static void _VM_clinit();
    static VMPtr<String> protocolName;
    // The words a date may hold and what each does (see parseDate).
    static VMPtr<VMArray<String*, 1>> dateWords;
    static const int32_t dateWordActions[kDateWordCount];

    VMPtr<Protocol> _VM_init();
    ~Protocol() override;

    // IOException "HAL_createHTTPConnection error: " and the platform's code when the
    // platform refuses the URL (an unreachable host fails at the first request instead).
    // Stays in Setup; returns this object.
    VMPtr<Connection> createNativeConnection(VMPtr<String> name, int32_t mode, bool timeouts) override;
    // Closes the streams last opened, deletes the platform connection; harmless when repeated.
    void close() override;

    VMPtr<::java::io::InputStream> openInputStream() override;
    VMPtr<::java::io::DataInputStream> openDataInputStream() override;
    // Leaves the state as it is: properties can still be set after the body is written.
    VMPtr<::java::io::OutputStream> openOutputStream() override;
    VMPtr<::java::io::DataOutputStream> openDataOutputStream() override;

    VMPtr<String> getType() override;
    VMPtr<String> getEncoding() override;
    int64_t getLength() override;

    VMPtr<String> getURL() override;
    VMPtr<String> getProtocol() override;
    VMPtr<String> getHost() override;
    VMPtr<String> getFile() override;
    VMPtr<String> getRef() override;
    VMPtr<String> getQuery() override;
    // 80 when the platform cannot tell.
    int32_t getPort() override;
    VMPtr<String> getRequestMethod() override;
    // HEAD, GET or POST in any case, handed on as written; refused once Connected.
    void setRequestMethod(VMPtr<String> method) override;
    VMPtr<String> getRequestProperty(VMPtr<String> key) override;
    void setRequestProperty(VMPtr<String> key, VMPtr<String> value) override;
    int32_t getResponseCode() override;
    VMPtr<String> getResponseMessage() override;
    int64_t getExpiration() override;
    int64_t getDate() override;
    int64_t getLastModified() override;
    VMPtr<String> getHeaderField(int32_t n) override;
    VMPtr<String> getHeaderField(VMPtr<String> name) override;
    int32_t getHeaderFieldInt(VMPtr<String> name, int32_t def) override;
    int64_t getHeaderFieldDate(VMPtr<String> name, int64_t def) override;
    VMPtr<String> getHeaderFieldKey(int32_t n) override;

    // Milliseconds since 1970 UTC of a date as HTTP headers and people write it;
    // IllegalArgumentException "Error parsing date" for text that is not one.
    static int64_t parseDate(VMPtr<String> text);

    // IOException "HttpConnection error: the connection is closed" in state Closed.
    void ensureOpen();
    void _VM_mark(uint32_t flags) override;

    HALHttpConnection* nativeConnection = nullptr;
    int32_t state = kSetup;
    VMPtr<::com::kelvane::ostrel::midp::io::HttpOutputStream> outputStream{vmField()};
    VMPtr<::com::kelvane::ostrel::midp::io::HttpInputStream> inputStream{vmField()};

private:
    // The closed check, then the move from Setup to Connected.
    void connect();
    // A response string from the platform: IOException for an input or output failure.
    template <typename Call> VMPtr<String> responseString(Call call);
    VMPtr<String> headerValue(const VMPtr<String>& name);
};

}  // namespace com::kelvane::ostrel::midp::io::protocol::http
