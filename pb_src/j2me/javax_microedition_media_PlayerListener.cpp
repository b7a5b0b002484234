#include "pb_src/j2me/javax_microedition_media_PlayerListener.h"

#include "pb_src/j2me/javax_microedition_media_Player.h"

VM_DEFINE_INTERFACE(javax::microedition::media::PlayerListener, "javax.microedition.media.PlayerListener", VM_NO_CLINIT)
