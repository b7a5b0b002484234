#pragma once

#include "pb_src/j2me/java_lang_Exception.h"

namespace java::lang {
VM_EXCEPTION_CLASS(RuntimeException, Exception)
}
