#pragma once

#include "pb_src/j2me/java_lang_RuntimeException.h"

namespace java::util {
VM_EXCEPTION_CLASS(NoSuchElementException, ::java::lang::RuntimeException)
}
