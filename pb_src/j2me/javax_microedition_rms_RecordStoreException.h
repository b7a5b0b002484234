#pragma once

#include "pb_src/j2me/java_lang_Exception.h"

namespace javax::microedition::rms {
VM_EXCEPTION_CLASS(RecordStoreException, ::java::lang::Exception)
}
