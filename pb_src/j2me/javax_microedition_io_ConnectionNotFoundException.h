#pragma once

#include "pb_src/j2me/java_io_IOException.h"

namespace javax::microedition::io {
VM_EXCEPTION_CLASS(ConnectionNotFoundException, ::java::io::IOException)
}
