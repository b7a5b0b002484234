#pragma once

// javax::microedition::io::HttpConnection: an HTTP request and its response. The three
// method names exist once the interface is initialised; the operations carry no code.

#include "pb_src/j2me/javax_microedition_io_ContentConnection.h"

namespace javax::microedition::io {

class HttpConnection : public virtual ContentConnection {
    VM_INTERFACE(HttpConnection)
    using String = ::java::lang::String;

    static void _VM_clinit();
    static VMPtr<String> HEAD;
    static VMPtr<String> GET;
    static VMPtr<String> POST;

    virtual VMPtr<String> getURL() = 0;
    virtual VMPtr<String> getProtocol() = 0;
    virtual VMPtr<String> getHost() = 0;
    virtual VMPtr<String> getFile() = 0;
    virtual VMPtr<String> getRef() = 0;
    virtual VMPtr<String> getQuery() = 0;
    virtual int32_t getPort() = 0;
    virtual VMPtr<String> getRequestMethod() = 0;
    virtual void setRequestMethod(VMPtr<String> method) = 0;
    virtual VMPtr<String> getRequestProperty(VMPtr<String> key) = 0;
    virtual void setRequestProperty(VMPtr<String> key, VMPtr<String> value) = 0;
    virtual int32_t getResponseCode() = 0;
    virtual VMPtr<String> getResponseMessage() = 0;
    virtual int64_t getExpiration() = 0;
    virtual int64_t getDate() = 0;
    virtual int64_t getLastModified() = 0;
    virtual VMPtr<String> getHeaderField(int32_t n) = 0;
    virtual VMPtr<String> getHeaderField(VMPtr<String> name) = 0;
    virtual int32_t getHeaderFieldInt(VMPtr<String> name, int32_t def) = 0;
    virtual int64_t getHeaderFieldDate(VMPtr<String> name, int64_t def) = 0;
    virtual VMPtr<String> getHeaderFieldKey(int32_t n) = 0;
};

}  // namespace javax::microedition::io
