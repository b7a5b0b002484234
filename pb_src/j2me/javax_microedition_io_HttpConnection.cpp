#include "pb_src/j2me/javax_microedition_io_HttpConnection.h"

namespace javax::microedition::io {

VM_DEFINE_INTERFACE(HttpConnection, "javax.microedition.io.HttpConnection", &HttpConnection::_VM_clinit)
VM_IMPLEMENTS(HttpConnection, "javax.microedition.io.ContentConnection")

VMPtr<::java::lang::String> HttpConnection::HEAD{VMStaticScope::instance()};
VMPtr<::java::lang::String> HttpConnection::GET{VMStaticScope::instance()};
VMPtr<::java::lang::String> HttpConnection::POST{VMStaticScope::instance()};

void HttpConnection::_VM_clinit() {
    HEAD = VMPtr<String>::fromLiteral("HEAD");
    GET = VMPtr<String>::fromLiteral("GET");
    POST = VMPtr<String>::fromLiteral("POST");
}

}  // namespace javax::microedition::io
