#include "pb_src/j2me/javax_microedition_rms_RecordStoreNotFoundException.h"

VM_DEFINE_CLASS(javax::microedition::rms::RecordStoreNotFoundException, "javax.microedition.rms.RecordStoreNotFoundException", "javax.microedition.rms.RecordStoreException", VM_NO_CLINIT)
