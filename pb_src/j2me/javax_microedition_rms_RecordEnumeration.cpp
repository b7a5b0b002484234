#include "pb_src/j2me/javax_microedition_rms_RecordEnumeration.h"

VM_DEFINE_INTERFACE(javax::microedition::rms::RecordEnumeration, "javax.microedition.rms.RecordEnumeration", VM_NO_CLINIT)
