#pragma once

#include "pb_src/j2me/java_lang_Exception.h"

namespace java::io {
VM_EXCEPTION_CLASS(IOException, ::java::lang::Exception)
}
