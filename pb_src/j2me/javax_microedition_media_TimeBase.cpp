#include "pb_src/j2me/javax_microedition_media_TimeBase.h"

VM_DEFINE_INTERFACE(javax::microedition::media::TimeBase, "javax.microedition.media.TimeBase", VM_NO_CLINIT)
