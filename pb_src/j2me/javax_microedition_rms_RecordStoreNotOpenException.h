#pragma once

#include "pb_src/j2me/javax_microedition_rms_RecordStoreException.h"

namespace javax::microedition::rms {
VM_EXCEPTION_CLASS(RecordStoreNotOpenException, RecordStoreException)
}
