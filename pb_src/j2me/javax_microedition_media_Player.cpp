#include "pb_src/j2me/javax_microedition_media_Player.h"

VM_DEFINE_INTERFACE(javax::microedition::media::Player, "javax.microedition.media.Player", VM_NO_CLINIT)
VM_IMPLEMENTS(javax::microedition::media::Player, "javax.microedition.media.Controllable")
