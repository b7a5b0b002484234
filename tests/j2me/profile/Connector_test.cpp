// Connector: handler lookup by scheme through the class registry, the URL checks with their
// messages, the arguments handed to the handler, and the push registry's refusal.

#include "pb_src/j2me/com_kelvane_ostrel_cldc_io_ConnectionBaseInterface.h"
#include "pb_src/j2me/javax_microedition_io_ConnectionNotFoundException.h"
#include "pb_src/j2me/javax_microedition_io_Connector.h"
#include "pb_src/j2me/javax_microedition_io_HttpConnection.h"
#include "pb_src/j2me/javax_microedition_io_PushRegistry.h"
#include "tests/j2me/ClassLibrary.h"

namespace connectortest {

using java::lang::String;
using javax::microedition::io::Connection;
using javax::microedition::io::Connector;

// A handler for the scheme "x_y" that records what it was asked to open.
class Recorder : public virtual com::kelvane::ostrel::cldc::io::ConnectionBaseInterface,
                 public virtual Connection {
    VM_CLASS(Recorder, java::lang::Object)
    VMPtr<Recorder> _VM_init() { return this; }
    VMPtr<Connection> createNativeConnection(VMPtr<String> name, int32_t mode, bool timeouts) override {
        lastName = name->toUtf8();
        lastMode = mode;
        lastTimeouts = timeouts;
        return this;
    }
    void close() override {}
    static inline std::string lastName;
    static inline int32_t lastMode = 0;
    static inline bool lastTimeouts = false;
};
VM_DEFINE_CLASS(Recorder, "com.kelvane.ostrel.midp.io.protocol.x_y.Protocol", "java.lang.Object", VM_NO_CLINIT)
VM_IMPLEMENTS(Recorder, "com.kelvane.ostrel.cldc.io.ConnectionBaseInterface")

// A class under a handler's name that is no handler.
class NotAHandler : public virtual java::lang::Object {
    VM_CLASS(NotAHandler, java::lang::Object)
    VMPtr<NotAHandler> _VM_init() { return this; }
};
VM_DEFINE_CLASS(NotAHandler, "com.kelvane.ostrel.midp.io.protocol.plain.Protocol", "java.lang.Object", VM_NO_CLINIT)

// An interface under a handler's name: it cannot be instantiated.
class NoFactory : public virtual java::lang::Object {
    VM_INTERFACE(NoFactory)
};
VM_DEFINE_INTERFACE(NoFactory, "com.kelvane.ostrel.midp.io.protocol.iface.Protocol", VM_NO_CLINIT)

VMPtr<String> text(const char* s) { return s ? String::fromUtf8(s) : nullptr; }

using classlib::failureOf;

class ConnectorTest : public testing::Test {
protected:
    void SetUp() override { testRuntime(); }
};

TEST_F(ConnectorTest, RefusesBadUrlsWithTheirMessages) {
    const struct {
        const char* url;
        const char* failure;
    } rows[] = {
        {nullptr, "java.lang.IllegalArgumentException: Null URL"},
        {":x", "java.lang.IllegalArgumentException: empty protocol in URL"},
        {"nothing", "java.lang.IllegalArgumentException: no ':' in URL"},
        {"socket://h:1", "javax.microedition.io.ConnectionNotFoundException: The requested protocol does not exist socket://h:1"},
        {"X-Y://h", "javax.microedition.io.ConnectionNotFoundException: The requested protocol does not exist X-Y://h"},
        {"plain://h", "java.io.IOException: java.lang.ClassCastException"},
        {"iface://h", "java.io.IOException: java.lang.InstantiationException"},
    };
    for (const auto& row : rows) EXPECT_EQ(failureOf([&] { Connector::open(text(row.url)); }), row.failure) << row.failure;
}

TEST_F(ConnectorTest, HandsTheWholeUrlModeAndTimeoutsToTheHandler) {
    const struct {
        int arguments;
        int32_t mode;
        bool timeouts;
    } rows[] = {{1, 3, false}, {2, 1, false}, {3, 2, true}};
    for (const auto& row : rows) {
        VMPtr<String> url = text("x-y://host/path");
        VMPtr<Connection> opened = row.arguments == 1   ? Connector::open(url)
                                   : row.arguments == 2 ? Connector::open(url, row.mode)
                                                        : Connector::open(url, row.mode, row.timeouts);
        EXPECT_NE(dynamic_cast<Recorder*>(opened.get()), nullptr);
        EXPECT_EQ(Recorder::lastName, "x-y://host/path");
        EXPECT_EQ(Recorder::lastMode, row.mode);
        EXPECT_EQ(Recorder::lastTimeouts, row.timeouts);
    }
}

TEST_F(ConnectorTest, PushRegistryRefusesAlarms) {
    EXPECT_EQ(failureOf([] { javax::microedition::io::PushRegistry::registerAlarm(text("M"), 1000); }),
              "javax.microedition.io.ConnectionNotFoundException: not supported");
}

TEST_F(ConnectorTest, HttpConnectionNamesItsMethods) {
    using javax::microedition::io::HttpConnection;
    vm::ensureInitialized(HttpConnection::_VM_getClass());
    EXPECT_EQ(HttpConnection::HEAD->toUtf8() + HttpConnection::GET->toUtf8() + HttpConnection::POST->toUtf8(), "HEADGETPOST");
}

}  // namespace connectortest
