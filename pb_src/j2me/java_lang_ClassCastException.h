#pragma once

#include "pb_src/j2me/java_lang_RuntimeException.h"

namespace java::lang {
VM_EXCEPTION_CLASS(ClassCastException, RuntimeException)
}
