#pragma once

#include "pb_src/j2me/java_lang_IllegalArgumentException.h"

namespace java::lang {
VM_EXCEPTION_CLASS(NumberFormatException, IllegalArgumentException)
}
