#include "pb_src/j2me/javax_microedition_rms_RecordStoreException.h"

VM_DEFINE_CLASS(javax::microedition::rms::RecordStoreException, "javax.microedition.rms.RecordStoreException", "java.lang.Exception", VM_NO_CLINIT)
