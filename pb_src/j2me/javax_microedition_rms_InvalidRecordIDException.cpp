#include "pb_src/j2me/javax_microedition_rms_InvalidRecordIDException.h"

VM_DEFINE_CLASS(javax::microedition::rms::InvalidRecordIDException, "javax.microedition.rms.InvalidRecordIDException", "javax.microedition.rms.RecordStoreException", VM_NO_CLINIT)
