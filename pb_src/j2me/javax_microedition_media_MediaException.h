#pragma once

#include "pb_src/j2me/java_lang_Exception.h"

namespace javax::microedition::media {
VM_EXCEPTION_CLASS(MediaException, ::java::lang::Exception)
}
