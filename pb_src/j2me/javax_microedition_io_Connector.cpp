#include "pb_src/j2me/javax_microedition_io_Connector.h"

#include "lib_src/vm/VMException.h"
#include "lib_src/vm/VMLiterals.h"
#include "pb_src/j2me/com_kelvane_ostrel_cldc_io_ConnectionBaseInterface.h"
#include "pb_src/j2me/java_io_IOException.h"
#include "pb_src/j2me/java_lang_Class.h"
#include "pb_src/j2me/java_lang_ClassCastException.h"
#include "pb_src/j2me/java_lang_ClassNotFoundException.h"
#include "pb_src/j2me/java_lang_IllegalAccessException.h"
#include "pb_src/j2me/java_lang_IllegalArgumentException.h"
#include "pb_src/j2me/java_lang_InstantiationException.h"
#include "pb_src/j2me/java_lang_System.h"
#include "pb_src/j2me/javax_microedition_io_ConnectionNotFoundException.h"

namespace javax::microedition::io {

using ::com::kelvane::ostrel::cldc::io::ConnectionBaseInterface;
using ::java::lang::String;

VM_DEFINE_CLASS(Connector, "javax.microedition.io.Connector", "java.lang.Object", &Connector::_VM_clinit)

VMPtr<String> Connector::protocolPath{VMStaticScope::instance()};

namespace {

[[noreturn]] void throwIllegal(const char* text) {
    vm::throwNew<::java::lang::IllegalArgumentException>(VMPtr<String>::fromLiteral(text));
}

// The handler class's dotted name for the scheme, which is taken as written.
VMPtr<String> handlerClassName(const VMPtr<String>& path, const VMPtr<String>& scheme) {
    std::u16string name = path->toUtf16();
    name += u'.';
    name += scheme->replace(u'-', u'_')->toUtf16();
    name += u".Protocol";
    return String::fromUtf16(name);
}

[[noreturn]] void throwIOExceptionFor(::java::lang::Throwable* cause) {
    vm::throwNew<::java::io::IOException>(cause->toString());
}

VMPtr<ConnectionBaseInterface> makeHandler(const VMPtr<String>& className, const VMPtr<String>& url) {
    VMPtr<::java::lang::Class> record;
    try {
        record = ::java::lang::Class::forName(className);
    } catch (::java::lang::ClassNotFoundException* caught) {
        VMPtr<::java::lang::ClassNotFoundException> held(caught);
        std::u16string text = u"The requested protocol does not exist ";
        vm::throwNew<ConnectionNotFoundException>(String::fromUtf16(text + url->toUtf16()));
    }
    VMPtr<::java::lang::Object> instance;
    try {
        instance = record->newInstance();
    } catch (::java::lang::InstantiationException* caught) {
        VMPtr<::java::lang::Throwable> held(caught);
        throwIOExceptionFor(caught);
    } catch (::java::lang::IllegalAccessException* caught) {
        VMPtr<::java::lang::Throwable> held(caught);
        throwIOExceptionFor(caught);
    }
    VMPtr<ConnectionBaseInterface> handler(dynamic_cast<ConnectionBaseInterface*>(instance.get()));
    if (!handler) {
        VMPtr<::java::lang::ClassCastException> cast = ::java::lang::ClassCastException::_VM_new();
        cast->_VM_init();
        throwIOExceptionFor(cast.get());
    }
    return handler;
}

}  // namespace

void Connector::_VM_clinit() {
    protocolPath = ::java::lang::System::getProperty(
        VMPtr<String>::fromLiteral("javax.microedition.io.Connector.protocolpath"));
    if (!protocolPath) protocolPath = VMPtr<String>::fromLiteral("com.kelvane.ostrel.io.");
}

VMPtr<Connection> Connector::open(VMPtr<String> name) { return open(name, READ_WRITE); }

VMPtr<Connection> Connector::open(VMPtr<String> name, int32_t mode) { return open(name, mode, false); }

VMPtr<Connection> Connector::open(VMPtr<String> name, int32_t mode, bool timeouts) {
    vm::ensureInitialized(_VM_getClass());
    if (!name) throwIllegal("Null URL");
    const int32_t colon = name->indexOf(u':');
    if (colon == 0) throwIllegal("empty protocol in URL");
    if (colon < 0) throwIllegal("no ':' in URL");
    VMPtr<ConnectionBaseInterface> handler = makeHandler(handlerClassName(protocolPath, name->substring(0, colon)), name);
    return handler->createNativeConnection(name, mode, timeouts);
}

}  // namespace javax::microedition::io
