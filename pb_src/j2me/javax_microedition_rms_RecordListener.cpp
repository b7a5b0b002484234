#include "pb_src/j2me/javax_microedition_rms_RecordListener.h"

VM_DEFINE_INTERFACE(javax::microedition::rms::RecordListener, "javax.microedition.rms.RecordListener", VM_NO_CLINIT)
