#pragma once

#include "pb_src/j2me/java_io_IOException.h"

namespace java::io {
VM_EXCEPTION_CLASS(UTFDataFormatException, IOException)
}
