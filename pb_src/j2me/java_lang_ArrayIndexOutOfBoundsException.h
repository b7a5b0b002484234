#pragma once

#include "pb_src/j2me/java_lang_IndexOutOfBoundsException.h"

namespace java::lang {
VM_INDEX_EXCEPTION_CLASS(ArrayIndexOutOfBoundsException, "Array index out of range: ")
}
