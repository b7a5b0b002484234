#include "pb_src/j2me/javax_microedition_rms_RecordFilter.h"

VM_DEFINE_INTERFACE(javax::microedition::rms::RecordFilter, "javax.microedition.rms.RecordFilter", VM_NO_CLINIT)
