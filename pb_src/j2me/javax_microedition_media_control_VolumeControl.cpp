#include "pb_src/j2me/javax_microedition_media_control_VolumeControl.h"

VM_DEFINE_INTERFACE(javax::microedition::media::control::VolumeControl, "javax.microedition.media.control.VolumeControl",
                    VM_NO_CLINIT)
VM_IMPLEMENTS(javax::microedition::media::control::VolumeControl, "javax.microedition.media.Control")
