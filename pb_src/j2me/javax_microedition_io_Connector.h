#pragma once

// javax::microedition::io::Connector: opens a connection by URL. The handler class is
// looked up by name for every open, under the package that the system property
// "javax.microedition.io.Connector.protocolpath" names (read once), made through its
// reflective factory and asked to open the whole URL; the handler's exceptions reach the
// caller unchanged.

#include "pb_src/j2me/javax_microedition_io_Connection.h"
#include "pb_src/j2me/java_lang_String.h"

namespace javax::microedition::io {

class Connector : public virtual ::java::lang::Object {
    VM_CLASS(Connector, ::java::lang::Object)
    using String = ::java::lang::String;

    static constexpr int32_t READ = 1;
    static constexpr int32_t WRITE = 2;
    static constexpr int32_t READ_WRITE = 3;

    static void _VM_clinit();
    static VMPtr<String> protocolPath;

    static VMPtr<Connection> open(VMPtr<String> name);
    static VMPtr<Connection> open(VMPtr<String> name, int32_t mode);
    // IllegalArgumentException for a null URL or one without a scheme before its first ':';
    // ConnectionNotFoundException when no handler class bears the scheme's name ('-' read
    // as '_'); IOException when the class cannot be made or is no protocol handler.
    static VMPtr<Connection> open(VMPtr<String> name, int32_t mode, bool timeouts);
};

}  // namespace javax::microedition::io
