#include "pb_src/j2me/javax_microedition_rms_RecordComparator.h"

VM_DEFINE_INTERFACE(javax::microedition::rms::RecordComparator, "javax.microedition.rms.RecordComparator", VM_NO_CLINIT)
