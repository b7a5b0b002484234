#pragma once

#include "pb_src/j2me/java_lang_IndexOutOfBoundsException.h"

namespace java::lang {
VM_INDEX_EXCEPTION_CLASS(StringIndexOutOfBoundsException, "String index out of range: ")
}
