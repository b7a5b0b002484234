#include "pb_src/j2me/javax_microedition_midlet_MIDletStateChangeException.h"

VM_DEFINE_CLASS(javax::microedition::midlet::MIDletStateChangeException,
                "javax.microedition.midlet.MIDletStateChangeException", "java.lang.Exception", VM_NO_CLINIT)
