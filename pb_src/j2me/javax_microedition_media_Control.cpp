#include "pb_src/j2me/javax_microedition_media_Control.h"

VM_DEFINE_INTERFACE(javax::microedition::media::Control, "javax.microedition.media.Control", VM_NO_CLINIT)
