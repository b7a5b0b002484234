#pragma once

#include "pb_src/j2me/java_lang_Error.h"

namespace java::lang {
VM_EXCEPTION_CLASS(NoClassDefFoundError, Error)
}
