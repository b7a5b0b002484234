#include "pb_src/j2me/javax_microedition_rms_RecordStoreNotOpenException.h"

VM_DEFINE_CLASS(javax::microedition::rms::RecordStoreNotOpenException, "javax.microedition.rms.RecordStoreNotOpenException", "javax.microedition.rms.RecordStoreException", VM_NO_CLINIT)
