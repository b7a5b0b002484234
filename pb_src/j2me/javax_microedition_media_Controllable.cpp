#include "pb_src/j2me/javax_microedition_media_Controllable.h"

VM_DEFINE_INTERFACE(javax::microedition::media::Controllable, "javax.microedition.media.Controllable", VM_NO_CLINIT)
