#pragma once

#include "pb_src/j2me/java_lang_VirtualMachineError.h"

namespace java::lang {
VM_EXCEPTION_CLASS(OutOfMemoryError, VirtualMachineError)
}
