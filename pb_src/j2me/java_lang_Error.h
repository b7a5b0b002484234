#pragma once

#include "pb_src/j2me/java_lang_Throwable.h"

namespace java::lang {
VM_EXCEPTION_CLASS(Error, Throwable)
}
